#include "controls/display/general_info_page.h"

#include "controls/display/page_fields.h"
#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/text_box.h"

namespace {

// The Display switches in read and write order, with their captions.
const char* const kDisplayProperties[] = {"DisplayTotal", "DisplayProcessed", "DisplayErrors", "DisplayElapsedTime",
                                          "DisplayEstimatedTime"};
const char* const kDisplayCaptions[] = {"Display Total", "Display Processed", "Display Errors", "Display Elapsed Time",
                                        "Display Estimated Time"};

} // namespace

GeneralInfo::GeneralInfo(QWidget* parent) : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("General"), 5925, 3495);

    txt_status_ = page_fields::text_field(*this, QStringLiteral("txtStatus"), QStringLiteral("Status:"), 240, 240,
                                          5445);
    txt_progress_ = page_fields::text_field(*this, QStringLiteral("txtProgress"), QStringLiteral("Progress:"), 240,
                                            1005, 2520);
    txt_progress_max_ = page_fields::text_field(*this, QStringLiteral("txtProgressMax"),
                                                QStringLiteral("Progress Max:"), 240, 1770, 2520);
    chk_show_percent_ = new forms::CheckBox(this, QStringLiteral("chkShowPercent"),
                                            QStringLiteral("Show Percent Completed"));
    chk_show_percent_->Move(240, 2640, 2760, 285);

    // The frame lists the switches from the top in the reverse of their read order.
    fra_display_ = new forms::Frame(this, QStringLiteral("fraDisplay"));
    fra_display_->Move(2940, 1005, 2745, 2175);
    for (int i = 0; i < 5; ++i) {
        const QString property = QString::fromLatin1(kDisplayProperties[i]);
        display_[i] = new forms::CheckBox(fra_display_, QStringLiteral("chk") + property,
                                          QString::fromLatin1(kDisplayCaptions[i]));
        display_[i]->Move(150, 240 + (4 - i) * 375, 2535, 285);
        page_fields::marks_changed(*this, *display_[i]);
    }
    page_fields::mark_changed_by(*this, {txt_status_, txt_progress_, txt_progress_max_, chk_show_percent_});
}

void GeneralInfo::SelectionChanged()
{
    for (int i = 0; i < 5; ++i)
        display_[i]->setValue(
            page_fields::check_value(get(QString::fromLatin1(kDisplayProperties[i]))));
    chk_show_percent_->setValue(
        page_fields::check_value(get(QStringLiteral("ShowPercentCompleted"))));
    txt_progress_max_->setText(forms::CStr(get(QStringLiteral("ProgressMax"))));
    txt_progress_->setText(forms::CStr(get(QStringLiteral("Progress"))));
    txt_status_->setText(forms::CStr(get(QStringLiteral("Status"))));
}

void GeneralInfo::ApplyChanges()
{
    for (int i = 0; i < 5; ++i)
        let(QString::fromLatin1(kDisplayProperties[i]), page_fields::checked(*display_[i]));
    let(QStringLiteral("ProgressMax"), txt_progress_max_->Text());
    let(QStringLiteral("Progress"), txt_progress_->Text());
    let(QStringLiteral("Status"), txt_status_->Text());
    let(QStringLiteral("ShowPercentCompleted"), page_fields::checked(*chk_show_percent_));
}
