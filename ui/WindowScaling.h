// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

// Windows are designed at 96 pixels per inch. The toolkit already scales every window by the
// screen's device pixel ratio, and what it reports as a window's logical pixel density is what
// remains to be done: 96, so nothing, unless the toolkit's own scaling is rounded or off.
namespace wendrix::ui {

[[nodiscard]] int ResidualPpi(const QWidget& window);

// Scales the window's size and the places, sizes and pixel fonts of the window and its direct
// children by ppi / 96, in integer arithmetic toward zero. Nothing changes at 96.
void ScaleWindow(QWidget& window, int ppi);

// A place designed at 96 pixels per inch, scaled the same way (for a control made later).
[[nodiscard]] QRect ScaleRect(const QRect& rect, int ppi);

}  // namespace wendrix::ui
