#include "platform/forms/property_page.h"

#include "platform/forms/message_box.h"
#include "platform/forms/tab_order.h"
#include "platform/forms/vb_error.h"

#include <QScopeGuard>

namespace forms {

PropertyPage::PropertyPage(QWidget* parent) : QWidget(parent) {}

void PropertyPage::setChanged(bool changed)
{
    if (changed == changed_)
        return;
    changed_ = changed;
    emit ChangedChanged(changed);
}

QObject* PropertyPage::first_selected() const
{
    if (selected_.empty() || selected_.front() == nullptr)
        forms::raise(vberr::ObjectVariableNotSet, QStringLiteral("PropertyPage"),
                     QStringLiteral("No control is selected"));
    return selected_.front();
}

void PropertyPage::set_selection(std::vector<QObject*> controls)
{
    selected_ = std::move(controls);
    // Loading the fields is not an edit, also when the control fails part way.
    const auto unchanged = qScopeGuard([this] { setChanged(false); });
    SelectionChanged();
}

void PropertyPage::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // An error must not unwind through Qt's painting; the runtime's box reports it.
    try {
        Paint();
    } catch (const VbError& e) {
        report_unhandled_error(e.number(), e.description());
    }
}

void PropertyPage::apply()
{
    ApplyChanges();
    setChanged(false);
}

bool PropertyPage::focusNextPrevChild(bool next)
{
    return move_focus_as_laid_out(*this, next) || QWidget::focusNextPrevChild(next);
}

} // namespace forms
