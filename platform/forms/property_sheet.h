#pragma once
// The design host's property sheet: one tab per property page, and OK, Cancel and Apply.
// Apply is enabled while any page is Changed; Apply and OK run ApplyChanges on every changed
// page in tab order. An error raised while applying is shown in a message box titled with
// the sheet's caption and keeps the sheet open (OK does not close it).

#include "platform/forms/property_page.h"

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
    // Hands every page the selected controls and lets each load its fields.
    void set_selection(const std::vector<QObject*>& controls);

    // What the buttons do; each returns whether every changed page applied without error.
    bool apply();
    void ok();
    void cancel() { reject(); }

    bool apply_enabled() const;
    int page_count() const;
    PropertyPage* page(int index) const;

private:
    void update_apply();

    QTabWidget* tabs_;
    QDialogButtonBox* buttons_;
    QPushButton* apply_button_;
    std::vector<PropertyPage*> pages_;
};

} // namespace forms
