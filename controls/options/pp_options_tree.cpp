#include "controls/options/pp_options_tree.h"

#include "controls/message_box.h"
#include "controls/options/frm_add_opt_item.h"
#include "controls/options/ky_tree_functions.h"
#include "controls/options/option_edits.h"
#include "controls/options/option_images.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/intrinsics/tree_view.h"
#include "platform/forms/core/vb_error.h"

#include <QPointer>

#include <memory>

using forms::Screen;

namespace {

void plain_message(const QString& text) { kycomctl::show_message(text, kycomctl::vbOKOnly, QString()); }

void not_unique(const QString& name)
{
    kycomctl::show_message(QStringLiteral("The Item with name '%1' is not unique in collection").arg(name),
                           kycomctl::vbExclamation | kycomctl::vbOKOnly, QString());
}

// A record-by-record copy: the editor's additions, removals, renames and page indexes stay in
// it until Apply hands it to the control, so Cancel leaves the control's options as they were.
OptionCollection copy_of(const forms::Collection& list)
{
    OptionCollection copy = options::new_option_list();
    for (const auto& entry : list) {
        const OptionPtr source = entry.item.value<OptionPtr>();
        auto record = std::make_shared<COption>();
        record->strParentKey = source->strParentKey;
        record->strKey = source->strKey;
        record->eOptionType = source->eOptionType;
        record->strName = source->strName;
        record->iTabIndex = source->iTabIndex;
        record->strSelectedProperty = source->strSelectedProperty;
        copy->Add(QVariant::fromValue(record), entry.key);
    }
    return copy;
}

QString name_message(std::int32_t type)
{
    return type == Container ? QStringLiteral("You must input container name")
                             : QStringLiteral("You must input property page name");
}

} // namespace

ppOptionsTree::ppOptionsTree(QWidget* parent) : forms::PropertyPage(parent)
{
    setCaption(QStringLiteral("Options tree"));
    setAccessibleName(QStringLiteral("Options tree"));
    setFixedSize(Screen::to_pixels_x(5925), Screen::to_pixels_y(3495));

    tree_ = new forms::TreeView(this, QStringLiteral("tvOptions"));
    tree_->Move(60, 30, 2250, 3405);
    tree_->setLabelEdit(true);
    tree_->setImageList(&options::option_images());
    tree_->set_label_name(QStringLiteral("Options"));
    frame_ = new forms::Frame(this, QStringLiteral("fActions"));
    frame_->Move(2370, 30, 3525, 3435);
    cmd_add_ = new forms::CommandButton(frame_, QStringLiteral("cmdAddItem"), QStringLiteral("&Add item"));
    cmd_add_->Move(480, 300, 1215, 405);
    cmd_remove_ = new forms::CommandButton(frame_, QStringLiteral("cmdRemove"), QStringLiteral("&Remove item"));
    cmd_remove_->Move(1800, 300, 1215, 405);
    lbl_page_index_ = new forms::Label(frame_, QStringLiteral("lblPageIndex"),
                                       QStringLiteral("Input option page index for item:"));
    // Wide enough for the caption in the platform's font, which runs wider than the design font.
    lbl_page_index_->Move(450, 810, 3000, 255);
    txt_page_index_ = new forms::TextBox(frame_, QStringLiteral("txtPageIndex"));
    txt_page_index_->Move(480, 1080, 2610, 315);
    lbl_page_index_->name_next(txt_page_index_);
    cmd_up_ = new forms::CommandButton(frame_, QStringLiteral("cmdUp"), QStringLiteral("Up"));
    cmd_up_->Move(480, 1620, 855, 435);
    cmd_down_ = new forms::CommandButton(frame_, QStringLiteral("cmdDown"), QStringLiteral("Down"));
    cmd_down_->Move(480, 2130, 855, 435);
    setTabOrder(tree_, cmd_add_);
    setTabOrder(cmd_add_, cmd_remove_);
    setTabOrder(cmd_remove_, txt_page_index_);
    setTabOrder(txt_page_index_, cmd_up_);
    setTabOrder(cmd_up_, cmd_down_);

    connect(cmd_add_, &forms::CommandButton::Click, this, &ppOptionsTree::add_item);
    connect(cmd_remove_, &forms::CommandButton::Click, this, &ppOptionsTree::remove_item);
    connect(cmd_up_, &forms::CommandButton::Click, this, [this] { move(true); });
    connect(cmd_down_, &forms::CommandButton::Click, this, [this] { move(false); });
    connect(txt_page_index_, &forms::TextBox::Change, this, [this] {
        if (!own_change_)
            page_index_changed_ = true;
    });
    connect(tree_, &forms::TreeView::NodeClick, this, &ppOptionsTree::node_click);
    connect(tree_, &forms::TreeView::Click, this, &ppOptionsTree::plain_click);
    connect(tree_, &forms::TreeView::Expand, this, [this](const QString& key) { expanded(key, true); });
    connect(tree_, &forms::TreeView::Collapse, this, [this](const QString& key) { expanded(key, false); });
    connect(tree_, &forms::TreeView::AfterLabelEdit, this, &ppOptionsTree::after_label_edit);
    container_mode();
}

