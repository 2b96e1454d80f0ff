#pragma once
// ButtonsSet: the "Buttons Set" property page of KyWizardTab: the four buttons of the first
// selected page control in the shared button editor, and its UseDefaultButtonSet switch, which
// locks the editor while checked (the editor keeps its values and is still written).
//
// The buttons are written as four records, and then the default and the cancel button are set
// once more from the checked columns: a record sets its default by rule while the later
// records still hold their old rules, so a default moved together with its rule would
// otherwise land on the button that held the rule before. A column checked whose rule is None
// gives the rightmost button without a rule, as SetDefaultButton does; no checked column
// stores no default (no cancel) button.

#include "controls/wizard/button_set_editor.h"
#include "platform/forms/pages/property_page.h"

namespace forms {
class CheckBox;
class Frame;
} // namespace forms

class ButtonsSet : public forms::PropertyPage {
    Q_OBJECT
public:
    explicit ButtonsSet(QWidget* parent = nullptr);

    ButtonSetEditor& editor() const { return *editor_; }
    forms::Frame& fraButtonSet() const { return *frame_; }
    forms::CheckBox& chkUseDefaultButtonSet() const { return *use_default_; }

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;
    void Paint() override;

private:
    forms::Frame* frame_;
    ButtonSetEditor* editor_;
    forms::CheckBox* use_default_;
};
