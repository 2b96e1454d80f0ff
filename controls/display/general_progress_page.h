#pragma once
// GeneralProgress: the "General" property page of KyProgressBar. It reads ErrorsNotify,
// Caption, Max, Min and Align of the first selected bar and writes them back in the same
// order, so Max is offered before Min and the bar judges each against the other's current
// value.

#include "platform/forms/pages/property_page.h"

namespace forms {
class CheckBox;
class ComboBox;
class TextBox;
} // namespace forms

class GeneralProgress : public forms::PropertyPage {
    Q_OBJECT
public:
    explicit GeneralProgress(QWidget* parent = nullptr);

    forms::CheckBox& chkErrorsNotify() const { return *chk_errors_notify_; }
    forms::TextBox& txtCaption() const { return *txt_caption_; }
    forms::TextBox& txtMax() const { return *txt_max_; }
    forms::TextBox& txtMin() const { return *txt_min_; }
    forms::ComboBox& cboCaptionAlign() const { return *cbo_caption_align_; }

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    forms::TextBox* txt_min_;
    forms::TextBox* txt_max_;
    forms::TextBox* txt_caption_;
    forms::ComboBox* cbo_caption_align_;
    forms::CheckBox* chk_errors_notify_;
};
