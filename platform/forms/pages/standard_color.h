#pragma once
// StandardColor: the runtime's stock "Color" page. It lists the selected control's colour
// properties (OLE_COLOR) and edits the chosen one as the runtime's colour text (&H00BBGGRR&,
// system colours &H800000nn&), with a swatch of the colour. A text that is no colour is
// refused when applied, with 380 naming the property.

#include "platform/forms/pages/stock_property_page.h"

namespace forms {

class Shape;
class TextBox;

class StandardColor : public StockPropertyPage {
    Q_OBJECT
public:
    explicit StandardColor(QWidget* parent = nullptr);

    TextBox& txtColor() const { return *color_; }

protected:
    void show_value(const QVariant& value) override;
    QVariant field_value() const override;
    void write(const QString& property, const QVariant& value) override;

private:
    void show_swatch();

    TextBox* color_;
    Shape* swatch_;
};

} // namespace forms
