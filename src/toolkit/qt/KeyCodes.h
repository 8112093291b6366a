#pragma once

class QKeyEvent;

namespace vorq::qt {

// The key code and shift state that the dialog's key handlers take (the platform's virtual key
// codes: 13 Enter, 16-18 Shift, Ctrl and Alt, 27 Esc, 33/34 page up/down, 37-40 arrows, 48-57
// digits, 65-90 letters; shift 1 Shift, 2 Ctrl, 4 Alt); 0 for a key that has no such code.
int keyCode(const QKeyEvent& event);
int shiftState(const QKeyEvent& event);

} // namespace vorq::qt
