#pragma once
// Captions: the "Captions" property page of KyWizardTab: the banner's and the watermark's five
// texts of the first selected page control, read and written in one order (watermark title,
// rule and description, then banner title and description).

#include "platform/forms/pages/property_page.h"

namespace forms {
class TextBox;
} // namespace forms

class Captions : public forms::PropertyPage {
    Q_OBJECT
public:
    explicit Captions(QWidget* parent = nullptr);

    forms::TextBox& txtBannerTitle() const { return *fields_[3]; }
    forms::TextBox& txtBannerDescription() const { return *fields_[4]; }
    forms::TextBox& txtWaterMarkTitle() const { return *fields_[0]; }
    forms::TextBox& txtWaterMarkRule() const { return *fields_[1]; }
    forms::TextBox& txtWaterMarkDescription() const { return *fields_[2]; }

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    // In read and write order.
    forms::TextBox* fields_[5];
};
