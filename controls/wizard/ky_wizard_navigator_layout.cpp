// KyWizardNavigator: coming to life, joining the shared objects, claiming the bottom of the
// host form, laying out the four buttons from the right, keeping the form at the wizard's
// size, the first focus after Show, and leaving.

#include "controls/wizard/c_pages.h"
#include "controls/wizard/ky_wizard_navigator.h"
#include "controls/wizard/mod_base.h"
#include "controls/wizard/wizard_navigator.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/intrinsics/image.h"
#include "platform/forms/core/vb_error.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The bar's height and the gap between the pages and the bar.
constexpr int kBarHeight = 705;
constexpr int kPageGap = 15;

// The designed buttons: name, caption; tab index is the position minus one.
const char* const kButtonControl[] = {"cmdLeft", "cmdLeftMiddle", "cmdRightMiddle", "cmdRight"};
const char* const kDesignCaption[] = {"&Help", "< &Back", "&Next >", "Cancel"};

// 32-bit arithmetic of the layout: a result outside the range raises 6 (Overflow).
std::int32_t checked(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        forms::raise(forms::vberr::Overflow);
    return static_cast<std::int32_t>(value);
}

} // namespace

void KyWizardNavigator::build_constituents()
{
    fraTop_ = new forms::Frame(this, QStringLiteral("fraTop"));
    fraTop_->setBorderStyle(1);
    fraTop_->Move(-30, 0, 7560, 30);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        auto* b = new forms::CommandButton(this, QString::fromLatin1(kButtonControl[i]),
                                           QString::fromLatin1(kDesignCaption[i]));
        b->Move(0, 210, 1120, 345);
        const auto position = static_cast<std::int32_t>(i + 1);
        connect(b, &forms::IntrinsicControl::Click, this, [this, position] { button_click(position); });
        b->installEventFilter(this);
        buttons_[i] = b;
    }
    // The tab order of the designed buttons: Help, Back, Next, Cancel.
    for (std::size_t i = 1; i < buttons_.size(); ++i)
        QWidget::setTabOrder(buttons_[i - 1], buttons_[i]);
    imgBanner_ = new forms::Image(this, QStringLiteral("imgBanner"));
    imgBannerBig_ = new forms::Image(this, QStringLiteral("imgBannerBig"));
    imgWatermark_ = new forms::Image(this, QStringLiteral("imgWatermark"));
    imgWatermarkBig_ = new forms::Image(this, QStringLiteral("imgWatermarkBig"));
    for (forms::Image* holder : {imgBanner_, imgBannerBig_, imgWatermark_, imgWatermarkBig_})
        holder->setVisible(false);
}

bool KyWizardNavigator::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position)
            if (watched == button(position))
                ignoring([&] { emit OnButtonGotFocus(position); });
    }
    return forms::UserControl::eventFilter(watched, event);
}

void KyWizardNavigator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), forms::resolve_color(back_color_, palette()));
}

void KyWizardNavigator::Initialize()
{
    if (!modBase::SharedNavigator())
        modBase::CreateNavigator();
    KyNav_ = modBase::SharedNavigator();
    CWizardNavigator* n = KyNav_.get();
    connect(n, &CWizardNavigator::OnChangeButtons, this, &KyWizardNavigator::KyNav_OnChangeButtons);
    connect(n, &CWizardNavigator::OnChangePreviousPageIndex, this, &KyWizardNavigator::KyNav_OnChangePreviousPageIndex);
    connect(n, &CWizardNavigator::OnChangeNextPageIndex, this, &KyWizardNavigator::KyNav_OnChangeNextPageIndex);
    connect(n, &CWizardNavigator::OnError, this, &KyWizardNavigator::KyNav_OnError);
    pages_ = modBase::SharedPages();
}

void KyWizardNavigator::InitProperties()
{
    if (another_navigator_on_form()) {
        refuse();
        return;
    }
    ignoring([&] { Extender().setAlign(forms::vbAlignBottom); });
    ignoring([&] {
        set_initial_values();
        modBase::setSharedShowErrorMsg(true);
        button_font_ = Ambient().Font();
    });
    ignoring([&] { setBannerHeaderStyle(kyKyrell); });
    ignoring([&] {
        push_default_set();
        nav().setShowErrorMsg(true);
        nav().setStartPage(1);
    });
    ignoring([&] {
        if (hold_parent_size_) {
            ParentForm().setWidth(7540);
            ParentForm().setHeight(5775);
        }
    });
    ignoring([&] {
        if (user_mode())
            return;
        // The wizard's window: a fixed frame without a control box, centred on the screen.
        ParentForm().setBorderStyle(1);
        ParentForm().setControlBox(false);
        ParentForm().setStartUpPosition(2);
        Extender().setDefault(true);
        Extender().setCancel(true);
    });
    ignoring([&] { hand_on_page_height(); });
}

