#include "controls/wizard/position_page.h"

#include "controls/display/page_fields.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/text_box.h"

namespace {

// In read and write order; shown from the bottom up.
const char* const kProperties[] = {"ButtonWidth", "ButtonHeight", "ButtonGapMiddle", "ButtonGapRight", "ButtonGapTop"};
// The fields' labels, each with its access key.
const char* const kLabels[] = {"Button&Width:", "Button&Height:", "ButtonGap&Middle:", "ButtonGap&Right:",
                               "ButtonGap&Top:"};

} // namespace

Position::Position(QWidget* parent) : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("Position"), 5925, 3495);
    for (int i = 0; i < 5; ++i) {
        const QString property = QString::fromLatin1(kProperties[i]);
        fields_[i] = page_fields::text_field(*this, QStringLiteral("txt") + property, QString::fromLatin1(kLabels[i]), 240,
                                             120 + (4 - i) * 660, 2520);
        page_fields::marks_changed(*this, *fields_[i]);
    }
}

void Position::SelectionChanged()
{
    for (int i = 0; i < 5; ++i)
        fields_[i]->setText(forms::CStr(get(QString::fromLatin1(kProperties[i]))));
}

void Position::ApplyChanges()
{
    for (int i = 0; i < 5; ++i)
        let(QString::fromLatin1(kProperties[i]), fields_[i]->Text());
}
