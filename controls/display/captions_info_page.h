#pragma once
// CaptionsInfo: the "Captions" property page of KyProgressInfo. It reads and writes the five
// step descriptions from Step 4 down to Step 0, then Description, of the first selected panel.

#include "platform/forms/pages/property_page.h"

namespace forms {
class TextBox;
} // namespace forms

class CaptionsInfo : public forms::PropertyPage {
    Q_OBJECT
public:
    explicit CaptionsInfo(QWidget* parent = nullptr);

    forms::TextBox& txtStepDescription(int step) const { return *steps_[step]; }
    forms::TextBox& txtDescription() const { return *txt_description_; }

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    forms::TextBox* txt_description_;
    forms::TextBox* steps_[5];
};
