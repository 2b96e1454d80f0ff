#include "controls/display/general_label_page.h"

#include "controls/display/page_fields.h"
#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/text_box.h"

GeneralLabel::GeneralLabel(QWidget* parent) : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("General"), 5925, 3495);

    txt_caption_ = new forms::TextBox(this, QStringLiteral("txtCaption"));
    txt_caption_->Move(1200, 240, 4485, 315);
    page_fields::caption(*this, *txt_caption_, QStringLiteral("Caption:"), 240, 285, 900);
    chk_auto_size_ = new forms::CheckBox(this, QStringLiteral("chkAutoSize"), QStringLiteral("AutoSize"));
    chk_auto_size_->Move(240, 780, 2400, 285);
    chk_enabled_ = new forms::CheckBox(this, QStringLiteral("chkEnabled"), QStringLiteral("Enabled"));
    chk_enabled_->Move(240, 1200, 2400, 285);
    cbo_alignment_ = new forms::ComboBox(this, QStringLiteral("cboAlignment"), forms::ComboBox::DropdownList);
    cbo_alignment_->Move(1200, 1680, 2400, 315);
    page_fields::caption(*this, *cbo_alignment_, QStringLiteral("Alignment:"), 240, 1725, 900);

    cbo_alignment_->Clear();
    for (const char* item : {"kyLeftJustify", "kyRightJustify", "kyCenter"})
        cbo_alignment_->AddItem(QString::fromLatin1(item));

    for (forms::IntrinsicControl* field :
         {static_cast<forms::IntrinsicControl*>(txt_caption_), static_cast<forms::IntrinsicControl*>(chk_auto_size_),
          static_cast<forms::IntrinsicControl*>(chk_enabled_), static_cast<forms::IntrinsicControl*>(cbo_alignment_)})
        page_fields::marks_changed(*this, *field);
}

void GeneralLabel::SelectionChanged()
{
    chk_auto_size_->setValue(page_fields::check_value(get(QStringLiteral("AutoSize"))));
    chk_enabled_->setValue(page_fields::check_value(get(QStringLiteral("Enabled"))));
    txt_caption_->setText(forms::CStr(get(QStringLiteral("Caption"))));
    cbo_alignment_->setListIndex(forms::CInt(get(QStringLiteral("Alignment"))));
    visible_ = forms::CBool(get(QStringLiteral("Visible")));
}

void GeneralLabel::ApplyChanges()
{
    let(QStringLiteral("AutoSize"), page_fields::checked(*chk_auto_size_));
    let(QStringLiteral("Enabled"), page_fields::checked(*chk_enabled_));
    let(QStringLiteral("Caption"), txt_caption_->Text());
    let(QStringLiteral("Alignment"), static_cast<qint16>(cbo_alignment_->ListIndex()));
    let(QStringLiteral("Visible"), visible_);
}
