#pragma once
// ppOptionsTree: the design-time property page ("Options tree") of KyTreeBase. It edits a copy
// of the control's option collection (mcolOptions) as a tree: add through the dialog
// frmAddOptItem, remove, move up and down among siblings, rename in place, and set an option
// page's index. Only Apply (or OK) hands the copy to the control, through AddNodes; Cancel
// leaves the control's collection and its tree as they were.

#include "controls/options/c_option.h"
#include "platform/forms/pages/property_page.h"

#include <QString>

#include <cstdint>

class frmAddOptItem;

namespace forms {
class CommandButton;
class Frame;
class Label;
class TextBox;
class TreeView;
} // namespace forms

class ppOptionsTree : public forms::PropertyPage {
    Q_OBJECT

public:
    explicit ppOptionsTree(QWidget* parent = nullptr);
    ~ppOptionsTree() override;

    // Validates the page index box; shows "You must input option page index" and returns
    // False for an empty, non-numeric, out-of-range or non-positive index.
    Q_INVOKABLE bool CheckInteger();

    forms::TreeView& tvOptions() const { return *tree_; }
    forms::Frame& fActions() const { return *frame_; }
    forms::CommandButton& cmdAddItem() const { return *cmd_add_; }
    forms::CommandButton& cmdRemove() const { return *cmd_remove_; }
    forms::CommandButton& cmdUp() const { return *cmd_up_; }
    forms::CommandButton& cmdDown() const { return *cmd_down_; }
    forms::TextBox& txtPageIndex() const { return *txt_page_index_; }
    const OptionCollection& colOptions() const { return col_options_; }
    const QString& current_key() const { return current_key_; }
    bool no_current_item() const { return no_current_item_; }

protected:
    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    void container_mode();
    void page_mode();
    void current_from_selection();
    void set_up_down(const QString& key);
    bool store_page_index();
    void set_page_index_text(std::int16_t index);
    void refill_and_select(const QString& key);

    void node_click(const QString& key);
    void plain_click();
    void expanded(const QString& key, bool open);
    void after_label_edit(bool& cancel, QString& text);
    void add_item();
    void remove_item();
    void move(bool up);

    forms::TreeView* tree_;
    forms::Frame* frame_;
    forms::CommandButton* cmd_add_;
    forms::CommandButton* cmd_remove_;
    forms::Label* lbl_page_index_;
    forms::TextBox* txt_page_index_;
    forms::CommandButton* cmd_up_;
    forms::CommandButton* cmd_down_;

    OptionCollection col_options_;
    OptionPtr current_option_;
    std::int32_t current_type_ = Container;
    QString current_key_;
    QString current_name_;
    bool no_current_item_ = false;
    bool add_at_root_ = false;
    bool node_clicked_ = false;
    bool page_index_changed_ = false;
    // Set while the page itself writes the page index box or folds nodes, so that only the
    // designer's own edits and expand clicks count.
    bool own_change_ = false;
    QString toggle_key_;
};
