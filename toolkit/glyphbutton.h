// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

namespace toolkit {

/// A push button that shows a media glyph instead of a caption, drawn as outlines so that it
/// stays sharp at every scale; its text is kept for assistive technology only.
class GlyphButton : public QPushButton
{
    Q_OBJECT

public:
    enum class Glyph { Pause, Play, Step };

    explicit GlyphButton(Glyph glyph, QWidget *parent = nullptr);

    Glyph glyph() const { return m_glyph; }
    void setGlyph(Glyph glyph);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Glyph m_glyph;
};

} // namespace toolkit
