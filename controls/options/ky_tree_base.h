#pragma once
// KyTreeBase: turns its form into an options dialog. A tree of containers and option pages
// on the left, the page area on the right in which the form's KyOptionPage controls show
// themselves one at a time (told through objTabsManager), and a button bar along the bottom
// with OK, Cancel, Help or Apply, and an optional Custom button. The tree is the option
// collection mcolOptions, persisted as the option-tree text under "TreeContainment" and edited
// at design time by the property page ppOptionsTree, which hands it back through AddNodes.
// One KyTreeBase is meant per form.

#include "controls/options/c_option.h"
#include "controls/options/c_tab_manager.h"
#include "controls/options/option_tree_navigation.h"
#include "platform/forms/hosting/user_control.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

namespace forms {
class CommandButton;
class Frame;
class PictureBox;
class TreeView;
} // namespace forms

enum en_Buttons : std::int32_t { btnOK = 0, btnCancel = 1, btnHelp = 2, btnApply = 3, btnCustom = 4 };
enum en_Mode : std::int32_t { kyMDIndex = 0, kyMDName = 1 };

class KyTreeBase : public forms::UserControl {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "KyComCtl.KyTreeBase")
    Q_PROPERTY(QObject* objTabsManager READ objTabsManager WRITE setObjTabsManager)
    Q_PROPERTY(QVariant mcolOptions READ mcolOptions WRITE setMcolOptions)
    Q_PROPERTY(int DefaultButton READ write_only_long WRITE setDefaultButton)
    Q_PROPERTY(bool TreeEnabled READ write_only_bool WRITE setTreeEnabled)
    Q_PROPERTY(int ClientTop READ ClientTop)
    Q_PROPERTY(int ClientLeft READ ClientLeft)
    Q_PROPERTY(int ClientHeight READ ClientHeight)
    Q_PROPERTY(int ClientWidth READ ClientWidth)
    Q_PROPERTY(bool ShowApply READ ShowApply WRITE setShowApply)
    Q_PROPERTY(QString CustomCaption READ CustomCaption WRITE setCustomCaption)
    Q_PROPERTY(bool CustomVisible READ CustomVisible WRITE setCustomVisible)
    Q_PROPERTY(QString FromKey READ FromKey)
    Q_PROPERTY(QString ToKey READ ToKey)
    Q_PROPERTY(QString CurrentKey READ CurrentKey)
    Q_PROPERTY(QString HelpApplyCaption READ HelpApplyCaption WRITE setHelpApplyCaption)

public:
    KyTreeBase();
    ~KyTreeBase() override;

    QObject* objTabsManager() const { return tabs_; }
    // Another registry for the tree to tell its pages through (one that is no CTabManager
    // raises 13); when that one ends, the tree's own is in use again.
    void setObjTabsManager(QObject* manager);
    CTabManager& tabs() const { return *tabs_; }
    // The option collection (an OptionCollection in the variant).
    QVariant mcolOptions() const { return QVariant::fromValue(options_); }
    void setMcolOptions(const QVariant& list);
    const OptionCollection& options() const { return options_; }

    void setDefaultButton(std::int32_t button);
    Q_INVOKABLE void EnableButton(int Button);
    Q_INVOKABLE void DisableButton(int Button);
    void setTreeEnabled(bool enabled);
    // Shows page `TabIndex` without touching the tree, the current option or the events.
    Q_INVOKABLE void SetTab(short TabIndex);
    // Takes `colSource` (the same collection object) as the option collection, refills the
    // tree, shows its first page and marks "TreeContainment" changed; ends silently at the
    // first error.
    Q_INVOKABLE void AddNodes(const QVariant& colSource);
    // The page area, twips.
    std::int32_t ClientTop() const;
    std::int32_t ClientLeft() const;
    std::int32_t ClientHeight() const;
    std::int32_t ClientWidth() const;
    // kyMDIndex: the current page index; kyMDName: the selected node's text; else Empty.
    Q_INVOKABLE QVariant CurrentPage(int ValueMode) const;
    bool ShowApply() const { return show_apply_; }
    void setShowApply(bool value);
    QString CustomCaption() const;
    void setCustomCaption(const QString& caption);
    bool CustomVisible() const { return custom_visible_; }
    void setCustomVisible(bool visible);
    QString FromKey() const { return navigation_->FromKey(); }
    QString ToKey() const { return navigation_->ToKey(); }
    QString CurrentKey() const { return navigation_->CurrentKey(); }
    QString HelpApplyCaption() const { return help_apply_caption_; }
    void setHelpApplyCaption(const QString& caption);

    // The constituent controls.
    forms::TreeView& tvOptions() const { return *tree_; }
    forms::CommandButton& button(en_Buttons which) const;

signals:
    void OKClick();
    void CancelClick();
    void HelpClick();
    void BeforePageChange(short FromPageIndex, short ToPageIndex, bool& Cancel);
    void AfterPageChange(short FromPageIndex, short ToPageIndex);
    void ApplyClick();
    void CustomClick();

protected:
    void InitProperties() override;
    void ReadProperties(forms::PropertyBag& bag) override;
    void WriteProperties(forms::PropertyBag& bag) override;
    void Resize() override;
    void Show() override;
    // At run time the dialog follows its form's size.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill_form();
    int write_only_long() const;
    bool write_only_bool() const;
    void apply_help_apply_caption();
    void layout_buttons();
    void warn_if_not_alone();

    void use_tabs(CTabManager& tabs);

    std::unique_ptr<CTabManager> own_tabs_;
    CTabManager* tabs_; // own_tabs_, or the registry set last while it lives
    QMetaObject::Connection tabs_ended_;
    OptionCollection options_;
    forms::TreeView* tree_;
    forms::PictureBox* pic_buttons_;
    forms::Frame* fra_top_;
    forms::CommandButton* cmd_custom_;
    forms::CommandButton* cmd_ok_;
    forms::CommandButton* cmd_cancel_;
    forms::CommandButton* cmd_help_apply_;
    std::unique_ptr<options::OptionTreeNavigation> navigation_;

    std::int32_t default_button_ = btnOK;
    bool show_apply_ = false;
    bool custom_visible_ = false;
    QString help_apply_caption_;
    QString saved_key_;
    std::int16_t saved_index_ = 0;
    QWidget* followed_form_ = nullptr; // the run-time form whose resizes the dialog follows
};
