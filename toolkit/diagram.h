// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/image.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QPainterPath>
#include <QRegion>
#include <QString>

#include <memory>

class QSvgRenderer;

namespace toolkit {

class ReadoutSpot;

/// An SVG drawing (see Image) some of whose elements can be lit, with a small read-out whose
/// text the program writes.
///
/// Lit elements are drawn over the picture in their color with heavier lines. The picture is
/// rendered for the pixels it covers (see Image), the lit elements likewise each time they
/// change, and the read-out's text is drawn as outlines at each paint, so all three stay sharp
/// at any scale. A change repaints only the area it touches, and only while the widget can be
/// seen: a hidden diagram, or one moved out of its parent's view, draws nothing.
class Diagram : public Image
{
    Q_OBJECT

public:
    /// An element of the drawing, by id (with everything inside it), its color when lit, and
    /// whether its lines are then dashed.
    struct Light
    {
        QString id;
        QColor color;
        bool dashed = false;

        friend bool operator==(const Light &, const Light &) = default;
    };

    explicit Diagram(QWidget *parent = nullptr);
    ~Diagram() override;

    /// Lights @p lights, and only them; an empty list shows the drawing as it is.
    void setLights(const QList<Light> &lights);
    QList<Light> lights() const { return m_lights; }

    /// The read-out: the element @p valueId is left out of the picture, and the text given to
    /// setReadoutText() is drawn in its place, in its color and at its height, centred in the
    /// element @p boxId (narrowed, then made smaller, when it is too long for the box).
    void setReadoutElements(const QString &boxId, const QString &valueId);
    void setReadoutText(const QString &text);
    QString readoutText() const { return m_readoutText; }
    /// What the read-out shows, for a screen reader, which reads it followed by the text.
    void setReadoutLabel(const QString &label);

protected:
    void drawPicture(QPainter &painter, const QRectF &area) const override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void load();
    QSvgRenderer *litRenderer();
    QRegion areaOf(const QList<Light> &lights);
    void renderLights(qreal ratio);
    QTransform pictureTransform() const;
    void shapeReadout();
    void updateReadout();
    void placeReadoutSpot();

    QString m_loadedSource;
    QByteArray m_document;
    std::unique_ptr<QSvgRenderer> m_picture;
    QList<Light> m_lights;
    // One renderer per set of lights met so far: a trace goes back and forth between a few.
    QHash<QString, std::shared_ptr<QSvgRenderer>> m_litRenderers;
    // Where each element lit so far lies, in the drawing's own coordinates.
    QHash<QString, QRectF> m_bounds;
    // The lit elements rendered for the lights, pixel ratio and size they were rendered for.
    QString m_litKey;
    QPixmap m_litPixmap;
    QPoint m_litAt;

    QString m_boxId;
    QString m_valueId;
    QString m_readoutText;
    // In the drawing's own coordinates (those of its view box).
    QRectF m_box;
    QRectF m_value;
    QColor m_ink;
    QPainterPath m_readoutShape;
    ReadoutSpot *m_readoutSpot = nullptr;
};

} // namespace toolkit
