#include "controls/options/ky_tree_base.h"

#include "controls/message_box.h"
#include "controls/options/ky_tree_functions.h"
#include "controls/options/layout_support.h"
#include "controls/options/option_images.h"
#include "controls/options/option_tree_text.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/intrinsics/picture_box.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/intrinsics/tree_view.h"
#include "platform/forms/hosting/type_name.h"
#include "platform/forms/core/vb_error.h"

#include <cmath>

using forms::Screen;
using options::ignoring_errors;
using options::px_x;
using options::px_y;
using options::whole;

namespace {

constexpr double kDesignWidth = 9105;
constexpr double kDesignHeight = 5355;
constexpr double kBarHeight = 750;
constexpr double kButtonWidth = 1120;
constexpr double kButtonHeight = 345;
constexpr double kButtonTop = 210;

const QString kTreeContainment = QStringLiteral("TreeContainment");
const QString kCustomCaption = QStringLiteral("CustomCaption");
const QString kCustomVisible = QStringLiteral("CustomVisible");
const QString kHelpApplyCaption = QStringLiteral("HelpApplyCaption");
const QString kShowApply = QStringLiteral("ShowApply");

} // namespace

KyTreeBase::KyTreeBase()
    : own_tabs_(std::make_unique<CTabManager>()), tabs_(own_tabs_.get()), options_(options::new_option_list())
{
    setAccessibleName(QStringLiteral("Options"));
    resize(Screen::to_pixels_x(kDesignWidth), Screen::to_pixels_y(kDesignHeight));

    tree_ = new forms::TreeView(this, QStringLiteral("tvOptions"));
    tree_->set_label_name(QStringLiteral("Options"));
    tree_->Move(75, 105, 2400, 4300);
    tree_->setImageList(&options::option_images());

    pic_buttons_ = new forms::PictureBox(this, QStringLiteral("picButtons"));
    pic_buttons_->setBorderStyle(0);
    fra_top_ = new forms::Frame(pic_buttons_, QStringLiteral("fraTop"));
    auto make_button = [this](const char* name, const char* caption) {
        auto* button = new forms::CommandButton(pic_buttons_, QString::fromLatin1(name), QString::fromLatin1(caption));
        button->Move(0, kButtonTop, kButtonWidth, kButtonHeight);
        return button;
    };
    cmd_custom_ = make_button("cmdCustom", "Custom");
    cmd_ok_ = make_button("cmdOK", "OK");
    cmd_cancel_ = make_button("cmdCancel", "Cancel");
    cmd_help_apply_ = make_button("cmdHelpApply", "Help");
    cmd_ok_->setDefault(true);
    cmd_cancel_->setCancel(true);
    setTabOrder(tree_, cmd_custom_);
    setTabOrder(cmd_custom_, cmd_ok_);
    setTabOrder(cmd_ok_, cmd_cancel_);
    setTabOrder(cmd_cancel_, cmd_help_apply_);

    connect(cmd_ok_, &forms::CommandButton::Click, this, &KyTreeBase::OKClick);
    connect(cmd_cancel_, &forms::CommandButton::Click, this, &KyTreeBase::CancelClick);
    connect(cmd_custom_, &forms::CommandButton::Click, this, &KyTreeBase::CustomClick);
    connect(cmd_help_apply_, &forms::CommandButton::Click, this, [this] {
        if (cmd_help_apply_->Caption() == QLatin1String("Help"))
            emit HelpClick();
        else
            emit ApplyClick();
    });

    navigation_ = std::make_unique<options::OptionTreeNavigation>(*tree_, *tabs_);
    navigation_->set_options(options_);
    navigation_->before_page_change = [this](short from, short to, bool& cancel) {
        emit BeforePageChange(from, to, cancel);
    };
    navigation_->after_page_change = [this](short from, short to) { emit AfterPageChange(from, to); };
    // A failing lookup inside a click is reported, never left to unwind through the tree.
    connect(tree_, &forms::TreeView::NodeClick, this, [this](const QString& key) {
        try {
            navigation_->node_click(key);
        } catch (const forms::VbError& error) {
            kycomctl::show_message(kycomctl::error_text(error.number(), error.description()), kycomctl::vbExclamation,
                                   QString());
        }
    });
    connect(tree_, &forms::TreeView::Expand, this, [this](const QString& key) { navigation_->expanded(key, true); });
    connect(tree_, &forms::TreeView::Collapse, this, [this](const QString& key) { navigation_->expanded(key, false); });
    Resize();
}

