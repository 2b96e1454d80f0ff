#pragma once
// The runtime's intrinsic control classes as a form file names them ("VB.Label",
// "VB.CommandButton", "VB.TextBox", "VB.CheckBox", "VB.OptionButton", "VB.ComboBox",
// "VB.Frame", "VB.PictureBox", "VB.Image", "VB.Line", "VB.Shape", "MSComctlLib.ListView",
// "MSFlexGridLib.MSFlexGrid"; without regard to case). Reading and rewriting a form file
// needs only to tell them from registered controls; the controls themselves are made by
// intrinsics/intrinsic_classes.h.

#include <QString>

#include <optional>

namespace forms {

enum class IntrinsicClass {
    Label,
    CommandButton,
    TextBox,
    CheckBox,
    OptionButton,
    ComboBox,
    Frame,
    PictureBox,
    Image,
    Line,
    Shape,
    ListView,
    FlexGrid,
};

// The intrinsic class `class_name` names; nothing for any other class.
std::optional<IntrinsicClass> intrinsic_class_named(const QString& class_name);
bool is_intrinsic_class(const QString& class_name);

} // namespace forms
