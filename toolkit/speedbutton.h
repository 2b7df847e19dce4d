// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>

namespace toolkit {

/// A flat tool button drawn as a round close glyph; its text is kept for accessibility only
/// and never painted.
class SpeedButton : public QToolButton
{
    Q_OBJECT

public:
    explicit SpeedButton(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace toolkit
