#pragma once
// What the runtime's stock pages (StandardColor, StandardFont, StandardPicture) share: a list
// of the first selected control's properties of one kind (colours, fonts or pictures), the
// fields of the property chosen in it, and the edited value of each property kept while
// another is shown. Loading reads every property of the kind; applying writes the edited
// ones in list order.

#include "platform/forms/pages/property_page.h"

#include <QMetaType>
#include <QVariant>

#include <vector>

namespace forms {

class ComboBox;

class StockPropertyPage : public PropertyPage {
    Q_OBJECT
public:
    ComboBox& lstProperties() const { return *properties_; }
    QStringList property_names() const;

protected:
    StockPropertyPage(const QString& caption, QMetaType kind, QWidget* parent);

    // Shows a property's value (as read, or as kept from field_value) in the fields.
    virtual void show_value(const QVariant& value) = 0;
    // What the fields show now, in the form show_value takes.
    virtual QVariant field_value() const = 0;
    // Writes a kept value to the first selected control's property (through the page's let or
    // set, so an error names the property); the control's error reaches the sheet.
    virtual void write(const QString& property, const QVariant& value) = 0;

    // The fields call it on every edit: the shown property keeps the fields' value.
    void field_edited();

    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    void show_chosen();

    struct Entry {
        QString name;
        QVariant value;
        bool edited = false;
    };
    QMetaType kind_;
    ComboBox* properties_;
    std::vector<Entry> entries_;
    bool showing_ = false;
};

} // namespace forms