KyTreeBase::~KyTreeBase() { QObject::disconnect(tabs_ended_); }

int KyTreeBase::write_only_long() const { forms::raise(forms::vberr::GetNotSupportedWriteOnly); }
bool KyTreeBase::write_only_bool() const { forms::raise(forms::vberr::GetNotSupportedWriteOnly); }

forms::CommandButton& KyTreeBase::button(en_Buttons which) const
{
    switch (which) {
    case btnOK: return *cmd_ok_;
    case btnCancel: return *cmd_cancel_;
    case btnHelp:
    case btnApply: return *cmd_help_apply_;
    case btnCustom: return *cmd_custom_;
    }
    forms::raise(forms::vberr::InvalidProcedureCall);
}

void KyTreeBase::setMcolOptions(const QVariant& list)
{
    if (!list.canConvert<OptionCollection>() || !list.value<OptionCollection>())
        forms::raise(forms::vberr::TypeMismatch, QStringLiteral("mcolOptions"));
    options_ = list.value<OptionCollection>();
    navigation_->set_options(options_);
}

void KyTreeBase::setObjTabsManager(QObject* manager)
{
    auto* tabs = qobject_cast<CTabManager*>(manager);
    if (!tabs)
        forms::raise(forms::vberr::TypeMismatch, QStringLiteral("objTabsManager"),
                     QStringLiteral("objTabsManager takes a CTabManager"));
    use_tabs(*tabs);
}

void KyTreeBase::use_tabs(CTabManager& tabs)
{
    QObject::disconnect(tabs_ended_);
    tabs_ = &tabs;
    navigation_->set_tabs(tabs);
    // A registry set from outside may end before the tree: the tree's own takes over, so no
    // call reaches a registry that is gone.
    if (&tabs != own_tabs_.get())
        tabs_ended_ = connect(&tabs, &QObject::destroyed, this, [this] { use_tabs(*own_tabs_); });
}

void KyTreeBase::setDefaultButton(std::int32_t value)
{
    if (value < btnOK || value > btnCustom)
        return;
    default_button_ = value == btnApply ? btnHelp : value;
    button(static_cast<en_Buttons>(value)).setDefault(true);
}

void KyTreeBase::EnableButton(int value)
{
    if (value < btnOK || value > btnCustom)
        return;
    button(static_cast<en_Buttons>(value)).setEnabled(true);
    if ((value == btnApply ? btnHelp : value) == default_button_)
        button(static_cast<en_Buttons>(value)).setDefault(true);
}

void KyTreeBase::DisableButton(int value)
{
    if (value < btnOK || value > btnCustom)
        return;
    button(static_cast<en_Buttons>(value)).setEnabled(false);
    button(static_cast<en_Buttons>(value)).setDefault(false);
}

void KyTreeBase::setTreeEnabled(bool enabled)
{
    tree_->setEnabled(enabled);
    if (!enabled) {
        saved_key_ = navigation_->CurrentKey();
        saved_index_ = tabs_->CurrentTabIndex();
        if (tree_->Count() > 0)
            tree_->setExpanded(tree_->FirstKey(), false);
        return;
    }
    if (!saved_key_.isEmpty()) {
        if (tree_->Exists(saved_key_))
            tree_->Select(saved_key_);
        tabs_->ChangeTab(saved_index_);
    } else if (tree_->Count() > 0) {
        navigation_->show_first_page();
    }
    saved_key_.clear();
    saved_index_ = 0;
}

