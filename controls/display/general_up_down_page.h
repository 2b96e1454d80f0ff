#pragma once
// GeneralUpDown: the "General" property page of KyUpDown. It edits Value, Min, Max,
// Increment (as texts the control converts), Alignment (by list position) and Wrap of the
// first selected box, and applies them in the order Wrap, Increment, Max, Min, Value,
// Alignment.

#include "platform/forms/pages/property_page.h"

namespace forms {
class CheckBox;
class ComboBox;
class TextBox;
} // namespace forms

class GeneralUpDown : public forms::PropertyPage {
    Q_OBJECT
public:
    explicit GeneralUpDown(QWidget* parent = nullptr);

    forms::TextBox& txtValue() const { return *txt_value_; }
    forms::TextBox& txtMin() const { return *txt_min_; }
    forms::TextBox& txtMax() const { return *txt_max_; }
    forms::TextBox& txtIncrement() const { return *txt_increment_; }
    forms::ComboBox& cboAlignment() const { return *cbo_alignment_; }
    forms::CheckBox& chkWrap() const { return *chk_wrap_; }

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    forms::TextBox* txt_value_;
    forms::TextBox* txt_min_;
    forms::TextBox* txt_max_;
    forms::TextBox* txt_increment_;
    forms::ComboBox* cbo_alignment_;
    forms::CheckBox* chk_wrap_;
};
