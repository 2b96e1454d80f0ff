#include "platform/forms/pages/tab_order.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace forms {

namespace {

// The widget that takes the focus for `widget` (its inner field, for a text box).
QWidget* focus_target(QWidget* widget)
{
    while (widget->focusProxy() != nullptr)
        widget = widget->focusProxy();
    return widget;
}

bool takes_tab(QWidget& widget) { return (focus_target(&widget)->focusPolicy() & Qt::TabFocus) != 0; }

bool usable(const QWidget& widget, const QWidget& window)
{
    return (widget.focusPolicy() & Qt::TabFocus) && widget.isVisibleTo(&window) && widget.isEnabled();
}

void collect(QWidget& container, std::vector<QWidget*>& out)
{
    std::vector<QWidget*> children;
    for (QWidget* child : container.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            children.push_back(child);
    // Row by row: the topmost first with whatever shares its height, from the left.
    while (!children.empty()) {
        const QWidget* top = *std::min_element(children.begin(), children.end(),
                                               [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
        const QRect first = top->geometry();
        std::vector<QWidget*> row;
        for (QWidget* w : children)
            if (w == top || (w->geometry().top() < first.bottom() && first.top() < w->geometry().bottom()))
                row.push_back(w);
        std::sort(row.begin(), row.end(), [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        for (QWidget* w : row) {
            children.erase(std::find(children.begin(), children.end(), w));
            if (takes_tab(*w))
                out.push_back(focus_target(w));
            else
                collect(*w, out);
        }
    }
}

} // namespace

std::vector<QWidget*> tab_stops_as_laid_out(QWidget& container)
{
    std::vector<QWidget*> stops;
    collect(container, stops);
    return stops;
}

bool move_focus_as_laid_out(QWidget& container, bool next)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || !container.isAncestorOf(focus))
        return false;
    const QWidget& window = *container.window();
    const std::vector<QWidget*> stops = tab_stops_as_laid_out(container);
    auto at = std::find_if(stops.begin(), stops.end(), [&](QWidget* s) { return s == focus || s->isAncestorOf(focus); });
    if (at != stops.end()) {
        if (next) {
            for (auto it = at + 1; it != stops.end(); ++it)
                if (usable(**it, window)) {
                    (*it)->setFocus(Qt::TabFocusReason);
                    return true;
                }
        } else {
            for (auto it = at; it != stops.begin();)
                if (usable(**--it, window)) {
                    (*it)->setFocus(Qt::BacktabFocusReason);
                    return true;
                }
        }
    }
    // Out of the container: the window's next Tab stop beyond it.
    for (QWidget* w = next ? focus->nextInFocusChain() : focus->previousInFocusChain(); w != focus;
         w = next ? w->nextInFocusChain() : w->previousInFocusChain())
        if (!container.isAncestorOf(w) && w->window() == &window && usable(*w, window)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    return false;
}

void enter_as_laid_out(QWidget& container, bool next)
{
    std::vector<QWidget*> stops = tab_stops_as_laid_out(container);
    if (!next)
        std::reverse(stops.begin(), stops.end());
    for (QWidget* stop : stops)
        if (usable(*stop, *container.window())) {
            stop->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
}

} // namespace forms
