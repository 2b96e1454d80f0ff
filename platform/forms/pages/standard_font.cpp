#include "platform/forms/pages/standard_font.h"

#include "platform/forms/pages/property_page_classes.h"

#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"

#include <QVariantMap>

namespace forms {

namespace {

// The fields' value: the font's parts by name, the size as typed.
const QString kName = QStringLiteral("Name"), kSize = QStringLiteral("Size"), kBold = QStringLiteral("Bold"),
              kItalic = QStringLiteral("Italic"), kUnderline = QStringLiteral("Underline"),
              kStrikethrough = QStringLiteral("Strikethrough");

FontRef font_of(const QVariantMap& parts)
{
    FontRef font = StdFont::create();
    font->setName(parts.value(kName).toString());
    font->setSize(CDbl(parts.value(kSize)));
    font->setBold(parts.value(kBold).toBool());
    font->setItalic(parts.value(kItalic).toBool());
    font->setUnderline(parts.value(kUnderline).toBool());
    font->setStrikethrough(parts.value(kStrikethrough).toBool());
    return font;
}

} // namespace

StandardFont::StandardFont(QWidget* parent)
    : StockPropertyPage(QStringLiteral("Font"), QMetaType::fromType<FontRef>(), parent)
{
    auto field_label = [this](const QString& name, const QString& text, double top) {
        auto* label = new Label(this, name, text);
        label->Move(2880, top, 1800, 255);
    };
    field_label(QStringLiteral("lblFontName"), QStringLiteral("Font:"), 240);
    name_ = new TextBox(this, QStringLiteral("txtFontName"));
    name_->Move(2880, 540, 1800, 315);
    name_->set_label_name(QStringLiteral("Font"));
    field_label(QStringLiteral("lblSize"), QStringLiteral("Size:"), 240);
    findChild<Label*>(QStringLiteral("lblSize"))->Move(4800, 240, 840, 255);
    size_ = new TextBox(this, QStringLiteral("txtSize"));
    size_->Move(4800, 540, 840, 315);
    size_->set_label_name(QStringLiteral("Size"));

    const QString styles[] = {kBold, kItalic, kUnderline, kStrikethrough};
    CheckBox** boxes[] = {&bold_, &italic_, &underline_, &strikethrough_};
    for (int i = 0; i < 4; ++i) {
        *boxes[i] = new CheckBox(this, QStringLiteral("chk") + styles[i], styles[i]);
        (*boxes[i])->Move(2880, 1020 + i * 300, 2640, 285);
        connect(*boxes[i], &IntrinsicControl::Click, this, [this] {
            show_sample();
            field_edited();
        });
    }
    for (TextBox* box : {name_, size_})
        connect(box, &TextBox::Change, this, [this] {
            show_sample();
            field_edited();
        });
    sample_ = new Label(this, QStringLiteral("lblSample"), QStringLiteral("AaBbYyZz"));
    sample_->Move(240, 2280, 5400, 900);
    sample_->setAlignment(2);
}

void StandardFont::show_value(const QVariant& value)
{
    QVariantMap parts;
    if (value.metaType() == QMetaType::fromType<QVariantMap>()) {
        parts = value.toMap();
    } else if (const FontRef font = value.value<FontRef>()) {
        parts = {{kName, font->Name()},           {kSize, QString::number(font->Size())},
                 {kBold, font->Bold()},           {kItalic, font->Italic()},
                 {kUnderline, font->Underline()}, {kStrikethrough, font->Strikethrough()}};
    }
    name_->setText(parts.value(kName).toString());
    size_->setText(parts.value(kSize).toString());
    bold_->setValue(parts.value(kBold).toBool() ? CheckBox::Checked : CheckBox::Unchecked);
    italic_->setValue(parts.value(kItalic).toBool() ? CheckBox::Checked : CheckBox::Unchecked);
    underline_->setValue(parts.value(kUnderline).toBool() ? CheckBox::Checked : CheckBox::Unchecked);
    strikethrough_->setValue(parts.value(kStrikethrough).toBool() ? CheckBox::Checked : CheckBox::Unchecked);
    show_sample();
}

QVariant StandardFont::field_value() const
{
    return QVariantMap{{kName, name_->Text()},
                       {kSize, size_->Text()},
                       {kBold, bold_->Value() == CheckBox::Checked},
                       {kItalic, italic_->Value() == CheckBox::Checked},
                       {kUnderline, underline_->Value() == CheckBox::Checked},
                       {kStrikethrough, strikethrough_->Value() == CheckBox::Checked}};
}

void StandardFont::write(const QString& property, const QVariant& value)
{
    set(property, QVariant::fromValue(font_of(value.toMap())));
}

void StandardFont::show_sample()
{
    try {
        sample_->setFont(font_of(field_value().toMap()));
    } catch (const VbError&) {
        // A size being typed is no number yet: the sample keeps the last font it could show.
    }
}

OSTREL_FORMS_PROPERTY_PAGE_CLASS(StandardFont);

} // namespace forms
