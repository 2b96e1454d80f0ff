#include "platform/forms/core/intrinsic_class_names.h"

#include <iterator>

namespace forms {

namespace {

struct Named {
    const char* name;
    IntrinsicClass cls;
};

constexpr Named kNames[] = {
    {"VB.Label", IntrinsicClass::Label},
    {"VB.CommandButton", IntrinsicClass::CommandButton},
    {"VB.TextBox", IntrinsicClass::TextBox},
    {"VB.CheckBox", IntrinsicClass::CheckBox},
    {"VB.OptionButton", IntrinsicClass::OptionButton},
    {"VB.ComboBox", IntrinsicClass::ComboBox},
    {"VB.Frame", IntrinsicClass::Frame},
    {"VB.PictureBox", IntrinsicClass::PictureBox},
    {"VB.Image", IntrinsicClass::Image},
    {"VB.Line", IntrinsicClass::Line},
    {"VB.Shape", IntrinsicClass::Shape},
    {"MSComctlLib.ListView", IntrinsicClass::ListView},
    {"MSFlexGridLib.MSFlexGrid", IntrinsicClass::FlexGrid},
};

} // namespace

std::optional<IntrinsicClass> intrinsic_class_named(const QString& class_name)
{
    for (const Named& n : kNames)
        if (class_name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            return n.cls;
    return std::nullopt;
}

bool is_intrinsic_class(const QString& class_name) { return intrinsic_class_named(class_name).has_value(); }

} // namespace forms
