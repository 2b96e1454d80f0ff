// KyWizardNavigator: the button clicks, the page changes with the host's BeforePageChange and
// AfterPageChange, the shown page's button set on the bar, default and cancel buttons,
// focus, and the design-time captions file.

#include "controls/wizard/c_page.h"
#include "controls/wizard/c_pages.h"
#include "controls/wizard/captions_file.h"
#include "controls/wizard/frm_about.h"
#include "controls/wizard/ky_wizard_navigator.h"
#include "controls/wizard/mod_base.h"
#include "controls/wizard/wizard_navigator.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/core/vb_error.h"

#include <QPointer>

namespace {

// Errors a page change drops without a report: none, the client site gone, and the error
// the host raises to abandon a change quietly.
bool unreported(std::int32_t number) { return number == 0 || number == 398 || number == 57097; }

CPage& as_page(QObject* object)
{
    if (object == nullptr)
        forms::raise(forms::vberr::ObjectVariableNotSet);
    auto* page = qobject_cast<CPage*>(object);
    if (page == nullptr)
        forms::raise(forms::vberr::TypeMismatch);
    return *page;
}

} // namespace

void KyWizardNavigator::button_click(std::int32_t position)
{
    QPointer<KyWizardNavigator> self(this);
    forms::CommandButton* b = button(position);
    if (!b)
        return;
    const QString tag = b->Tag();
    const bool changes_page = tag == QStringLiteral("1") || tag == QStringLiteral("2");
    if (changes_page && changing_ > 0) {
        // The user asked for a change while one runs: never inside it, but after it.
        waiting_clicks_.push_back(position);
        return;
    }
    if (tag == QStringLiteral("1")) {
        BackClick();
    } else if (tag == QStringLiteral("4")) {
        emit HelpClick();
        return;
    } else if (tag == QStringLiteral("6")) {
        emit FinishClick();
    } else if (tag == QStringLiteral("2")) {
        NextClick();
    } else if (tag == QStringLiteral("3")) {
        emit CancelClick();
    } else if (tag == QStringLiteral("5")) {
        emit ExitClick();
    }
    // A handler may have unloaded the form: then there is no bar to bring forward.
    if (self)
        ignoring([&] { Extender().ZOrder(0); });
}

KyWizardNavigator::ChangeRunning::ChangeRunning(KyWizardNavigator* bar) : bar_(bar) { ++bar->changing_; }

KyWizardNavigator::ChangeRunning::~ChangeRunning()
{
    // The clicks that waited run from the event loop, after the handler that began this
    // change has returned, as the window system's queued input does.
    if (!bar_ || --bar_->changing_ > 0 || bar_->waiting_clicks_.empty())
        return;
    QMetaObject::invokeMethod(
        bar_.data(),
        [bar = bar_] {
            if (bar)
                bar->run_waiting_clicks();
        },
        Qt::QueuedConnection);
}

void KyWizardNavigator::run_waiting_clicks()
{
    while (!waiting_clicks_.empty() && changing_ == 0) {
        const std::int32_t position = waiting_clicks_.front();
        waiting_clicks_.erase(waiting_clicks_.begin());
        forms::CommandButton* b = button(position);
        if (b == nullptr)
            continue;
        QPointer<KyWizardNavigator> self(this);
        forms::deliver_user_input(*b, [self, position] {
            if (self)
                self->button_click(position);
        });
        if (!self)
            return;
    }
}

void KyWizardNavigator::BackClick()
{
    std::int32_t link = 0;
    ignoring([&] { link = nav().PreviousPageIndex(); });
    change_page(link, kyWizardGoBack, "BackClick");
}

void KyWizardNavigator::NextClick()
{
    std::int32_t link = 0;
    ignoring([&] { link = nav().NextPageIndex(); });
    change_page(link, kyWizardGoForward, "NextClick");
}