void KyTreeBase::SetTab(short index) { tabs_->ChangeTab(index); }

void KyTreeBase::AddNodes(const QVariant& source)
{
    try {
        setMcolOptions(source);
        // The pages' registry describes the collection the tree shows.
        tabs_->setOptionList(options_);
        navigation_->reset();
        options::FillOptionTree(*tree_, *options_, false);
        navigation_->show_first_page();
        PropertyChanged(kTreeContainment);
    } catch (const forms::VbError&) {
    }
}

std::int32_t KyTreeBase::ClientTop() const { return whole(px_y(6)); }
std::int32_t KyTreeBase::ClientLeft() const { return whole(tree_->Left() + tree_->Width() + px_x(20)); }
std::int32_t KyTreeBase::ClientHeight() const { return whole(pic_buttons_->Top() - ClientTop() - px_y(2)); }
std::int32_t KyTreeBase::ClientWidth() const { return whole(ScaleWidth() - ClientLeft() - px_x(10)); }

QVariant KyTreeBase::CurrentPage(int mode) const
{
    if (mode == kyMDIndex)
        return QVariant(tabs_->CurrentTabIndex());
    if (mode == kyMDName) {
        const QString key = tree_->SelectedKey();
        return key.isEmpty() ? QString() : tree_->Text(key);
    }
    return {};
}

void KyTreeBase::setShowApply(bool value)
{
    if (value != show_apply_)
        PropertyChanged(kShowApply);
    show_apply_ = value;
    apply_help_apply_caption();
}

void KyTreeBase::apply_help_apply_caption()
{
    if (!help_apply_caption_.isEmpty())
        cmd_help_apply_->setCaption(help_apply_caption_);
    else
        cmd_help_apply_->setCaption(show_apply_ ? QStringLiteral("Apply") : QStringLiteral("Help"));
}

void KyTreeBase::setHelpApplyCaption(const QString& caption)
{
    help_apply_caption_ = caption.trimmed();
    apply_help_apply_caption();
    PropertyChanged(kHelpApplyCaption);
}

QString KyTreeBase::CustomCaption() const { return cmd_custom_->Caption(); }

void KyTreeBase::setCustomCaption(const QString& caption)
{
    cmd_custom_->setCaption(caption);
    PropertyChanged(kCustomCaption);
}

void KyTreeBase::setCustomVisible(bool visible)
{
    custom_visible_ = visible;
    cmd_custom_->setVisible(visible);
    PropertyChanged(kCustomVisible);
}

void KyTreeBase::layout_buttons()
{
    ignoring_errors([&] {
        const double client_left = ClientLeft();
        const double client_width = ClientWidth();
        fra_top_->Move(client_left, 0, client_width, 45);
        const double gap = px_x(6);
        cmd_custom_->setLeft(client_left + client_width - 4 * cmd_ok_->Width() - 3 * gap - px_x(1));
        cmd_ok_->setLeft(cmd_custom_->Left() + cmd_custom_->Width() + gap);
        cmd_cancel_->setLeft(cmd_ok_->Left() + cmd_ok_->Width() + gap);
        cmd_help_apply_->setLeft(cmd_cancel_->Left() + cmd_cancel_->Width() + px_x(7));
    });
}

void KyTreeBase::Resize()
{
    pic_buttons_->Move(0, ScaleHeight() - kBarHeight, ScaleWidth(), kBarHeight);
    layout_buttons();
    ignoring_errors([&] {
        const bool normal = !has_site() || ParentForm().WindowState() == 0;
        if (normal && pic_buttons_->Top() - tree_->Top() > 100)
            tree_->setHeight(ScaleHeight() - tree_->Top() - pic_buttons_->Height() + px_y(4));
    });
    tabs_->AreaLeft = ClientLeft();
    tabs_->AreaTop = ClientTop();
    tabs_->AreaWidth = ClientWidth();
    tabs_->AreaHeight = ClientHeight();
    tabs_->ResizeBase();
}

