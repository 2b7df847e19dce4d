// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGraphicsView>

namespace toolkit {

/// Shows a widget, and every control in it, scaled down by a fixed factor: for a window laid out
/// for a larger screen than the one it opens on. The widget keeps its geometry in its own,
/// unscaled units, so its controls keep their places, sizes and animations; painting, the mouse
/// and the keyboard go through the scaling, and text, lines and pictures are drawn for the
/// pixels they cover, not shrunk from a larger picture.
///
/// The widget must not hold a native window of its own (an embedded 3D view stays outside).
class ScaledView : public QGraphicsView
{
    Q_OBJECT

public:
    /// Takes @p content out of its parent's layout and shows it in its place, @p factor times its
    /// size. The content keeps the look (style sheet, palette, font) it had from its parents.
    static ScaledView *replace(QWidget *content, qreal factor);

    ~ScaledView() override;

    qreal factor() const { return m_factor; }
    QWidget *content() const { return m_content; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    ScaledView(qreal factor, QWidget *parent);
    void adopt(QWidget *content);

    QWidget *m_content = nullptr;
    qreal m_factor;
};

} // namespace toolkit
