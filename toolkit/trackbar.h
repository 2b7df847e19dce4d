// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace toolkit {

class TrackSlider;

/// A horizontal percentage track bar: value() from 0 to 100, ticks every frequency() units.
///
/// The thumb moves in whole steps under the mouse and the keyboard, but a value set from code
/// keeps its fraction (37.5 stays 37.5; the thumb is drawn at the nearest step). changed() is
/// raised on every change of value, from the user or from code, and never when the value stays.
class TrackBar : public QWidget
{
    Q_OBJECT

public:
    explicit TrackBar(QWidget *parent = nullptr);

    double value() const { return m_value; }
    /// Values outside 0..100 are brought to the nearest end; NaN is ignored.
    void setValue(double value);

    int frequency() const;
    void setFrequency(int ticks);

    QSize sizeHint() const override;

protected:
    bool event(QEvent *event) override;

Q_SIGNALS:
    void changed();

private:
    void takeSliderValue(int position);

    TrackSlider *m_slider;
    double m_value = 0.0;
};

} // namespace toolkit
