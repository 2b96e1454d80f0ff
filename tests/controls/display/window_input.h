#pragma once
// Input for the display controls' tests as the window system delivers it: through Qt's
// window-system queue (QWindowSystemInterface) to the control's window, with timestamps of our
// own, so Qt itself picks the widget under the pointer, the focus and double clicks.

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace window_input {

class Pointer {
public:
    // Events go to the window of `widget`, which must be shown.
    explicit Pointer(QWidget& widget) : window_(widget.window()->windowHandle()) {}

    // A press and a release of the left button at `at` (in `widget`'s coordinates), `gap_ms`
    // after the previous click: within the platform's double-click time, the second press is
    // a double click.
    void click(QWidget& widget, QPoint at, ulong gap_ms = 1000)
    {
        time_ += gap_ms;
        const QPointF local = widget.mapTo(widget.window(), at);
        send(local, Qt::LeftButton, QEvent::MouseButtonPress);
        time_ += 20;
        send(local, Qt::NoButton, QEvent::MouseButtonRelease);
    }

private:
    void send(QPointF local, Qt::MouseButtons held, QEvent::Type type)
    {
        QWindowSystemInterface::handleMouseEvent(window_, time_, local, window_->mapToGlobal(local), held,
                                                 Qt::LeftButton, type);
        QWindowSystemInterface::flushWindowSystemEvents();
        QCoreApplication::processEvents();
    }

    QWindow* window_;
    ulong time_ = 100000;
};

// A key pressed and released on the window with the focus of `widget`'s window.
inline void key(QWidget& widget, int qt_key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
{
    QWindow* window = widget.window()->windowHandle();
    QWindowSystemInterface::handleKeyEvent(window, QEvent::KeyPress, qt_key, modifiers, text);
    QWindowSystemInterface::handleKeyEvent(window, QEvent::KeyRelease, qt_key, modifiers, text);
    QWindowSystemInterface::flushWindowSystemEvents();
    QCoreApplication::processEvents();
}

} // namespace window_input
