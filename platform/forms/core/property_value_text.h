#pragma once
// The text form of one property value in a form file: a type word and the value, so that a
// value reads back as the kind it was written.
//   Empty | Boolean True|False | Integer -5 | Long 70000 | Single 1.5 | Double 2.25
//   String "text with \" \\ \r \n \t escapes" | Color &H8000000F&
//   Font Name="MS Sans Serif" Size=8.25 Weight=400 Italic=0 Underline=0 Strikethrough=0 Charset=0
//   Picture None | Picture <base64 of PNG>

#include <QString>
#include <QVariant>

namespace forms {

// Raises VbError 13 for a value that has no text form (an object reference, Nothing included).
QString encode_property_value(const QVariant& value);
// Whether encode_property_value takes the value.
bool storable_property_value(const QVariant& value);
// An object reference (Nothing included).
bool is_object_reference(const QVariant& value);
// Raises VbError 380 (Invalid property value) with a description naming what is wrong. With
// `picture_pixels_left`, a picture is measured before it is decoded and refused when its
// pixels exceed what is left, which it then uses up.
QVariant decode_property_value(const QString& text, qint64* picture_pixels_left = nullptr);

} // namespace forms
