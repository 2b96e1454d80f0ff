#pragma once
// GeneralNavigator: the "General" property page of KyWizardNavigator: StartPage, Enabled and
// BannerHeaderStyle of the first selected navigator, read and written in that order.

#include "platform/forms/pages/property_page.h"

namespace forms {
class CheckBox;
class ComboBox;
class TextBox;
} // namespace forms

class GeneralNavigator : public forms::PropertyPage {
    Q_OBJECT
public:
    explicit GeneralNavigator(QWidget* parent = nullptr);

    forms::TextBox& txtStartPage() const { return *txt_start_page_; }
    forms::ComboBox& cboBannerStyle() const { return *cbo_banner_style_; }
    forms::CheckBox& chkEnabled() const { return *chk_enabled_; }

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    forms::TextBox* txt_start_page_;
    forms::ComboBox* cbo_banner_style_;
    forms::CheckBox* chk_enabled_;
};