ppOptionsTree::~ppOptionsTree() = default;

void ppOptionsTree::container_mode()
{
    cmd_add_->setEnabled(true);
    frame_->setCaption(QStringLiteral("Container"));
    lbl_page_index_->setVisible(false);
    txt_page_index_->setVisible(false);
}

void ppOptionsTree::page_mode()
{
    cmd_add_->setEnabled(false);
    frame_->setCaption(QStringLiteral("Property Page"));
    lbl_page_index_->setVisible(true);
    txt_page_index_->setVisible(true);
}

void ppOptionsTree::set_page_index_text(std::int16_t index)
{
    own_change_ = true;
    txt_page_index_->setText(QString::number(index));
    own_change_ = false;
}

void ppOptionsTree::set_up_down(const QString& key)
{
    cmd_up_->setEnabled(!key.isEmpty() && !tree_->PreviousKey(key).isEmpty());
    cmd_down_->setEnabled(!key.isEmpty() && !tree_->NextKey(key).isEmpty());
}

void ppOptionsTree::current_from_selection()
{
    const QString key = tree_->SelectedKey();
    if (key.isEmpty()) {
        no_current_item_ = true;
        return;
    }
    tree_->Select(key);
    current_type_ = forms::CLng(tree_->Tag(key));
    current_key_ = options::upper_key(key);
    current_name_ = tree_->Text(key);
    current_option_ = col_options_->Exists(current_key_) ? options::option_at(*col_options_, current_key_) : nullptr;
    if (current_type_ == Container)
        container_mode();
    else
        page_mode();
}

void ppOptionsTree::SelectionChanged()
{
    if (SelectedControls().empty())
        return;
    const OptionCollection held = get(QStringLiteral("mcolOptions")).value<OptionCollection>();
    if (!held)
        forms::raise(forms::vberr::TypeMismatch, QStringLiteral("ppOptionsTree"),
                     QStringLiteral("The selected control has no option collection"));
    col_options_ = copy_of(*held);
    current_option_.reset();
    current_key_.clear();
    current_name_.clear();
    add_at_root_ = false;
    node_clicked_ = false;
    page_index_changed_ = false;
    toggle_key_.clear();
    container_mode();
    if (col_options_->Count() == 0) {
        tree_->Clear();
        cmd_remove_->setEnabled(false);
        cmd_up_->setEnabled(false);
        cmd_down_->setEnabled(false);
        no_current_item_ = true;
        return;
    }
    options::FillOptionTree(*tree_, *col_options_, true);
    no_current_item_ = false;
    cmd_remove_->setEnabled(true);
    tree_->Select(tree_->FirstKey());
    set_up_down(tree_->FirstKey());
    current_from_selection();
}

bool ppOptionsTree::CheckInteger()
{
    if (!txt_page_index_->Visible())
        return true;
    own_change_ = true;
    txt_page_index_->setText(txt_page_index_->Text().trimmed());
    own_change_ = false;
    if (!options::IsPositiveInteger(txt_page_index_->Text())) {
        plain_message(QStringLiteral("You must input option page index"));
        txt_page_index_->setFocus();
        return false;
    }
    return true;
}

