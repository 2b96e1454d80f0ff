#pragma once
// frmAddOptItem: the modal dialog in which the designer chooses the kind, the name and, for
// an option page, the page index of a new item of the options tree. The caller sets the
// caption and the kind, shows it modally and reads the result after it closed.

#include <QDialog>
#include <QString>

#include <cstdint>

namespace forms {
class ComboBox;
class CommandButton;
class Label;
class TextBox;
} // namespace forms

class frmAddOptItem : public QDialog {
    Q_OBJECT
    Q_PROPERTY(bool Cancelled READ Cancelled)
    Q_PROPERTY(QString strName READ strName)
    Q_PROPERTY(int eType READ eType)
    Q_PROPERTY(short iPageIndex READ iPageIndex)

public:
    explicit frmAddOptItem(QWidget* parent = nullptr);
    ~frmAddOptItem() override;

    bool Cancelled() const { return cancelled_; }
    QString strName() const { return name_; }
    std::int32_t eType() const { return type_; }
    std::int16_t iPageIndex() const { return page_index_; }

    forms::ComboBox& cmbItemType() const { return *cmb_item_type_; }
    forms::TextBox& txtItemName() const { return *txt_item_name_; }
    forms::TextBox& txtPageIndex() const { return *txt_page_index_; }
    forms::Label& lblPageIndex() const { return *lbl_page_index_; }
    forms::CommandButton& OKButton() const { return *ok_button_; }
    forms::CommandButton& CancelButton() const { return *cancel_button_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void kind_chosen();
    void ok_clicked();

    forms::ComboBox* cmb_item_type_;
    forms::TextBox* txt_item_name_;
    forms::TextBox* txt_page_index_;
    forms::Label* lbl_page_index_;
    forms::CommandButton* ok_button_;
    forms::CommandButton* cancel_button_;
    bool cancelled_ = true;
    QString name_;
    std::int32_t type_ = 0;
    std::int16_t page_index_ = 0;
};
