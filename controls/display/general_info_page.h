#pragma once
// GeneralInfo: the "General" property page of KyProgressInfo. It reads the five Display
// switches, ShowPercentCompleted, ProgressMax, Progress and Status of the first selected
// panel, and writes the switches, then ProgressMax before Progress, then Status, and
// ShowPercentCompleted last, so the panel's percent text is built from the new maximum and
// value.

#include "platform/forms/pages/property_page.h"

namespace forms {
class CheckBox;
class Frame;
class TextBox;
} // namespace forms

class GeneralInfo : public forms::PropertyPage {
    Q_OBJECT
public:
    explicit GeneralInfo(QWidget* parent = nullptr);

    forms::CheckBox& chkDisplayTotal() const { return *display_[0]; }
    forms::CheckBox& chkDisplayProcessed() const { return *display_[1]; }
    forms::CheckBox& chkDisplayErrors() const { return *display_[2]; }
    forms::CheckBox& chkDisplayElapsedTime() const { return *display_[3]; }
    forms::CheckBox& chkDisplayEstimatedTime() const { return *display_[4]; }
    forms::CheckBox& chkShowPercent() const { return *chk_show_percent_; }
    forms::TextBox& txtProgressMax() const { return *txt_progress_max_; }
    forms::TextBox& txtProgress() const { return *txt_progress_; }
    forms::TextBox& txtStatus() const { return *txt_status_; }

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    forms::TextBox* txt_status_;
    forms::TextBox* txt_progress_;
    forms::TextBox* txt_progress_max_;
    forms::CheckBox* chk_show_percent_;
    forms::Frame* fra_display_;
    // In read and write order: Total, Processed, Errors, Elapsed Time, Estimated Time.
    forms::CheckBox* display_[5];
};
