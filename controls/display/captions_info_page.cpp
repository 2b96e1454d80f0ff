#include "controls/display/captions_info_page.h"

#include "controls/display/page_fields.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/text_box.h"

namespace {

QString step_property(int step) { return QStringLiteral("StepDescription%1").arg(step); }

} // namespace

CaptionsInfo::CaptionsInfo(QWidget* parent) : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("Captions"), 5925, 3495);

    txt_description_ = page_fields::text_field(*this, QStringLiteral("txtDescription"), QStringLiteral("Description:"),
                                               240, 240, 5445);
    page_fields::marks_changed(*this, *txt_description_);
    for (int step = 0; step < 5; ++step) {
        const double top = 1020 + step * 465;
        steps_[step] = new forms::TextBox(this, QStringLiteral("txt") + step_property(step));
        steps_[step]->Move(2040, top, 3645, 315);
        page_fields::caption(*this, *steps_[step], QStringLiteral("Step %1 Description:").arg(step), 240, top + 45,
                             1740);
        page_fields::marks_changed(*this, *steps_[step]);
    }
}

void CaptionsInfo::SelectionChanged()
{
    for (int step = 4; step >= 0; --step)
        steps_[step]->setText(forms::CStr(get(step_property(step))));
    txt_description_->setText(forms::CStr(get(QStringLiteral("Description"))));
}

void CaptionsInfo::ApplyChanges()
{
    for (int step = 4; step >= 0; --step)
        let(step_property(step), steps_[step]->Text());
    let(QStringLiteral("Description"), txt_description_->Text());
}
