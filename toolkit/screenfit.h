// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QSize>

#include <functional>

class QScreen;
class QWidget;

namespace toolkit {

/// How much a window must shrink for it to fit on its screen: @p clientSize is the window's
/// client area, @p frame the frame around it, @p room the free area of the screen. 1 when the
/// window fits as it is, otherwise the largest factor under which the client area, scaled and
/// rounded down to whole pixels, fits with its frame.
qreal fitFactor(QSize clientSize, QMargins frame, QSize room);

/// The frame the desktop will draw around a new window on @p screen, before the window is
/// shown: what the window manager answers where it can be asked (X11), otherwise a generous
/// guess.
QMargins expectedFrameMargins(const QScreen &screen);

/// Makes @p window, not shown yet, fit the free area of its screen: when the screen is too small
/// for it, @p scaleContent is called with the factor the window's content must be scaled by (the
/// window sizes itself accordingly), and the window is centred on the screen. On a screen large
/// enough, nothing changes.
void fitToScreen(QWidget &window, const std::function<void(qreal)> &scaleContent);

} // namespace toolkit
