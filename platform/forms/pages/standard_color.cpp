#include "platform/forms/pages/standard_color.h"

#include "platform/forms/pages/property_page_classes.h"

#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/property_value_text.h"
#include "platform/forms/intrinsics/shape.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"

namespace forms {

namespace {

const QString kColorWord = QStringLiteral("Color ");

// The colour a text names, or nothing; "&H...&" as the runtime writes colours.
std::optional<OLE_COLOR> parse_color(const QString& text)
{
    try {
        const QVariant value = decode_property_value(kColorWord + text.trimmed());
        if (value.metaType() == QMetaType::fromType<uint>())
            return value.toUInt();
    } catch (const VbError&) {
    }
    return std::nullopt;
}

} // namespace

StandardColor::StandardColor(QWidget* parent)
    : StockPropertyPage(QStringLiteral("Color"), QMetaType::fromType<uint>(), parent)
{
    auto* label = new Label(this, QStringLiteral("lblColor"), QStringLiteral("Color:"));
    label->Move(2880, 240, 2640, 255);
    color_ = new TextBox(this, QStringLiteral("txtColor"));
    color_->Move(2880, 540, 1800, 315);
    color_->set_label_name(QStringLiteral("Color"));
    swatch_ = new Shape(this, QStringLiteral("shpColor"));
    swatch_->Move(4800, 540, 720, 315);
    swatch_->setBackStyle(1);
    connect(color_, &TextBox::Change, this, [this] {
        show_swatch();
        field_edited();
    });
}

void StandardColor::show_value(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QString>())
        color_->setText(value.toString());
    else
        color_->setText(
            encode_property_value(QVariant::fromValue(static_cast<uint>(value.toUInt()))).mid(kColorWord.size()));
    show_swatch();
}

QVariant StandardColor::field_value() const { return color_->Text(); }

void StandardColor::write(const QString& property, const QVariant& value)
{
    const auto color = parse_color(value.toString());
    if (!color)
        forms::raise(
            vberr::InvalidPropertyValue, QStringLiteral("StandardColor"),
            QStringLiteral("%1: \"%2\" is not a colour (write it as &H00BBGGRR&)").arg(property, value.toString()));
    let(property, static_cast<uint>(*color));
}

void StandardColor::show_swatch()
{
    const auto color = parse_color(color_->Text());
    swatch_->setVisible(color.has_value());
    if (color)
        swatch_->setBackColor(*color);
}

OSTREL_FORMS_PROPERTY_PAGE_CLASS(StandardColor);

} // namespace forms
