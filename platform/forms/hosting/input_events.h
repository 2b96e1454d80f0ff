#pragma once
// The runtime's view of keyboard and mouse input: key codes (the KeyDown/KeyUp KeyCode), the
// character code of KeyPress (KeyAscii), the Shift mask, the mouse Button mask and positions
// in twips. Controls translate Qt's events here once, so every control reports input alike.

#include <QPoint>

class QKeyEvent;
class QMouseEvent;

namespace forms {

namespace keycode {
inline constexpr short Back = 8;
inline constexpr short Tab = 9;
inline constexpr short Return = 13;
inline constexpr short Shift = 16;
inline constexpr short Control = 17;
inline constexpr short Menu = 18;
inline constexpr short Escape = 27;
inline constexpr short Space = 32;
inline constexpr short PageUp = 33;
inline constexpr short PageDown = 34;
inline constexpr short End = 35;
inline constexpr short Home = 36;
inline constexpr short Left = 37;
inline constexpr short Up = 38;
inline constexpr short Right = 39;
inline constexpr short Down = 40;
inline constexpr short Insert = 45;
inline constexpr short Delete = 46;
inline constexpr short Apps = 93;    // the context-menu key
inline constexpr short NumPad0 = 96; // NumPad0..NumPad9 follow on
inline constexpr short F1 = 112;     // F1..F24 follow on
inline constexpr short F10 = 121;
} // namespace keycode

// The Shift argument: one bit per modifier key held.
namespace shiftmask {
inline constexpr short Shift = 1;
inline constexpr short Ctrl = 2;
inline constexpr short Alt = 4;
} // namespace shiftmask

// The Button argument: one bit per mouse button.
namespace mousebutton {
inline constexpr short Left = 1;
inline constexpr short Right = 2;
inline constexpr short Middle = 4;
} // namespace mousebutton

// The KeyCode of a key event: letters and digits are their upper-case character codes,
// keypad digits, function keys and punctuation keys the runtime's codes (",": 188, ".": 190,
// ...); 0 for a key the runtime has no code for.
short key_code(const QKeyEvent& event);
// The KeyAscii of a key event that types a character (1..255), else 0.
short key_ascii(const QKeyEvent& event);
// The Shift mask of an input event's modifiers.
short shift_state(const QKeyEvent& event);
short shift_state(const QMouseEvent& event);
// The button that changed (MouseDown, MouseUp) or the buttons held (MouseMove).
short mouse_button(const QMouseEvent& event);
short mouse_buttons_held(const QMouseEvent& event);
// A widget position in twips.
float twips_x(const QPoint& pixel);
float twips_y(const QPoint& pixel);

} // namespace forms
