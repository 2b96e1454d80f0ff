#include "platform/forms/property_page.h"

namespace forms {

PropertyPage::PropertyPage(QWidget* parent)
    : QWidget(parent)
{
}

void PropertyPage::setChanged(bool changed)
{
    if (changed == changed_)
        return;
    changed_ = changed;
    emit ChangedChanged(changed);
}

void PropertyPage::set_selection(std::vector<QObject*> controls)
{
    selected_ = std::move(controls);
    SelectionChanged();
    // Loading the fields is not an edit.
    setChanged(false);
}

void PropertyPage::apply()
{
    ApplyChanges();
    setChanged(false);
}

} // namespace forms
