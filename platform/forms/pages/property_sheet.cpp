#include "platform/forms/pages/property_sheet.h"

#include "platform/forms/services/message_box.h"
#include "platform/forms/pages/property_page_classes.h"
#include "platform/forms/pages/tab_order.h"
#include "platform/forms/hosting/type_name.h"
#include "platform/forms/core/vb_error.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

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
    // Alt+A presses Apply, as on any property sheet, so the letter never reaches a field.
    apply_button_->setText(QStringLiteral("&Apply"));
    // Ctrl+Tab and Ctrl+PgDn go to the next page, Ctrl+Shift+Tab and Ctrl+PgUp to the one
    // before, wherever the focus is in the sheet.
    auto switch_by = [this](const QKeySequence& keys, int step) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, step] {
            const int count = tabs_->count();
            if (count > 0)
                tabs_->setCurrentIndex((tabs_->currentIndex() + step + count) % count);
        });
    };
    switch_by(QKeySequence(Qt::CTRL | Qt::Key_Tab), 1);
    switch_by(QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1);
    switch_by(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1);
    switch_by(QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1);
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

void PropertySheet::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        // An item view's editor stands on its viewport; the view's delegate commits (Enter)
        // or reverts (Esc) it and closes it.
        QWidget* focus = focusWidget();
        QWidget* holder = focus ? focus->parentWidget() : nullptr;
        auto* view = holder ? qobject_cast<QAbstractItemView*>(holder->parentWidget()) : nullptr;
        if (view && view->viewport() == holder) {
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
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
    for (PropertyPage* p : pages_)
        loaded = load(*p, controls) && loaded;
    update_apply();
    return loaded;
}

bool PropertySheet::load(PropertyPage& page, const std::vector<QObject*>& controls)
{
    try {
        page.set_selection(controls);
        return true;
    } catch (const VbError& e) {
        show_error(page, e,
                   QStringLiteral("The page \"%1\" cannot show %2 and takes no part in OK or Apply.")
                       .arg(page.Caption(), what_failed(page)));
        return false;
    }
}

bool PropertySheet::apply()
{
    // Every page that can be applied is: one page's failure does not hold back the others'
    // edits. The failing page keeps what was typed into it, to be mended and applied again.
    std::vector<PropertyPage*> failed, applied;
    for (PropertyPage* p : pages_) {
        if (!p->loaded() || !p->Changed())
            continue;
        try {
            if (p->apply())
                applied.push_back(p);
            else
                failed.push_back(p);
        } catch (const VbError& e) {
            show_error(*p, e,
                       QStringLiteral("The page \"%1\" could not apply %2; it keeps what was entered.")
                           .arg(p->Caption(), what_failed(*p)));
            failed.push_back(p);
        }
    }
    // A value the control refused without an error is no success either: the
    // designer is told, and OK keeps the sheet open on what the control holds.
    bool kept = true;
    for (PropertyPage* p : applied) {
        const QStringList refused = p->not_kept();
        if (refused.isEmpty())
            continue;
        kept = false;
        tabs_->setCurrentWidget(p);
        MsgBox(QStringLiteral("The control did not keep %1 as entered on the page \"%2\"; the page shows what it "
                              "holds now.")
                   .arg(refused.join(QStringLiteral(", ")), p->Caption()),
               vbExclamation, windowTitle());
    }
    // Each other page shows again what the control now holds, so a value the control
    // refused or changed is seen at once.
    for (PropertyPage* p : pages_)
        if (p->loaded() && std::find(failed.begin(), failed.end(), p) == failed.end())
            load(*p, p->SelectedControls());
    update_apply();
    return failed.empty() && kept;
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

QString PropertySheet::what_failed(const PropertyPage& page)
{
    return page.current_property().isEmpty() ? QStringLiteral("the control")
                                             : QStringLiteral("the property ") + page.current_property();
}

void PropertySheet::show_error(PropertyPage& page, const VbError& error, const QString& where)
{
    tabs_->setCurrentWidget(&page);
    MsgBox(error.description() + QStringLiteral("\n\n") + where, vbExclamation, windowTitle());
}

void PropertySheet::update_apply()
{
    bool any = false;
    for (PropertyPage* p : pages_)
        any = any || p->Changed();
    apply_button_->setEnabled(any);
}

} // namespace forms
