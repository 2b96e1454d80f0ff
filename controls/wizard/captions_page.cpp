#include "controls/wizard/captions_page.h"

#include "controls/display/page_fields.h"
#include "platform/forms/conversions.h"
#include "platform/forms/label.h"
#include "platform/forms/late_binding.h"
#include "platform/forms/text_box.h"

namespace {

// In read and write order: the property, the box, its label, the label's top, several lines.
struct Field {
    const char* property;
    const char* box;
    const char* label;
    double top;
    bool multi_line;
};
const Field kFields[] = {
    {"WatermarkTitle", "txtWaterMarkTitle", "WaterMarkTitle:", 1455, false},
    {"WatermarkRule", "txtWaterMarkRule", "WaterMarkRule:", 2790, false},
    {"WatermarkDescription", "txtWaterMarkDescription", "WaterMarkDescription:", 2115, true},
    {"BannerTitle", "txtBannerTitle", "BannerTitle:", 105, false},
    {"BannerDescription", "txtBannerDescription", "BannerDescription:", 780, true},
};

} // namespace

Captions::Captions(QWidget* parent) : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("Captions"), 5925, 3495);
    for (int i = 0; i < 5; ++i) {
        const Field& f = kFields[i];
        fields_[i] = new forms::TextBox(this, QString::fromLatin1(f.box), f.multi_line);
        fields_[i]->Move(90, f.top + (f.top == 2115 ? 240 : 255), 5610, 330);
        page_fields::caption(*this, *fields_[i], QString::fromLatin1(f.label), 90, f.top, 2700, 240);
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
