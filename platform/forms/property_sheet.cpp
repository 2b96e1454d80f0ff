#include "platform/forms/property_sheet.h"

#include "platform/forms/message_box.h"
#include "platform/forms/vb_error.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace forms {

PropertySheet::PropertySheet(QWidget* parent)
    : QDialog(parent)
    , tabs_(new QTabWidget(this))
    , buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this))
    , apply_button_(buttons_->button(QDialogButtonBox::Apply))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons_);
    connect(buttons_->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, &PropertySheet::ok);
    connect(buttons_->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this, &PropertySheet::cancel);
    connect(apply_button_, &QPushButton::clicked, this, [this] { apply(); });
    update_apply();
}

PropertyPage& PropertySheet::add_page(std::unique_ptr<PropertyPage> page)
{
    PropertyPage* raw = page.release();
    tabs_->addTab(raw, raw->Caption());
    pages_.push_back(raw);
    connect(raw, &PropertyPage::ChangedChanged, this, &PropertySheet::update_apply);
    return *raw;
}

void PropertySheet::set_selection(const std::vector<QObject*>& controls)
{
    for (PropertyPage* p : pages_)
        p->set_selection(controls);
    update_apply();
}

bool PropertySheet::apply()
{
    for (PropertyPage* p : pages_) {
        if (!p->Changed())
            continue;
        try {
            p->apply();
        } catch (const VbError& e) {
            MsgBox(e.description(), vbExclamation, windowTitle());
            tabs_->setCurrentWidget(p);
            update_apply();
            return false;
        }
    }
    update_apply();
    return true;
}

void PropertySheet::ok()
{
    if (apply())
        accept();
}

bool PropertySheet::apply_enabled() const { return apply_button_->isEnabled(); }
int PropertySheet::page_count() const { return static_cast<int>(pages_.size()); }
PropertyPage* PropertySheet::page(int index) const
{
    return index >= 0 && index < page_count() ? pages_[static_cast<size_t>(index)] : nullptr;
}

void PropertySheet::update_apply()
{
    bool any = false;
    for (PropertyPage* p : pages_)
        any = any || p->Changed();
    apply_button_->setEnabled(any);
}

} // namespace forms
