#pragma once
// What a person reaches with Tab: starting at the focused widget, real Tab key events until
// the focus comes back round, each stop named as assistive tools name it (a stop that is not
// shown in `window` is marked "(not shown)").

#include <QAccessible>
#include <QApplication>
#include <QWidget>

#include <QtTest/QTest>

#include <algorithm>
#include <string>
#include <vector>

namespace forms {

inline std::vector<std::string> tab_walk(QWidget& window, int longest = 40)
{
    std::vector<std::string> stops;
    std::vector<QWidget*> seen;
    for (int i = 0; i < longest; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr || std::find(seen.begin(), seen.end(), focus) != seen.end())
            break;
        seen.push_back(focus);
        std::string stop = focus->isVisible() && focus->window() == &window ? "" : "(not shown) ";
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(focus);
        stop += accessible ? accessible->text(QAccessible::Name).toStdString() : focus->objectName().toStdString();
        stops.push_back(stop);
        QTest::keyClick(focus, Qt::Key_Tab);
        QApplication::processEvents();
    }
    return stops;
}

} // namespace forms
