#pragma once
// What the library's property pages share: how a check box shows and writes a Boolean
// property, and how a page lays out a field with its caption. Pages edit the first selected
// control by property name (forms::get / forms::let) and check no value themselves.

#include <QString>
#include <QVariant>

#include <initializer_list>

class QWidget;

namespace forms {
class CheckBox;
class IntrinsicControl;
class PropertyPage;
class TextBox;
} // namespace forms

namespace page_fields {

// Gives a new page its caption (also its accessible name), its design size in twips and the
// button-face ground its fields are painted on.
void prepare(forms::PropertyPage& page, const QString& caption, double width, double height);

// A check box shows a Boolean property as the property's value And 1, so True (-1) checks it.
int check_value(const QVariant& property);
// What a check box writes back: True when it is checked (value 1).
bool checked(const forms::CheckBox& box);

// A caption label on `page` at the twips given, named after the field it captions and
// giving that field its accessible name.
void caption(forms::PropertyPage& page, forms::IntrinsicControl& field, const QString& text, double left, double top,
             double width, double height = 255);

// A one-line text box `width` twips wide with its caption label above it at (left, top).
forms::TextBox* text_field(forms::PropertyPage& page, const QString& name, const QString& text, double left, double top,
                           double width);

// Marks the page changed on every edit of the field: a text change, a click of a list or a
// check box.
void marks_changed(forms::PropertyPage& page, forms::IntrinsicControl& field);
void mark_changed_by(forms::PropertyPage& page, std::initializer_list<forms::IntrinsicControl*> fields);

} // namespace page_fields
