#include "tests/support/forms/window_input.h"

#include <QCoreApplication>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>

namespace window_input {

namespace {

// Each click starts later than any before it, whichever Pointer sent it, so that two
// clicks of two pointers never read as one double click.
unsigned long g_clock = 100000;

QWindow* window_of(QWidget& widget) { return widget.window()->windowHandle(); }

void deliver()
{
    QWindowSystemInterface::flushWindowSystemEvents();
    QCoreApplication::processEvents();
}

void send_key(QWidget& widget, QEvent::Type type, int qt_key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    if (widget.window()->focusWidget() != &widget)
        widget.setFocus(Qt::OtherFocusReason);
    QWindowSystemInterface::handleKeyEvent(window_of(widget), type, qt_key, modifiers, text);
}

} // namespace

Pointer::Pointer(QWidget& widget) : window_(window_of(widget)), time_(g_clock) {}

void Pointer::click(QWidget& widget, QPoint at, unsigned long gap_ms, Qt::MouseButton button)
{
    time_ = std::max(time_, g_clock) + gap_ms;
    const QPoint local = widget.mapTo(widget.window(), at);
    send(local, button, button, true);
    time_ += 20;
    send(local, button, Qt::NoButton, false);
    g_clock = time_;
    QCoreApplication::processEvents();
}

void Pointer::send(QPoint local, Qt::MouseButton button, Qt::MouseButtons held, bool press)
{
    QWindowSystemInterface::handleMouseEvent(window_, time_, QPointF(local), window_->mapToGlobal(QPointF(local)),
                                             held, button,
                                             press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease);
    // Only the window system's own events between press and release: a timer or a posted
    // event of the test runs after the click, as it would after a person's.
    QWindowSystemInterface::flushWindowSystemEvents();
}

void click(QWidget& widget, QPoint at, Qt::MouseButton button) { Pointer(widget).click(widget, at, 1000, button); }

void click(QWidget& widget) { click(widget, widget.rect().center()); }

namespace {

// One mouse event of the window system at `at` in `widget`'s coordinates, later than any click.
void send_mouse(QWidget& widget, QPoint at, Qt::MouseButtons held, Qt::MouseButton button, QEvent::Type type,
                Qt::KeyboardModifiers modifiers, unsigned long after_ms)
{
    g_clock += after_ms;
    QWindow* window = window_of(widget);
    const QPointF local(widget.mapTo(widget.window(), at));
    QWindowSystemInterface::handleMouseEvent(window, g_clock, local, window->mapToGlobal(local), held, button, type,
                                             modifiers);
    deliver();
}

} // namespace

void mouse_press(QWidget& widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    // Well after the last press, so that it is never the second of a double click.
    send_mouse(widget, at, button, button, QEvent::MouseButtonPress, modifiers, 1000);
}

void mouse_release(QWidget& widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    send_mouse(widget, at, Qt::NoButton, button, QEvent::MouseButtonRelease, modifiers, 20);
}

void mouse_move(QWidget& widget, QPoint at, Qt::MouseButtons held)
{
    send_mouse(widget, at, held, Qt::NoButton, QEvent::MouseMove, Qt::NoModifier, 20);
}

void wheel(QWidget& widget, QPoint at, int notches)
{
    g_clock += 20;
    QWindow* window = window_of(widget);
    const QPointF local(widget.mapTo(widget.window(), at));
    QWindowSystemInterface::handleWheelEvent(window, g_clock, local, window->mapToGlobal(local), QPoint(),
                                             QPoint(0, notches * QWheelEvent::DefaultDeltasPerStep));
    deliver();
}

void close_box(QWidget& widget)
{
    QWindowSystemInterface::handleCloseEvent(window_of(widget));
    deliver();
}

void key(QWidget& widget, int qt_key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    send_key(widget, QEvent::KeyPress, qt_key, modifiers, text);
    send_key(widget, QEvent::KeyRelease, qt_key, modifiers, text);
    deliver();
}

void type(QWidget& widget, const QString& text)
{
    // Qt's key code of a printable key is its character's upper case.
    for (const QChar c : text)
        key(widget, c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

void key_press(QWidget& widget, int qt_key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    send_key(widget, QEvent::KeyPress, qt_key, modifiers, text);
    deliver();
}

void key_release(QWidget& widget, int qt_key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    send_key(widget, QEvent::KeyRelease, qt_key, modifiers, text);
    deliver();
}

void queue_key(QWidget& widget, int qt_key, const QString& text)
{
    using Queue = QWindowSystemInterface;
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
        Queue::handleKeyEvent<Queue::AsynchronousDelivery>(window_of(widget), type, qt_key, Qt::NoModifier, text);
}

} // namespace window_input
