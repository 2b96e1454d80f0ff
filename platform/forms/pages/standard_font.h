#pragma once
// StandardFont: the runtime's stock "Font" page. It lists the selected control's font
// properties and edits the chosen one's name, size and styles, with a sample in that font.
// Applying sets a new font object on each edited property; a size that is no number is 13.

#include "platform/forms/pages/stock_property_page.h"

namespace forms {

class CheckBox;
class Label;
class TextBox;

class StandardFont : public StockPropertyPage {
    Q_OBJECT
public:
    explicit StandardFont(QWidget* parent = nullptr);

    TextBox& txtFontName() const { return *name_; }
    TextBox& txtSize() const { return *size_; }
    CheckBox& chkBold() const { return *bold_; }
    CheckBox& chkItalic() const { return *italic_; }
    CheckBox& chkUnderline() const { return *underline_; }
    CheckBox& chkStrikethrough() const { return *strikethrough_; }

protected:
    void show_value(const QVariant& value) override;
    QVariant field_value() const override;
    void write(const QString& property, const QVariant& value) override;

private:
    void show_sample();

    TextBox* name_;
    TextBox* size_;
    CheckBox* bold_;
    CheckBox* italic_;
    CheckBox* underline_;
    CheckBox* strikethrough_;
    Label* sample_;
};

} // namespace forms
