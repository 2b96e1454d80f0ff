#include "platform/forms/pages/property_page.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/pages/tab_order.h"
#include "platform/forms/core/vb_error.h"

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
    // A page goes to the control itself: its members are the control's, never the site's.
    if (auto* site = qobject_cast<ControlSite*>(selected_.front()); site && site->control())
        return site->Object();
    return selected_.front();
}

QVariant PropertyPage::get(const QString& property)
{
    current_property_ = property;
    QVariant value = forms::get(first_selected(), property);
    last_read_.insert(property.toLower(), value);
    return value;
}

void PropertyPage::let(const QString& property, const QVariant& value)
{
    current_property_ = property;
    forms::let(first_selected(), property, value);
    written_.push_back({property, value, last_read_.value(property.toLower())});
}

namespace {

// Whether `held` is `written` as the control's property type takes it; true when the two
// cannot be compared as plain values (or nothing was held).
bool holds(const QVariant& held, const QVariant& written)
{
    if (!held.isValid())
        return true;
    try {
        switch (held.typeId()) {
        case QMetaType::Bool: return CBool(held) == CBool(written);
        case QMetaType::Short:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Float:
        case QMetaType::Double: return CDbl(held) == CDbl(written);
        case QMetaType::QString: return CStr(held) == CStr(written);
        default: return true;
        }
    } catch (const VbError&) {
        return true;
    }
}

} // namespace

QStringList PropertyPage::not_kept() const
{
    QStringList out;
    for (const Written& w : written_) {
        try {
            // Refused: the control still holds what it held before, not what was written. A
            // control that takes a value in its own form (an increment's size) changed it, and
            // the page's reload shows that without a word.
            const QVariant held = forms::get(first_selected(), w.property);
            if (!holds(held, w.value) && (!w.before.isValid() || holds(held, w.before)) &&
                !out.contains(w.property))
                out << w.property;
        } catch (const VbError&) {
            // A property that cannot be read back is taken at its word.
        }
    }
    return out;
}

void PropertyPage::set(const QString& property, const QVariant& object)
{
    current_property_ = property;
    forms::set(first_selected(), property, object);
}

QVariant PropertyPage::call(const QString& method, const QVariantList& args)
{
    current_property_ = method;
    return forms::call(first_selected(), method, args);
}

void PropertyPage::set_selection(std::vector<QObject*> controls)
{
    selected_ = std::move(controls);
    current_property_.clear();
    loaded_ = false;
    // Loading the fields is not an edit, also when the control fails part way; a page left
    // part-filled by a failure must not be edited and written back as if it showed the control.
    const auto settle = qScopeGuard([this] {
        setChanged(false);
        setEnabled(loaded_);
    });
    SelectionChanged();
    loaded_ = true;
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

bool PropertyPage::apply()
{
    current_property_.clear();
    written_.clear();
    apply_refused_ = false;
    ApplyChanges();
    if (apply_refused_)
        return false;
    setChanged(false);
    return true;
}

bool PropertyPage::focusNextPrevChild(bool next)
{
    return move_focus_as_laid_out(*this, next) || QWidget::focusNextPrevChild(next);
}

} // namespace forms
