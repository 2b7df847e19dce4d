// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGraphicsView>

namespace toolkit {

/// Shows a widget, and every control in it, at a uniform factor: smaller on a screen too small
/// for the window, larger on a projector or a maximised window. The widget keeps its geometry
/// in its own, unscaled units, so its controls keep their places, sizes and animations;
/// painting, the mouse and the keyboard go through the scaling, and text, lines and pictures are
/// drawn for the pixels they cover, not stretched from a picture of another size.
///
/// At factor 1 in a place exactly as wide as the widget, the widget is given back to its place
/// and drawn as it would be without the view. Otherwise it is drawn at its natural size times
/// the factor, centred at the top of the view, on the view's background.
///
/// The widget must not hold a native window of its own (an embedded 3D view stays outside).
class ScaledView : public QGraphicsView
{
    Q_OBJECT

public:
    /// Prepares to show @p content, whose natural size is @p natural, in its place; the content
    /// stays where it is until setFactor() asks for another factor than 1.
    ScaledView(QWidget *content, QSize natural);

    ~ScaledView() override;

    /// Shows the content @p factor times its natural size. Drawn through the view, the content
    /// keeps the look (style sheet, palette, font) it had from its parents.
    void setFactor(qreal factor);

    qreal factor() const { return m_factor; }
    QWidget *content() const { return m_content; }
    /// Whether the content is drawn through the view (not in its own place).
    bool isScaling() const { return m_adopted; }

    /// The factor at which the content of @p window is shown: 1 where nothing in it is scaled.
    static qreal factorIn(const QWidget *window);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void adopt();
    void giveBack();
    void place();

    QWidget *m_content;
    QWidget *m_home;
    QSize m_natural;
    qreal m_factor = 1.0;
    bool m_adopted = false;
    // The content's own look, put back when it returns to its place.
    QString m_styleSheet;
};

} // namespace toolkit
