#pragma once
// The design host's property sheet: one tab per property page, and OK, Cancel and Apply.
// open_for builds the pages the first selected control's class lists (property_page_classes.h)
// in their order. Apply is enabled while any page is Changed; Apply and OK run ApplyChanges on
// every changed page in tab order, and then every page that applied loads again, so it shows
// what the control took. An error a control raises while a page loads or applies is shown in
// a message box titled with the sheet's caption, naming the page and the property; the sheet
// stays open (OK does not close it) and what was read or written before the error stays. A
// page whose load failed is disabled and takes no part in OK or Apply; a page whose apply
// failed keeps its fields and stays changed, and the other pages are applied. A value the
// control refused without an error (it kept what it held) is reported too, and OK then stays
// open on what the control holds.

#include "platform/forms/pages/property_page.h"

#include <QDialog>

#include <memory>
#include <vector>

class QDialogButtonBox;
class QPushButton;
class QTabWidget;

namespace forms {

class PropertySheet : public QDialog {
    Q_OBJECT
public:
    explicit PropertySheet(QWidget* parent = nullptr);

    // The sheet owns the page; the tab shows the page's Caption.
    PropertyPage& add_page(std::unique_ptr<PropertyPage> page);
    // Replaces the pages by those of the first control's class and loads them from the
    // selection. No control is 91; a page no loaded module provides is 429.
    void open_for(const std::vector<QObject*>& controls);
    // Hands every page the selected controls and lets each load its fields; false when a
    // page failed to load (the error was shown).
    bool set_selection(const std::vector<QObject*>& controls);

    // What the buttons do; each returns whether every changed page applied without error.
    bool apply();
    void ok();
    void cancel() { reject(); }

    bool apply_enabled() const;
    int page_count() const;
    PropertyPage* page(int index) const;
    QString tab_text(int index) const;

protected:
    // Tab from the sheet's own buttons or tabs into a page lands on the page's first stop as
    // laid out (Shift+Tab on its last).
    bool focusNextPrevChild(bool next) override;
    // Enter and Esc that an in-place editor (a tree's rename) leaves to its window end that
    // edit, not the sheet: they press neither OK nor Cancel.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void update_apply();
    // Loads one page; false (the error shown) when it failed.
    bool load(PropertyPage& page, const std::vector<QObject*>& controls);
    static QString what_failed(const PropertyPage& page);
    void show_error(PropertyPage& page, const class VbError& error, const QString& where);

    QTabWidget* tabs_;
    QDialogButtonBox* buttons_;
    QPushButton* apply_button_;
    std::vector<PropertyPage*> pages_;
};

} // namespace forms