void KyWizardNavigator::change_page(std::int32_t link, std::int32_t direction, const char* label)
{
    QPointer<KyWizardNavigator> self(this);
    try {
        ignoring([&] { Extender().ZOrder(0); });
        if (link <= 0 || !pages_)
            return;
        QObject* NewPage = pages_->Item(QVariant(link));
        const std::int32_t current = nav().CurrentPageIndex();
        QObject* CurrentPage = current > 0 ? pages_->Item(QVariant(current)) : nullptr;
        if (NewPage == nullptr)
            return;
        ask_and_show(direction, NewPage, CurrentPage);
    } catch (const forms::VbError& error) {
        if (self && !unreported(error.number()))
            report(error.number(), error.description(), QString::fromLatin1(label));
    }
}

void KyWizardNavigator::go_to_new_page(QObject*& NewPage, const std::int32_t* direction, const char* label)
{
    QPointer<KyWizardNavigator> self(this);
    try {
        const std::int32_t current = nav().CurrentPageIndex();
        const std::int32_t asked = as_page(NewPage).PageIndex();
        if (asked == current)
            return;
        QObject* CurrentPage = pages_ && current > 0 ? pages_->Item(QVariant(current)) : nullptr;
        const std::int32_t way = direction ? *direction : (asked - current >= 0 ? kyWizardGoForward : kyWizardGoBack);
        ask_and_show(way, NewPage, CurrentPage);
    } catch (const forms::VbError& error) {
        if (self && !unreported(error.number()))
            report(error.number(), error.description(), QString::fromLatin1(label));
    }
}

bool KyWizardNavigator::ask_and_show(std::int32_t direction, QObject*& NewPage, QObject* CurrentPage)
{
    QPointer<KyWizardNavigator> self(this);
    // Only the host's own calls (GoToNewPage from a handler) nest a change; Back and Next
    // clicked meanwhile wait for its end (button_click).
    const ChangeRunning running(this);
    bool Cancel = false;
    emit BeforePageChange(direction, NewPage, CurrentPage, Cancel);
    if (!self || Cancel)
        return false;
    // The page the handler left (on every path, GoToNewPage included) is the page shown and
    // the page AfterPageChange names. What can fail is checked before the page changes.
    const std::int32_t index = as_page(NewPage).PageIndex();
    nav().GoToPage(index);
    emit AfterPageChange(direction, NewPage, CurrentPage);
    return true;
}

void KyWizardNavigator::GoToNewPage(QObject*& NewPage) { go_to_new_page(NewPage, nullptr, "GoToNewPage"); }

void KyWizardNavigator::GoToNewPageEx(QObject*& NewPage, std::int32_t WizardDirection)
{
    go_to_new_page(NewPage, &WizardDirection, "GoToNewPageEx");
}

// --- the shown page's buttons -----------------------------------------------------------------

void KyWizardNavigator::KyNav_OnChangeButtons()
{
    QWidget::setEnabled(true);
    CWizardNavigator& n = nav();
    const bool default_set = n.UseDefaultButtonSet();
    default_button_ = default_set ? n.DefaultSetDefaultButton() : n.CurrentDefaultButton();
    cancel_button_ = default_set ? n.DefaultSetCancelButton() : n.CurrentCancelButton();
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
        const CWizardNavigator::Button b = default_set ? n.DefaultSetButton(position) : n.CurrentButton(position);
        if (!default_set && b.Rule == kyBRNone) {
            setButtonVisible(position, false);
            setButtonEnabled(position, false);
            continue;
        }
        setButtonVisible(position, b.Visible);
        setButtonEnabled(position, b.Enabled);
        setButtonRule(position, b.Rule);
        setButtonCaption(position, b.Caption);
    }
    ApplyDefaultButton(default_button_);
    ApplyCancelButton(cancel_button_);
}

void KyWizardNavigator::KyNav_OnChangePreviousPageIndex()
{
    CWizardNavigator& n = nav();
    if (!n.UseDefaultButtonSet())
        return;
    const bool back_possible = n.PreviousPageIndex() >= 1;
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position)
        if (button(position)->Tag().toInt() == kyBRBack)
            setButtonEnabled(position, back_possible);
}