void KyTreeBase::Show()
{
    ignoring_errors([&] {
        // At run time the dialog fills its form. At design time it keeps the place and size
        // stored for it: a form shown in its designer is no change a person made, and a save
        // without one leaves the file as it was.
        if (Ambient().UserMode()) {
            forms::Form& form = ParentForm();
            fill_form();
            if (followed_form_ != &form) {
                followed_form_ = &form;
                form.installEventFilter(this);
            }
        }
        if (cmd_ok_->Enabled())
            cmd_ok_->setFocus();
    });
}

void KyTreeBase::fill_form()
{
    ignoring_errors([&] {
        forms::Form& form = ParentForm();
        if (Extender().Left() != 0 || Extender().Top() != 0 || Extender().Width() != form.ScaleWidth() ||
            Extender().Height() != form.ScaleHeight())
            Extender().Move(0, 0, form.ScaleWidth(), form.ScaleHeight());
    });
}

bool KyTreeBase::eventFilter(QObject* watched, QEvent* event)
{
    // A wider window shows no blank band, a smaller one cuts off no button.
    if (watched == followed_form_ && event->type() == QEvent::Resize)
        fill_form();
    return forms::UserControl::eventFilter(watched, event);
}

void KyTreeBase::warn_if_not_alone()
{
    int count = 0;
    for (forms::ControlSite* site : ParentForm().sites())
        if (forms::TypeName(site) == QLatin1String("KyTreeBase"))
            ++count;
    if (count > 1)
        kycomctl::show_message(
            QStringLiteral("Sorry. You can have only one KyTreeBase on Form. Please remove the new item KyTreeBase."),
            kycomctl::vbExclamation | kycomctl::vbOKOnly, QStringLiteral("KyTreeBase"));
}

void KyTreeBase::InitProperties()
{
    warn_if_not_alone();
    Extender().setTop(0);
    ParentForm().setWidth(8985);
    ParentForm().setHeight(5625);
    setHelpApplyCaption(QString());
    setCustomCaption(QStringLiteral("Custom"));
    setCustomVisible(false);
    Resize();
}

void KyTreeBase::ReadProperties(forms::PropertyBag& bag)
{
    const QString text = bag.ReadProperty(kTreeContainment, QString()).toString();
    setCustomCaption(bag.ReadProperty(kCustomCaption, QStringLiteral("Custom")).toString());
    setCustomVisible(bag.ReadProperty(kCustomVisible, false).toBool());
    help_apply_caption_ = bag.ReadProperty(kHelpApplyCaption, QString()).toString().trimmed();
    setShowApply(bag.ReadProperty(kShowApply, false).toBool());
    if (!text.isEmpty()) {
        // A malformed text is refused with the reader's error, which reaches the loader.
        options_ = options::ParseOptionList(text);
        tabs_->setOptionList(options_);
        navigation_->set_options(options_);
        options::FillOptionTree(*tree_, *options_, false);
        navigation_->show_first_page();
    } else {
        options_ = options::new_option_list();
        navigation_->set_options(options_);
    }
    setDefaultButton(btnOK);
}

void KyTreeBase::WriteProperties(forms::PropertyBag& bag)
{
    bag.WriteProperty(kTreeContainment, options::BuildOptionList(options_.get()), QVariant());
    bag.WriteProperty(kShowApply, show_apply_, QVariant());
    bag.WriteProperty(kCustomVisible, custom_visible_, false);
    bag.WriteProperty(kCustomCaption, CustomCaption(), QStringLiteral("Custom"));
    bag.WriteProperty(kHelpApplyCaption, help_apply_caption_, QString());
}
