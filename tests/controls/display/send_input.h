#pragma once
// Input for the display controls' tests, sent straight to a widget as the window system
// would deliver it.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace send_input {

inline void mouse(QWidget* target, QEvent::Type type, QPoint at)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// A left click at `at` on the widget that lies there (as the window system picks it).
inline void click(QWidget* window, QPoint at)
{
    QWidget* target = window->childAt(at);
    if (!target)
        target = window;
    const QPoint local = target->mapFrom(window, at);
    mouse(target, QEvent::MouseButtonPress, local);
    mouse(target, QEvent::MouseButtonRelease, local);
}

inline void key(QWidget* target, QEvent::Type type, int qt_key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                const QString& text = {})
{
    QKeyEvent event(type, qt_key, modifiers, text);
    QApplication::sendEvent(target, &event);
}

inline void press_and_release(QWidget* target, int qt_key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    key(target, QEvent::KeyPress, qt_key, modifiers);
    key(target, QEvent::KeyRelease, qt_key, modifiers);
}

} // namespace send_input
