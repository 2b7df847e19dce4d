// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace toolkit {

/// Shows one picture (SVG or any raster format Qt reads) scaled to fit the widget with its
/// proportions kept, centred. The scaled picture is rendered when first painted and cached, so
/// a hidden picture costs nothing and moving the widget (a sliding panel) no re-rendering.
class Image : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString source READ source WRITE setSource)

public:
    explicit Image(QWidget *parent = nullptr);

    QString source() const { return m_source; }
    /// A file or resource path; a picture that cannot be read leaves the area empty.
    void setSource(const QString &source);

    /// Natural size of the picture in pixels; empty when none is loaded.
    QSize pictureSize() const { return m_pictureSize; }
    /// Where the picture is drawn inside the widget.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

    /// Draws the picture into @p area of @p painter. The widget keeps what this draws and calls
    /// it again only when the picture's size on screen changes or forgetRendering() is called.
    virtual void drawPicture(QPainter &painter, const QRectF &area) const;
    /// Makes the next paint draw the picture again.
    void forgetRendering();
    /// Device pixels per unit of the widget under @p painter: more on a high-density screen,
    /// fewer in a window shown scaled down.
    qreal pixelRatio(const QPainter &painter) const;

private:
    void renderCache(qreal ratio);

    QString m_source;
    QSize m_pictureSize;
    QPixmap m_cache;
};

} // namespace toolkit
