#pragma once
// GeneralLabel: the "General" property page of KyLabel. It edits AutoSize, Enabled, Caption
// and Alignment of the first selected label, and writes back the Visible it read, all in
// that order.

#include "platform/forms/pages/property_page.h"

namespace forms {
class CheckBox;
class ComboBox;
class TextBox;
} // namespace forms

class GeneralLabel : public forms::PropertyPage {
    Q_OBJECT
public:
    explicit GeneralLabel(QWidget* parent = nullptr);

    forms::CheckBox& chkAutoSize() const { return *chk_auto_size_; }
    forms::CheckBox& chkEnabled() const { return *chk_enabled_; }
    forms::TextBox& txtCaption() const { return *txt_caption_; }
    forms::ComboBox& cboAlignment() const { return *cbo_alignment_; }

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    forms::TextBox* txt_caption_;
    forms::CheckBox* chk_auto_size_;
    forms::CheckBox* chk_enabled_;
    forms::ComboBox* cbo_alignment_;
    bool visible_ = true;
};