// An edited page index goes into the current page's record before anything else happens;
// False (the current node selected again) when the box holds no valid index.
bool ppOptionsTree::store_page_index()
{
    if (!page_index_changed_ || current_type_ == Container || no_current_item_)
        return true;
    if (!CheckInteger()) {
        if (tree_->Exists(current_key_))
            tree_->Select(current_key_);
        return false;
    }
    options::option_at(*col_options_, current_key_)->iTabIndex = forms::CInt(QVariant(txt_page_index_->Text()));
    page_index_changed_ = false;
    setChanged(true);
    return true;
}

void ppOptionsTree::node_click(const QString& key)
{
    // A node was hit even when the click is refused: the plain click that follows must not
    // take it for a click on the empty area and unselect the node selected again.
    node_clicked_ = true;
    if (!store_page_index())
        return;
    current_type_ = forms::CLng(tree_->Tag(key));
    const OptionPtr clicked = options::option_at(*col_options_, key);
    if (current_type_ == Container) {
        container_mode();
        if (key == toggle_key_) {
            // The designer folded it with the tree's own expand sign just before.
            toggle_key_.clear();
        } else {
            const bool open = !tree_->Expanded(key);
            own_change_ = true;
            tree_->setExpanded(key, open);
            tree_->setSelectedImage(key, open ? options::kOpenedFolder : options::kClosedFolder);
            own_change_ = false;
        }
    } else {
        set_page_index_text(clicked->iTabIndex);
        page_mode();
    }
    current_option_ = clicked;
    if (!clicked->is_container() && clicked->strKey != current_key_) {
        options::SetSelectedProperty(*col_options_, clicked->strKey, clicked->strParentKey);
        setChanged(true);
    }
    current_key_ = clicked->strKey;
    current_name_ = clicked->strName;
    current_type_ = clicked->eOptionType;
    no_current_item_ = false;
    set_up_down(key);
    node_clicked_ = true;
}

void ppOptionsTree::plain_click()
{
    if (node_clicked_) {
        node_clicked_ = false;
        add_at_root_ = false;
        return;
    }
    add_at_root_ = true;
    tree_->Select(QString());
}

void ppOptionsTree::expanded(const QString& key, bool open)
{
    if (current_type_ == Container) {
        tree_->setImage(key, open ? options::kOpenedFolder : options::kClosedFolder);
        tree_->setSelectedImage(key, open ? options::kOpenedFolder : options::kClosedFolder);
    }
    if (!own_change_)
        toggle_key_ = key;
}

void ppOptionsTree::refill_and_select(const QString& key)
{
    options::FillOptionTree(*tree_, *col_options_, true);
    tree_->Select(key);
    tree_->EnsureVisible(key);
    set_up_down(key);
}

void ppOptionsTree::after_label_edit(bool& cancel, QString& text)
{
    // The node being edited, which need not be the one clicked last.
    const QString key = tree_->EditedKey().isEmpty() ? current_key_ : tree_->EditedKey();
    if (!col_options_ || !col_options_->Exists(key)) {
        cancel = true;
        return;
    }
    const OptionPtr renamed = options::option_at(*col_options_, key);
    switch (options::check_name(text)) {
    case options::NameFault::Backslash:
        plain_message(QStringLiteral("You cannot input slashes in this case"));
        cancel = true;
        return;
    case options::NameFault::ControlCharacter:
        plain_message(QStringLiteral("You cannot input tabs or line breaks in this case"));
        cancel = true;
        return;
    case options::NameFault::Empty:
        plain_message(name_message(renamed->eOptionType));
        cancel = true;
        return;
    case options::NameFault::None: break;
    }
    const options::RenameResult result = options::rename_option(*col_options_, key, text);
    if (result == options::RenameResult::DuplicateKey) {
        not_unique(text.trimmed());
        cancel = true;
        return;
    }
    text = text.trimmed();
    if (result == options::RenameResult::Unchanged)
        return;
    refill_and_select(renamed->strKey);
    current_option_ = renamed;
    current_key_ = renamed->strKey;
    current_name_ = renamed->strName;
    current_type_ = renamed->eOptionType;
    if (current_type_ == Container)
        container_mode();
    else
        page_mode();
    setChanged(true);
}

