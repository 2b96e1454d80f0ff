#include "controls/wizard/general_navigator_page.h"

#include "controls/display/page_fields.h"
#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/text_box.h"

GeneralNavigator::GeneralNavigator(QWidget* parent) : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("General"), 5925, 3495);
    txt_start_page_ = page_fields::text_field(*this, QStringLiteral("txtStartPage"), QStringLiteral("&Start Page:"), 240,
                                              240, 2520);
    cbo_banner_style_ = new forms::ComboBox(this, QStringLiteral("cboBannerStyle"), forms::ComboBox::DropdownList);
    cbo_banner_style_->Move(240, 1275, 2520, 315);
    page_fields::caption(*this, *cbo_banner_style_, QStringLiteral("Banner St&yle:"), 240, 1005, 2520);
    for (const char* item : {"kyOSWindows2k", "kyKyrell"})
        cbo_banner_style_->AddItem(QString::fromLatin1(item));
    chk_enabled_ = new forms::CheckBox(this, QStringLiteral("chkEnabled"), QStringLiteral("Enabled"));
    chk_enabled_->Move(240, 1875, 2520, 285);
    page_fields::mark_changed_by(*this, {txt_start_page_, cbo_banner_style_, chk_enabled_});
}

void GeneralNavigator::SelectionChanged()
{
    txt_start_page_->setText(forms::CStr(get(QStringLiteral("StartPage"))));
    chk_enabled_->setValue(page_fields::check_value(get(QStringLiteral("Enabled"))));
    cbo_banner_style_->setListIndex(forms::CInt(get(QStringLiteral("BannerHeaderStyle"))));
}

void GeneralNavigator::ApplyChanges()
{
    let(QStringLiteral("StartPage"), txt_start_page_->Text());
    let(QStringLiteral("Enabled"), page_fields::checked(*chk_enabled_));
    let(QStringLiteral("BannerHeaderStyle"),
               static_cast<qint16>(cbo_banner_style_->ListIndex()));
}
