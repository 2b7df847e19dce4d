// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSlider>

#include <functional>

namespace toolkit {

/// The horizontal slider inside a TrackBar. The style draws its groove as a thin band across
/// the middle and takes only presses on that band or on the thumb; here a press anywhere in
/// the slider's height counts as one at the same x on the groove, so the whole box answers.
class TrackSlider : public QSlider
{
    Q_OBJECT

public:
    explicit TrackSlider(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void onTheGroove(QMouseEvent *event, const std::function<void(QMouseEvent *)> &handle);
};

} // namespace toolkit