void ppOptionsTree::add_item()
{
    // The dialog is modal: while it is open the host's events run, and the property sheet may
    // close meanwhile, taking this page and the dialog (its child) with it.
    const QPointer<ppOptionsTree> alive(this);
    const QPointer<frmAddOptItem> shown = new frmAddOptItem(this);
    try {
        shown->setWindowTitle(QStringLiteral("Add option tree item"));
        shown->cmbItemType().setText(QStringLiteral("Container"));
        shown->cmbItemType().setEnabled(!no_current_item_);
        shown->exec();
    } catch (const forms::VbError& error) {
        delete shown.data();
        kycomctl::show_message(error.description(), kycomctl::vbCritical, QString());
        return;
    }
    if (!alive || !shown)
        return;
    const std::unique_ptr<frmAddOptItem> owned(shown.data());
    frmAddOptItem& dialog = *owned;
    if (dialog.Cancelled())
        return;
    const QString name = dialog.strName();
    const std::int32_t type = dialog.eType();
    const bool at_root = type == Container && (no_current_item_ || add_at_root_);
    const QString parent = at_root ? options::kRootKey : options::upper_key(current_key_);
    const QString key = options::child_key(parent, name);
    if (tree_->Exists(key) || col_options_->Exists(key)) {
        not_unique(name);
        return;
    }
    auto option = std::make_shared<COption>();
    option->eOptionType = type;
    option->strParentKey = parent;
    option->strKey = key;
    option->strName = name;
    if (type == Container) {
        option->strSelectedProperty = options::kRootKey;
        tree_->Add(at_root ? QString() : parent, at_root ? forms::tvwLast : forms::tvwChild, key, name,
                   options::kClosedFolder, options::kOpenedFolder);
        if (at_root) {
            no_current_item_ = false;
            add_at_root_ = false;
        }
        container_mode();
        cmd_remove_->setEnabled(true);
    } else {
        option->iTabIndex = dialog.iPageIndex();
        tree_->Add(parent, forms::tvwChild, key, name, QString(), options::kArrow);
    }
    tree_->setTag(key, type);
    options::add_option(*col_options_, option);
    if (type != Container) {
        // The new page becomes the remembered page of its container chain.
        options::SetSelectedProperty(*col_options_, key, parent);
        set_page_index_text(option->iTabIndex);
        page_mode();
    }
    tree_->EnsureVisible(key);
    tree_->Select(key);
    current_option_ = option;
    current_type_ = type;
    current_key_ = key;
    current_name_ = name;
    set_up_down(tree_->SelectedKey());
    setChanged(true);
}

void ppOptionsTree::remove_item()
{
    if (no_current_item_ || !col_options_->Exists(current_key_))
        return;
    // An index typed for the removed page goes with it: left pending, it would be stored into
    // whichever page is current next.
    page_index_changed_ = false;
    options::remove_option(*col_options_, current_key_);
    if (tree_->Exists(options::upper_key(current_key_)))
        tree_->Remove(options::upper_key(current_key_));
    current_from_selection();
    if (!no_current_item_ && current_type_ != Container && current_option_)
        set_page_index_text(current_option_->iTabIndex);
    setChanged(true);
    if (col_options_->Count() > 0) {
        set_up_down(tree_->SelectedKey());
    } else {
        cmd_remove_->setEnabled(false);
        cmd_up_->setEnabled(false);
        cmd_down_->setEnabled(false);
        no_current_item_ = true;
        container_mode();
    }
}

void ppOptionsTree::move(bool up)
{
    if (no_current_item_ || !col_options_->Exists(current_key_) ||
        options::option_at(*col_options_, current_key_)->strKey != current_key_)
        return;
    if (up)
        options::move_before(*col_options_, current_key_, tree_->PreviousKey(current_key_));
    else
        options::move_after(*col_options_, current_key_, tree_->NextKey(current_key_));
    refill_and_select(current_key_);
}

void ppOptionsTree::ApplyChanges()
{
    // A refused page index was shown to the designer; nothing is handed over and the sheet
    // stays open on the page.
    if (!store_page_index()) {
        refuse_apply();
        return;
    }
    QVariant source = QVariant::fromValue(col_options_);
    call(QStringLiteral("AddNodes"), {source});
    // The control now holds this collection; the page goes on editing a copy of its own.
    col_options_ = copy_of(*col_options_);
    if (!no_current_item_ && col_options_->Exists(current_key_))
        current_option_ = options::option_at(*col_options_, current_key_);
}
