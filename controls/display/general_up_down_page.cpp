#include "controls/display/general_up_down_page.h"

#include "controls/display/page_fields.h"
#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/text_box.h"

namespace {

constexpr double caption_left = 240;
constexpr double field_left = 1440;
constexpr double row_height = 435;

forms::TextBox* number_field(forms::PropertyPage& page, const char* name, const char* caption, int row)
{
    auto* field = new forms::TextBox(&page, QString::fromLatin1(name));
    field->Move(field_left, 240 + row * row_height, 1500, 315);
    page_fields::caption(page, *field, QString::fromLatin1(caption), caption_left, 285 + row * row_height, 1140);
    return field;
}

} // namespace

GeneralUpDown::GeneralUpDown(QWidget* parent) : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("General"), 5925, 3495);
    txt_value_ = number_field(*this, "txtValue", "&Value:", 0);
    txt_min_ = number_field(*this, "txtMin", "&Min:", 1);
    txt_max_ = number_field(*this, "txtMax", "Ma&x:", 2);
    txt_increment_ = number_field(*this, "txtIncrement", "&Increment:", 3);
    cbo_alignment_ = new forms::ComboBox(this, QStringLiteral("cboAlignment"), forms::ComboBox::DropdownList);
    cbo_alignment_->Move(field_left, 240 + 4 * row_height, 2100, 315);
    page_fields::caption(*this, *cbo_alignment_, QStringLiteral("&Alignment:"), caption_left, 285 + 4 * row_height,
                         1140);
    chk_wrap_ = new forms::CheckBox(this, QStringLiteral("chkWrap"), QStringLiteral("&Wrap"));
    chk_wrap_->Move(caption_left, 240 + 5 * row_height, 1500, 285);

    cbo_alignment_->Clear();
    for (const char* item : {"0 - Left Justify", "1 - Right Justify", "2 - Center"})
        cbo_alignment_->AddItem(QString::fromLatin1(item));

    for (forms::IntrinsicControl* field :
         {static_cast<forms::IntrinsicControl*>(txt_value_), static_cast<forms::IntrinsicControl*>(txt_min_),
          static_cast<forms::IntrinsicControl*>(txt_max_), static_cast<forms::IntrinsicControl*>(txt_increment_),
          static_cast<forms::IntrinsicControl*>(cbo_alignment_), static_cast<forms::IntrinsicControl*>(chk_wrap_)})
        page_fields::marks_changed(*this, *field);
}

void GeneralUpDown::SelectionChanged()
{
    chk_wrap_->setValue(page_fields::check_value(get(QStringLiteral("Wrap"))));
    txt_increment_->setText(forms::CStr(get(QStringLiteral("Increment"))));
    txt_max_->setText(forms::CStr(get(QStringLiteral("Max"))));
    txt_min_->setText(forms::CStr(get(QStringLiteral("Min"))));
    txt_value_->setText(forms::CStr(get(QStringLiteral("Value"))));
    cbo_alignment_->setListIndex(forms::CInt(get(QStringLiteral("Alignment"))));
}

void GeneralUpDown::ApplyChanges()
{
    let(QStringLiteral("Wrap"), page_fields::checked(*chk_wrap_));
    let(QStringLiteral("Increment"), txt_increment_->Text());
    let(QStringLiteral("Max"), txt_max_->Text());
    let(QStringLiteral("Min"), txt_min_->Text());
    let(QStringLiteral("Value"), txt_value_->Text());
    let(QStringLiteral("Alignment"), cbo_alignment_->ListIndex());
}
