#include "platform/forms/hosting/input_events.h"

#include "platform/forms/core/screen.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace forms {

namespace {
short modifiers_mask(Qt::KeyboardModifiers modifiers)
{
    short mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= shiftmask::Shift;
    if (modifiers & Qt::ControlModifier)
        mask |= shiftmask::Ctrl;
    if (modifiers & Qt::AltModifier)
        mask |= shiftmask::Alt;
    return mask;
}

short buttons_mask(Qt::MouseButtons buttons)
{
    short mask = 0;
    if (buttons & Qt::LeftButton)
        mask |= mousebutton::Left;
    if (buttons & Qt::RightButton)
        mask |= mousebutton::Right;
    if (buttons & Qt::MiddleButton)
        mask |= mousebutton::Middle;
    return mask;
}
} // namespace

short key_code(const QKeyEvent& event)
{
    const int key = event.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9 && (event.modifiers() & Qt::KeypadModifier))
        return static_cast<short>(keycode::NumPad0 + (key - Qt::Key_0));
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<short>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<short>(keycode::F1 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace: return keycode::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return keycode::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return keycode::Return;
    case Qt::Key_Shift: return keycode::Shift;
    case Qt::Key_Control: return keycode::Control;
    case Qt::Key_Alt: return keycode::Menu;
    case Qt::Key_Escape: return keycode::Escape;
    case Qt::Key_Space: return keycode::Space;
    case Qt::Key_PageUp: return keycode::PageUp;
    case Qt::Key_PageDown: return keycode::PageDown;
    case Qt::Key_End: return keycode::End;
    case Qt::Key_Home: return keycode::Home;
    case Qt::Key_Left: return keycode::Left;
    case Qt::Key_Up: return keycode::Up;
    case Qt::Key_Right: return keycode::Right;
    case Qt::Key_Down: return keycode::Down;
    case Qt::Key_Insert: return keycode::Insert;
    case Qt::Key_Delete: return keycode::Delete;
    case Qt::Key_Menu: return keycode::Apps;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Print: return 44;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return event.modifiers() & Qt::KeypadModifier ? 107 : 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return event.modifiers() & Qt::KeypadModifier ? 109 : 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return event.modifiers() & Qt::KeypadModifier ? 110 : 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return event.modifiers() & Qt::KeypadModifier ? 111 : 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

short key_ascii(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return keycode::Return;
    case Qt::Key_Escape: return keycode::Escape;
    case Qt::Key_Backspace: return keycode::Back;
    default: break;
    }
    const QString text = event.text();
    if (text.size() != 1)
        return 0;
    const char16_t code = text.at(0).unicode();
    return code >= 1 && code <= 255 ? static_cast<short>(code) : 0;
}

short shift_state(const QKeyEvent& event) { return modifiers_mask(event.modifiers()); }
short shift_state(const QMouseEvent& event) { return modifiers_mask(event.modifiers()); }
short mouse_button(const QMouseEvent& event) { return buttons_mask(event.button()); }
short mouse_buttons_held(const QMouseEvent& event) { return buttons_mask(event.buttons()); }

float twips_x(const QPoint& pixel) { return static_cast<float>(pixel.x() * Screen::TwipsPerPixelX()); }
float twips_y(const QPoint& pixel) { return static_cast<float>(pixel.y() * Screen::TwipsPerPixelY()); }

} // namespace forms
