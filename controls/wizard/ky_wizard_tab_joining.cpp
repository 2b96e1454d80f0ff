// KyWizardTab: joining the thread's shared navigation object and page registry, following
// its events, and the page's own input events.

#include "controls/wizard/c_page.h"
#include "controls/wizard/ky_wizard_tab.h"
#include "controls/wizard/mod_base.h"
#include "controls/wizard/wizard_navigator.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/intrinsics/image.h"
#include "platform/forms/hosting/input_events.h"
#include "platform/forms/core/vb_error.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>

void KyWizardTab::Initialize()
{
    try {
        if (!modBase::SharedNavigator())
            modBase::CreateNavigator();
        kyPage_ = modBase::SharedNavigator();
        CWizardNavigator* nav = kyPage_.get();
        connect(nav, &CWizardNavigator::OnChangeBannerPicture, this, &KyWizardTab::kyPage_OnChangeBannerPicture);
        connect(nav, &CWizardNavigator::OnChangeBannerStyle, this, &KyWizardTab::kyPage_OnChangeBannerStyle);
        connect(nav, &CWizardNavigator::OnChangeWaterMarkPicture, this, &KyWizardTab::kyPage_OnChangeWaterMarkPicture);
        connect(nav, &CWizardNavigator::OnGoToPage, this, &KyWizardTab::kyPage_OnGoToPage);
        connect(nav, &CWizardNavigator::OnNavigatorDie, this, &KyWizardTab::kyPage_OnNavigatorDie);
        connect(nav, &CWizardNavigator::YouMustChangeYourHeight, this, &KyWizardTab::kyPage_YouMustChangeYourHeight);
        own_page_ = std::make_shared<CPage>();
        for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
            const CWizardNavigator::Button b = nav->DefaultSetButton(position);
            navigator_defaults_[static_cast<std::size_t>(position - 1)] = ButtonField{b.Visible, b.Enabled, b.Caption,
                                                                                      b.Rule};
        }
        navigator_default_button_ = nav->DefaultSetDefaultButton();
        navigator_cancel_button_ = nav->DefaultSetCancelButton();
        own_page_->setWizardPage(QVariant::fromValue<QObject*>(this));
    } catch (const forms::VbError& error) {
        wizard_errors::ReportPageError(error.number(), error.description(), last_error_,
                                       QStringLiteral("(Class)KyWizardTab"), QStringLiteral("Initialize"),
                                       kyPage_.get());
    }
}

void KyWizardTab::register_page()
{
    registered_name_ = Extender().Name();
    name_page();
    own_page_->setName(registered_name_);
    navigator().AddPage(registered_name_, own_page_);
}

QString KyWizardTab::DisplayName() const { return Extender().Name(); }

void KyWizardTab::AmbientChanged(const QString& name)
{
    if (name.compare(QStringLiteral("DisplayName"), Qt::CaseInsensitive) != 0)
        return;
    handled(QStringLiteral("AmbientChanged::"), [&] {
        if (!relayout())
            return;
        const QString new_name = Ambient().DisplayName();
        navigator().RenamePage(new_name, own_page_, registered_name_);
        registered_name_ = new_name;
        own_page_->setName(new_name);
    });
}

void KyWizardTab::Hide()
{
    handled(QStringLiteral("Hide"), [&] {
        if (!user_mode() && kyPage_)
            kyPage_->RemovePage(Extender().Name());
    });
}

void KyWizardTab::Terminate() { last_error_ = {}; }

void KyWizardTab::kyPage_OnChangeBannerPicture(const WizardPicture& BannerImage)
{
    handled(QStringLiteral("OnChangeBannerPicture"), [&] {
        if (page_mode_ != InteriorPage)
            return;
        imgHeaderBanner_->setPicture(BannerImage);
        SetBannerImagePlace();
    });
}

void KyWizardTab::kyPage_OnChangeWaterMarkPicture(const WizardPicture& WaterMarkImage)
{
    handled(QStringLiteral("OnChangeWatermarkPicture"), [&] {
        if (page_mode_ != InteriorPage)
            ImageWaterMark_->setPicture(WaterMarkImage);
    });
}

void KyWizardTab::kyPage_OnChangeBannerStyle(std::int32_t New_BannerStyle)
{
    handled(QStringLiteral("OnChangeBannerStyle"), [&] { setBannerStyle(New_BannerStyle); });
}

void KyWizardTab::kyPage_YouMustChangeYourHeight(std::int32_t New_TabHeight)
{
    // A height below 0 (from a host that sets the page height itself) is no page at all.
    handled(QStringLiteral("YouMustChangeYourHeight"), [&] { Extender().setHeight(std::max(0, New_TabHeight)); });
}