void KyWizardNavigator::Show()
{
    if (refused_)
        return;
    if (!user_mode() || !isEnabled())
        return;
    ignoring([&] { nav().GoToPage(start_page_); });
    ignoring([&] { Extender().ZOrder(0); });
    focus_pending_ = true;
}

void KyWizardNavigator::EnterFocus()
{
    if (!focus_pending_)
        return;
    focus_pending_ = false;
    forms::CommandButton* b = button(default_button_);
    if (b && b->Enabled() && b->Visible())
        b->setFocus(Qt::OtherFocusReason);
}

void KyWizardNavigator::hand_on_page_height()
{
    // A form lower than the bar leaves the pages no room: they are 0 high, never less.
    const auto room = static_cast<std::int32_t>(std::lround(Extender().Top())) - kPageGap;
    nav().setPageHeight(std::max(0, room));
}

void KyWizardNavigator::size_host_form()
{
    forms::Form& form = ParentForm();
    if (hold_parent_size_) {
        form.setWidth(parent_width_);
        form.setHeight(parent_height_);
        return;
    }
    // The Lets make the mode user-defined for any other size; a form at the standard size
    // keeps the standard mode.
    setParentWidth(static_cast<int>(std::lround(form.Width())));
    setParentHeight(static_cast<int>(std::lround(form.Height())));
}

void KyWizardNavigator::Resize()
{
    if (refused_)
        return;
    int state = 0;
    ignoring([&] { state = ParentForm().WindowState(); });
    if (state == 1)
        return;
    if (state != 2)
        ignoring([&] { size_host_form(); });
    ignoring([&] { fraTop_->Move(-30, 0, Extender().Width() + 60, 30); });
    ignoring([&] {
        if (Extender().Height() != kBarHeight)
            Extender().setHeight(kBarHeight);
    });
    ignoring([&] { SetButtonsPosition(ButtonLayout::Everything); });
    ignoring([&] { hand_on_page_height(); });
}

void KyWizardNavigator::SetButtonsPosition(ButtonLayout mode)
{
    if (refused_ || !has_site())
        return;
    const auto width = static_cast<std::int64_t>(std::lround(Extender().Width()));
    // Right to left: cmdRight, cmdRightMiddle, cmdLeftMiddle, cmdLeft.
    forms::CommandButton* order[] = {button(kyBPRight), button(kyBPRightMiddle), button(kyBPLeftMiddle),
                                     button(kyBPLeft)};
    using enum ButtonLayout;
    if (mode == Heights || mode == Everything)
        for (forms::CommandButton* b : order)
            b->setHeight(button_height_);
    if (mode == Widths || mode == Everything)
        for (forms::CommandButton* b : order)
            b->setWidth(button_width_);
    // The two gaps have a mode each, yet both only move the lefts: every left is computed from
    // the right edge through both gaps, so a change of either redoes the whole row, as a
    // change of the width does.
    if (mode == GapRight || mode == GapMiddle || mode == Widths || mode == Everything) {
        const std::int32_t right = checked(width - button_width_ - gap_right_);
        const std::int32_t right_middle = checked(std::int64_t{right} - button_width_ - gap_middle_);
        // Back and Next touch: no gap between them.
        const std::int32_t left_middle = checked(std::int64_t{right_middle} - button_width_);
        const std::int32_t left = checked(std::int64_t{left_middle} - button_width_ - gap_middle_);
        order[0]->setLeft(right);
        order[1]->setLeft(right_middle);
        order[2]->setLeft(left_middle);
        order[3]->setLeft(left);
    }
    if (mode == Tops || mode == Everything)
        for (forms::CommandButton* b : order)
            b->setTop(gap_top_);
}

void KyWizardNavigator::Terminate()
{
    if (refused_)
        return;
    last_error_ = {};
    if (KyNav_)
        KyNav_->NavigatorIsDie();
    modBase::ReleaseNavigator();
    detach_navigator();
}

void KyWizardNavigator::detach_navigator()
{
    if (KyNav_)
        disconnect(KyNav_.get(), nullptr, this, nullptr);
    KyNav_.reset();
    pages_.reset();
}

void KyWizardNavigator::AccessKeyPress(int key_ascii)
{
    // Enter and Esc reach the form's Default and Cancel control, which is this bar: they
    // press the bar's own default and cancel buttons.
    forms::CommandButton::press_access_key(this, key_ascii);
}
