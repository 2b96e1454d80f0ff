#include "controls/display/general_progress_page.h"

#include "controls/display/page_fields.h"
#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/text_box.h"

GeneralProgress::GeneralProgress(QWidget* parent) : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("General"), 5925, 3495);

    txt_min_ = page_fields::text_field(*this, QStringLiteral("txtMin"), QStringLiteral("M&in:"), 240, 240, 2520);
    txt_max_ = page_fields::text_field(*this, QStringLiteral("txtMax"), QStringLiteral("Ma&x:"), 3165, 240, 2520);
    txt_caption_ = page_fields::text_field(*this, QStringLiteral("txtCaption"), QStringLiteral("Ca&ption:"), 240, 1005,
                                           5445);
    cbo_caption_align_ = new forms::ComboBox(this, QStringLiteral("cboCaptionAlign"), forms::ComboBox::DropdownList);
    cbo_caption_align_->Move(240, 2040, 2520, 315);
    page_fields::caption(*this, *cbo_caption_align_, QStringLiteral("Caption A&lign:"), 240, 1770, 2520);
    for (const char* item : {"0 - arAlignLeft", "1 - arAlignRight", "2 - arAlignCenter"})
        cbo_caption_align_->AddItem(QString::fromLatin1(item));
    chk_errors_notify_ = new forms::CheckBox(this, QStringLiteral("chkErrorsNotify"), QStringLiteral("ErrorsNotify"));
    chk_errors_notify_->Move(240, 2640, 2520, 285);

    page_fields::mark_changed_by(*this, {txt_min_, txt_max_, txt_caption_, cbo_caption_align_, chk_errors_notify_});
}

void GeneralProgress::SelectionChanged()
{
    chk_errors_notify_->setValue(
        page_fields::check_value(get(QStringLiteral("ErrorsNotify"))));
    txt_caption_->setText(forms::CStr(get(QStringLiteral("Caption"))));
    txt_max_->setText(forms::CStr(get(QStringLiteral("Max"))));
    txt_min_->setText(forms::CStr(get(QStringLiteral("Min"))));
    // An Align the list cannot show fails here, after the four fields above are filled.
    cbo_caption_align_->setListIndex(forms::CInt(get(QStringLiteral("Align"))));
}

void GeneralProgress::ApplyChanges()
{
    let(QStringLiteral("ErrorsNotify"), page_fields::checked(*chk_errors_notify_));
    let(QStringLiteral("Caption"), txt_caption_->Text());
    let(QStringLiteral("Max"), txt_max_->Text());
    let(QStringLiteral("Min"), txt_min_->Text());
    let(QStringLiteral("Align"), static_cast<qint16>(cbo_caption_align_->ListIndex()));
}
