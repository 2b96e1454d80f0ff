#include "platform/forms/property_sheet.h"

#include "platform/forms/message_box.h"
#include "platform/forms/property_page_classes.h"
#include "platform/forms/tab_order.h"
#include "platform/forms/type_name.h"
#include "platform/forms/vb_error.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace forms {

PropertySheet::PropertySheet(QWidget* parent)
    : QDialog(parent), tabs_(new QTabWidget(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this)),
      apply_button_(buttons_->button(QDialogButtonBox::Apply))
{
    setWindowTitle(QStringLiteral("Property Pages"));
    setAccessibleName(windowTitle());
    tabs_->setAccessibleName(QStringLiteral("Pages"));
    // Every tab title shows: the sheet widens rather than scrolling its tabs.
    tabs_->setUsesScrollButtons(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons_);
    connect(buttons_->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, &PropertySheet::ok);
    connect(buttons_->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this, &PropertySheet::cancel);
    connect(apply_button_, &QPushButton::clicked, this, [this] { apply(); });
    update_apply();
}

bool PropertySheet::focusNextPrevChild(bool next)
{
    QWidget* before = focusWidget();
    const bool moved = QDialog::focusNextPrevChild(next);
    QWidget* now = focusWidget();
    for (PropertyPage* page : pages_)
        if (now != nullptr && page->isAncestorOf(now) && !(before != nullptr && page->isAncestorOf(before)))
            enter_as_laid_out(*page, next);
    return moved;
}

PropertyPage& PropertySheet::add_page(std::unique_ptr<PropertyPage> page)
{
    PropertyPage* raw = page.release();
    tabs_->addTab(raw, raw->Caption());
    pages_.push_back(raw);
    connect(raw, &PropertyPage::ChangedChanged, this, &PropertySheet::update_apply);
    return *raw;
}

void PropertySheet::open_for(const std::vector<QObject*>& controls)
{
    if (controls.empty() || controls.front() == nullptr)
        forms::raise(vberr::ObjectVariableNotSet, QStringLiteral("PropertySheet"),
                     QStringLiteral("No control is selected"));
    std::vector<std::unique_ptr<PropertyPage>> made;
    for (const QString& name : PropertyPageClasses::pages_of(TypeName(controls.front())))
        made.push_back(PropertyPageClasses::create(name));
    for (PropertyPage* p : pages_)
        p->deleteLater();
    tabs_->clear();
    pages_.clear();
    for (auto& p : made)
        add_page(std::move(p));
    set_selection(controls);
}

bool PropertySheet::set_selection(const std::vector<QObject*>& controls)
{
    bool loaded = true;
    for (PropertyPage* p : pages_) {
        try {
            p->set_selection(controls);
        } catch (const VbError& e) {
            show_error(*p, e);
            loaded = false;
        }
    }
    update_apply();
    return loaded;
}

bool PropertySheet::apply()
{
    for (PropertyPage* p : pages_) {
        if (!p->Changed())
            continue;
        try {
            p->apply();
        } catch (const VbError& e) {
            show_error(*p, e);
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

QString PropertySheet::tab_text(int index) const { return tabs_->tabText(index); }

void PropertySheet::show_error(PropertyPage& page, const VbError& error)
{
    tabs_->setCurrentWidget(&page);
    MsgBox(error.description(), vbExclamation, windowTitle());
}

void PropertySheet::update_apply()
{
    bool any = false;
    for (PropertyPage* p : pages_)
        any = any || p->Changed();
    apply_button_->setEnabled(any);
}

} // namespace forms