void KyWizardTab::kyPage_OnGoToPage(std::int32_t NewPageIndex)
{
    handled(QStringLiteral("OnGoToPage"), [&] {
        if (NewPageIndex != page_index_) {
            Extender().setVisible(false);
            return;
        }
        CWizardNavigator& nav = navigator();
        for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
            const ButtonField& b = field(position);
            nav.setCurrentButton(position, CWizardNavigator::Button{b.Visible, b.Enabled, b.Caption, b.Rule});
        }
        nav.setCurrentDefaultButton(default_button_);
        nav.setCurrentCancelButton(cancel_button_);
        nav.setUseDefaultButtonSet(use_default_button_set_);
        nav.ChangeButtons();
        nav.setCurrentPageIndex(NewPageIndex);
        nav.setPreviousPageIndex(page_back_);
        nav.setNextPageIndex(page_next_);
        Extender().setVisible(true);
        Extender().ZOrder(0);
    });
}

void KyWizardTab::kyPage_OnNavigatorDie()
{
    // Reports nothing: any failure ends the handler silently. The events let run may unload
    // the form: then the page is gone and only the thread's shared objects are released.
    const QPointer<KyWizardTab> alive(this);
    try {
        if (kyPage_ && own_page_)
            kyPage_->RemovePage(own_page_->Name());
        forms::DoEvents();
        modBase::ReleaseNavigator();
    } catch (const forms::VbError&) {
    }
    if (!alive)
        return;
    detach_navigator();
    last_error_ = {};
}

void KyWizardTab::detach_navigator()
{
    if (own_page_)
        own_page_->setWizardPage(QVariant());
    own_page_.reset();
    if (kyPage_)
        disconnect(kyPage_.get(), nullptr, this, nullptr);
    kyPage_.reset();
}

// --- input events ------------------------------------------------------------------------

void KyWizardTab::UserControl_KeyDown(short& KeyCode, short& Shift)
{
    handled(QStringLiteral("KeyDown"), [&] { emit KeyDown(KeyCode, Shift); });
}

void KyWizardTab::UserControl_KeyPress(short& KeyAscii)
{
    handled(QStringLiteral("KeyPress"), [&] { emit KeyPress(KeyAscii); });
}

void KyWizardTab::UserControl_KeyUp(short& KeyCode, short& Shift)
{
    handled(QStringLiteral("KeyUp"), [&] { emit KeyUp(KeyCode, Shift); });
}

void KyWizardTab::UserControl_MouseDown(short& Button, short& Shift, float& x, float& y)
{
    handled(QStringLiteral("MouseDown"), [&] { emit MouseDown(Button, Shift, x, y); });
}

void KyWizardTab::UserControl_MouseMove(short& Button, short& Shift, float& x, float& y)
{
    handled(QStringLiteral("MouseMove"), [&] { emit MouseMove(Button, Shift, x, y); });
}

void KyWizardTab::UserControl_MouseUp(short& Button, short& Shift, float& x, float& y)
{
    handled(QStringLiteral("MouseUp"), [&] { emit MouseUp(Button, Shift, x, y); });
}

void KyWizardTab::UserControl_Click()
{
    handled(QStringLiteral("Click"), [&] { emit Click(); });
}

void KyWizardTab::keyPressEvent(QKeyEvent* event)
{
    const short pressed = forms::key_code(*event);
    short code = pressed;
    short shift = forms::shift_state(*event);
    UserControl_KeyDown(code, shift);
    // A KeyDown handler that sets KeyCode to 0 swallows the key's character too.
    bool swallowed = code == 0 && pressed != 0;
    short ascii = forms::key_ascii(*event);
    if (!swallowed && ascii != 0) {
        UserControl_KeyPress(ascii);
        swallowed = ascii == 0;
    }
    // The page uses no key itself: what the host's handlers left goes on to the form, where
    // Enter and Esc press its Default and Cancel controls.
    event->setAccepted(swallowed);
}

void KyWizardTab::keyReleaseEvent(QKeyEvent* event)
{
    const short released = forms::key_code(*event);
    short code = released;
    short shift = forms::shift_state(*event);
    UserControl_KeyUp(code, shift);
    event->setAccepted(code == 0 && released != 0);
}

void KyWizardTab::raise_mouse(const QMouseEvent& event, short buttons,
                              void (KyWizardTab::*handler)(short&, short&, float&, float&))
{
    short shift = forms::shift_state(event);
    float x = forms::twips_x(event.position().toPoint());
    float y = forms::twips_y(event.position().toPoint());
    (this->*handler)(buttons, shift, x, y);
}

void KyWizardTab::mousePressEvent(QMouseEvent* event)
{
    raise_mouse(*event, forms::mouse_button(*event), &KyWizardTab::UserControl_MouseDown);
}

void KyWizardTab::mouseMoveEvent(QMouseEvent* event)
{
    raise_mouse(*event, forms::mouse_buttons_held(*event), &KyWizardTab::UserControl_MouseMove);
}

void KyWizardTab::mouseReleaseEvent(QMouseEvent* event)
{
    raise_mouse(*event, forms::mouse_button(*event), &KyWizardTab::UserControl_MouseUp);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        UserControl_Click();
}
