#pragma once
// Position: the "Position" property page of KyWizardNavigator: the buttons' size and gaps in
// twips. Shown from the top as ButtonGapTop, ButtonGapRight, ButtonGapMiddle, ButtonHeight,
// ButtonWidth; read and written in the reverse order, each as the text of its box.

#include "platform/forms/pages/property_page.h"

namespace forms {
class TextBox;
} // namespace forms

class Position : public forms::PropertyPage {
    Q_OBJECT
public:
    explicit Position(QWidget* parent = nullptr);

    // 0 ButtonWidth, 1 ButtonHeight, 2 ButtonGapMiddle, 3 ButtonGapRight, 4 ButtonGapTop.
    forms::TextBox& field(int index) const { return *fields_[index]; }

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    // In read and write order.
    forms::TextBox* fields_[5];
};
