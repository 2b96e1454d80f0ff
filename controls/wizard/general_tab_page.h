#pragma once
// GeneralTab: the "General" property page of KyWizardTab: PageIndex, PageBack, PageNext,
// PageMode and PageState of the first selected page control. The page state is written from
// the one it remembers, which only an apply with an option chosen changes.

#include "platform/forms/pages/property_page.h"

#include <cstdint>

namespace forms {
class ComboBox;
class Frame;
class OptionButton;
class TextBox;
} // namespace forms

class GeneralTab : public forms::PropertyPage {
    Q_OBJECT
public:
    explicit GeneralTab(QWidget* parent = nullptr);

    forms::TextBox& txtPageIndex() const { return *txt_page_index_; }
    forms::TextBox& txtPageBack() const { return *txt_page_back_; }
    forms::TextBox& txtPageNext() const { return *txt_page_next_; }
    forms::ComboBox& cboPageMode() const { return *cbo_page_mode_; }
    forms::OptionButton& Minimize() const { return *minimize_; }
    forms::OptionButton& Maximize() const { return *maximize_; }

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    forms::TextBox* txt_page_index_;
    forms::TextBox* txt_page_back_;
    forms::TextBox* txt_page_next_;
    forms::ComboBox* cbo_page_mode_;
    forms::OptionButton* minimize_;
    forms::OptionButton* maximize_;
    std::int32_t page_state_ = 0;
    // The mode list's item as loaded: an apply that finds it unedited keeps the mode that a
    // PageIndex exchange gave the control.
    int loaded_page_mode_ = -1;
};