void KyWizardNavigator::KyNav_OnChangeNextPageIndex()
{
    CWizardNavigator& n = nav();
    if (!n.UseDefaultButtonSet())
        return;
    setFinishVisible(n.NextPageIndex() == 0);
    const bool next_possible = n.NextPageIndex() >= 1;
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position)
        if (button(position)->Tag().toInt() == kyBRNext)
            button(position)->setEnabled(next_possible && ButtonEnabled(position));
}

void KyWizardNavigator::KyNav_OnError(std::int32_t Error, const QString& Description, const QString& Source)
{
    emit OnError(Error, Description, Source);
}

void KyWizardNavigator::ApplyDefaultButton(std::int32_t position)
{
    for (std::int32_t i = kyBPLeft; i <= kyBPRight; ++i)
        button(i)->setDefault(ButtonEnabled(i) && i == position);
}

void KyWizardNavigator::ApplyCancelButton(std::int32_t position)
{
    for (std::int32_t i = kyBPLeft; i <= kyBPRight; ++i)
        button(i)->setCancel(ButtonEnabled(i) && i == position);
}

void KyWizardNavigator::SetButtonsEnabledOnEnabledControl()
{
    handled(QStringLiteral("SetButtonsEnabledOnEnabledControl"), [&] {
        CWizardNavigator& n = nav();
        for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
            if (n.UseDefaultButtonSet()) {
                setButtonEnabled(position, n.DefaultSetButton(position).Enabled);
            } else {
                const CWizardNavigator::Button b = n.CurrentButton(position);
                setButtonEnabled(position, b.Rule != kyBRNone && b.Enabled);
            }
        }
    });
}

// --- the rest of the members ------------------------------------------------------------------

void KyWizardNavigator::setBannerHeaderStyle(int value)
{
    handled(QStringLiteral("BannerHeaderStyle (Let)"), [&] {
        banner_style_ = value;
        mark("BannerHeaderStyle");
        nav().setBannerStyle(value);
    });
}

void KyWizardNavigator::setDefaultButton(int value)
{
    handled(QStringLiteral("DefaultButton (Let)"), [&] {
        default_button_ = value;
        ApplyDefaultButton(value);
        mark("DefaultButton");
    });
}

void KyWizardNavigator::setCancelButton(int value)
{
    handled(QStringLiteral("CancelButton (Let)"), [&] {
        cancel_button_ = value;
        ApplyCancelButton(value);
        mark("CancelButton");
    });
}

void KyWizardNavigator::setShowErrorMsg(bool value)
{
    show_error_msg_ = value;
    if (!refused_)
        modBase::setSharedShowErrorMsg(value);
    mark("ShowErrorMsg");
}

void KyWizardNavigator::SetFocusOnButton(std::int32_t New_DefaultButton)
{
    handled(QStringLiteral("SetFocusOnButton"), [&] {
        forms::CommandButton* b = button(New_DefaultButton);
        if (b && b->Enabled() && b->Visible())
            b->setFocus(Qt::OtherFocusReason);
    });
}

void KyWizardNavigator::ReleaseAll()
{
    ignoring([&] {
        if (KyNav_)
            KyNav_->RemoveAllPages();
    });
}

void KyWizardNavigator::About() { ShowAboutBox(this); }

void KyWizardNavigator::setSaveCaptionsToFile(bool value)
{
    (void)value;
    if (user_mode())
        return;
    // The file is written whole or not at all; a failure is reported, as the page's is.
    handled(QStringLiteral("SaveCaptionsToFile (Let)"), [&] {
        std::array<QString, 4> captions;
        for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position)
            captions[static_cast<std::size_t>(position - 1)] = ButtonCaption(position);
        write_navigator_captions_file(captions_folder(), display_name(), captions);
    });
}
