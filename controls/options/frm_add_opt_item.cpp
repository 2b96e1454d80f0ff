#include "controls/options/frm_add_opt_item.h"

#include "controls/message_box.h"
#include "controls/options/ky_tree_functions.h"
#include "controls/options/option_edits.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/intrinsics/text_box.h"

#include <QKeyEvent>

using forms::Screen;

namespace {

const QString kContainer = QStringLiteral("Container");
const QString kPropertyPage = QStringLiteral("Property page");

void plain_message(const QString& text) { kycomctl::show_message(text, kycomctl::vbOKOnly, QString()); }

} // namespace

frmAddOptItem::frmAddOptItem(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAddOptItem"));
    setAccessibleName(QStringLiteral("Add option tree item"));
    setWindowTitle(QStringLiteral("Dialog Caption"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(Screen::to_pixels_x(5070), Screen::to_pixels_y(2145));
    setModal(true);

    auto* type_label = new forms::Label(this, QStringLiteral("lblItemType"), QStringLiteral("Select item type:"));
    type_label->Move(120, 150, 3300, 255);
    cmb_item_type_ = new forms::ComboBox(this, QStringLiteral("cmbItemType"), forms::ComboBox::DropdownList);
    cmb_item_type_->Move(120, 420, 3300, 315);
    cmb_item_type_->AddItem(kContainer);
    cmb_item_type_->AddItem(kPropertyPage);
    auto* name_label = new forms::Label(this, QStringLiteral("lblItemName"), QStringLiteral("Input item name:"));
    name_label->Move(120, 840, 3300, 255);
    txt_item_name_ = new forms::TextBox(this, QStringLiteral("txtItemName"));
    txt_item_name_->Move(120, 1080, 3300, 315);
    lbl_page_index_ = new forms::Label(this, QStringLiteral("lblPageIndex"),
                                       QStringLiteral("Input option page index for item:"));
    lbl_page_index_->Move(120, 1440, 3300, 255);
    txt_page_index_ = new forms::TextBox(this, QStringLiteral("txtPageIndex"));
    txt_page_index_->Move(120, 1680, 3300, 315);
    // Assistive tools name each box by the label above it, as a person reads them.
    type_label->name_next(cmb_item_type_);
    name_label->name_next(txt_item_name_);
    lbl_page_index_->name_next(txt_page_index_);
    ok_button_ = new forms::CommandButton(this, QStringLiteral("OKButton"), QStringLiteral("OK"));
    ok_button_->Move(3750, 90, 1215, 375);
    ok_button_->setDefault(true);
    cancel_button_ = new forms::CommandButton(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    cancel_button_->Move(3750, 570, 1215, 375);
    setTabOrder(cmb_item_type_, txt_item_name_);
    setTabOrder(txt_item_name_, txt_page_index_);
    setTabOrder(txt_page_index_, ok_button_);
    setTabOrder(ok_button_, cancel_button_);

    connect(cmb_item_type_, &forms::ComboBox::Click, this, &frmAddOptItem::kind_chosen);
    connect(ok_button_, &forms::CommandButton::Click, this, &frmAddOptItem::ok_clicked);
    connect(cancel_button_, &forms::CommandButton::Click, this, &QDialog::reject);

    // Load: a container, without the page index.
    cmb_item_type_->setText(kContainer);
    kind_chosen();
}

frmAddOptItem::~frmAddOptItem() = default;

void frmAddOptItem::kind_chosen()
{
    const bool page = cmb_item_type_->Text() == kPropertyPage;
    lbl_page_index_->setVisible(page);
    txt_page_index_->setVisible(page);
}

void frmAddOptItem::ok_clicked()
{
    const bool page = cmb_item_type_->Text() == kPropertyPage;
    type_ = page ? 1 : 0;
    txt_item_name_->setText(txt_item_name_->Text().trimmed());
    // Besides "\" the tree text cannot hold TAB, CR or LF in a name.
    if (options::check_name(txt_item_name_->Text()) != options::NameFault::None) {
        plain_message(page ? QStringLiteral("You must input property page name")
                           : QStringLiteral("You must input container name"));
        txt_item_name_->setFocus();
        return;
    }
    if (txt_page_index_->Visible()) {
        txt_page_index_->setText(txt_page_index_->Text().trimmed());
        if (!options::IsPositiveInteger(txt_page_index_->Text())) {
            plain_message(QStringLiteral("You must input option page index"));
            txt_page_index_->setFocus();
            return;
        }
        page_index_ = forms::CInt(QVariant(txt_page_index_->Text()));
    }
    name_ = txt_item_name_->Text();
    cancelled_ = false;
    accept();
}

void frmAddOptItem::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        forms::CommandButton::press_access_key(this, 13))
        return;
    QDialog::keyPressEvent(event);
}
