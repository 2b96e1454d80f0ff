#pragma once
// A person's input in the in-process GUI tests, as the window system delivers it: through Qt's
// window-system queue (QWindowSystemInterface) to the window of a shown widget, so Qt itself
// picks the widget under the pointer, the one with the focus, and double clicks. The one way
// the tests click and press keys in process (the Xvfb tests drive a real X server instead:
// tests/support/window_input.py).

#include <QPoint>
#include <QString>

#include <Qt>

class QWidget;
class QWindow;

namespace window_input {

// A pointer with a clock of its own, for clicks whose spacing matters.
class Pointer {
public:
    // Events go to the window of `widget`, which must be shown.
    explicit Pointer(QWidget& widget);

    // A press and a release of the left button at `at` (in `widget`'s coordinates), `gap_ms`
    // after the previous click: within the platform's double-click time, the second press is
    // a double click.
    void click(QWidget& widget, QPoint at, unsigned long gap_ms = 1000, Qt::MouseButton button = Qt::LeftButton);

private:
    void send(QPoint local, Qt::MouseButton button, Qt::MouseButtons held, bool press);

    QWindow* window_;
    unsigned long time_;
};

// One click (of the left button unless told) at `at` in `widget`'s coordinates, on whatever
// lies there in its window.
void click(QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
// One left click at the middle of `widget`.
void click(QWidget& widget);

// Only the press, or only the release, of a mouse button at `at` in `widget`'s coordinates (a
// drag that ends elsewhere, a button held with a key): the pointer is there when it happens.
void mouse_press(QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void mouse_release(QWidget& widget, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The pointer moved to `at` in `widget`'s coordinates with `held` buttons down.
void mouse_move(QWidget& widget, QPoint at, Qt::MouseButtons held = Qt::NoButton);
// The wheel turned by `notches` (positive away from the person, up) with the pointer at `at`.
void wheel(QWidget& widget, QPoint at, int notches);

// The close box of `widget`'s window clicked: the window system asks the window to close.
void close_box(QWidget& widget);

// A key pressed and released for `widget`: it takes the keyboard focus of its window first
// when it has not got it (as the person's click into it would have given it), and the key goes
// through the window system to the widget with that focus.
void key(QWidget& widget, int qt_key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {});
// `text` typed into `widget` character by character, each a key of its own (no modifiers: a
// character of the keyboard's plain layer, as the tests type them).
void type(QWidget& widget, const QString& text);
// Only the press, or only the release, of a key (a handler of the one without the other).
void key_press(QWidget& widget, int qt_key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               const QString& text = {});
void key_release(QWidget& widget, int qt_key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                 const QString& text = {});
// A key pressed and released, only queued: it waits in the window system's queue until the
// program next handles events, as keys typed faster than a program handles them do.
void queue_key(QWidget& widget, int qt_key, const QString& text = {});

} // namespace window_input
