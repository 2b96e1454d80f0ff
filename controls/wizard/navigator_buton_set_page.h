#pragma once
// NavigatorButonSet: the "Default Button Set" property page of KyWizardNavigator: the four
// buttons of the wizard's default button set in the shared button editor, read and written
// through the navigator's own per-button properties, and the Finish button's caption, rule,
// position, visibility and enabled state. DefaultButton and CancelButton are positions
// (1 to 4, 0 for none) taken from the checked columns.

#include "controls/wizard/button_set_editor.h"
#include "platform/forms/pages/property_page.h"

namespace forms {
class CheckBox;
class ComboBox;
class Frame;
class TextBox;
} // namespace forms

class NavigatorButonSet : public forms::PropertyPage {
    Q_OBJECT
public:
    explicit NavigatorButonSet(QWidget* parent = nullptr);

    ButtonSetEditor& editor() const { return *editor_; }
    forms::TextBox& txtFinishCaption() const { return *finish_caption_; }
    forms::ComboBox& cboFinishRule() const { return *finish_rule_; }
    forms::ComboBox& cboFinishPosition() const { return *finish_position_; }
    forms::CheckBox& chkFinishVisible() const { return *finish_visible_; }
    forms::CheckBox& chkFinishEnabled() const { return *finish_enabled_; }

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;
    void Paint() override;

private:
    void build_finish_section();

    ButtonSetEditor* editor_;
    forms::TextBox* finish_caption_;
    forms::ComboBox* finish_rule_;
    forms::ComboBox* finish_position_;
    forms::CheckBox* finish_visible_;
    forms::CheckBox* finish_enabled_;
};
