#include "controls/wizard/captions_page.h"

#include "controls/display/page_fields.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/text_box.h"

namespace {

// In read and write order: the property, the box, its label, the label's top, several lines.
struct Field {
    const char* property;
    const char* box;
    const char* label;
    double top;
    bool multi_line;
};
// The two several-line boxes are two lines high (a box one line high cut its second line in
// half); the rows close up a little so that all five still fit the page.
const Field kFields[] = {
    {"WatermarkTitle", "txtWaterMarkTitle", "WaterMarkTitle:", 1425, false},
    {"WatermarkRule", "txtWaterMarkRule", "WaterMarkRule:", 2805, false},
    {"WatermarkDescription", "txtWaterMarkDescription", "WaterMarkDescription:", 2010, true},
    {"BannerTitle", "txtBannerTitle", "BannerTitle:", 45, false},
    {"BannerDescription", "txtBannerDescription", "BannerDescription:", 630, true},
};
constexpr double kLabelHeight = 240;
constexpr double kLineBoxHeight = 330;
constexpr double kTwoLineBoxHeight = 540;

} // namespace

Captions::Captions(QWidget* parent) : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("Captions"), 5925, 3495);
    for (int i = 0; i < 5; ++i) {
        const Field& f = kFields[i];
        fields_[i] = new forms::TextBox(this, QString::fromLatin1(f.box), f.multi_line);
        fields_[i]->Move(90, f.top + kLabelHeight, 5610, f.multi_line ? kTwoLineBoxHeight : kLineBoxHeight);
        page_fields::caption(*this, *fields_[i], QString::fromLatin1(f.label), 90, f.top, 2700, kLabelHeight);
        page_fields::marks_changed(*this, *fields_[i]);
    }
}

void Captions::SelectionChanged()
{
    for (int i = 0; i < 5; ++i)
        fields_[i]->setText(forms::CStr(get(QString::fromLatin1(kFields[i].property))));
}

void Captions::ApplyChanges()
{
    for (int i = 0; i < 5; ++i)
        let(QString::fromLatin1(kFields[i].property), fields_[i]->Text());
}
