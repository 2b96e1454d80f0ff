#include "controls/wizard/mod_base.h"

#include "controls/message_box.h"
#include "controls/wizard/c_pages.h"
#include "controls/wizard/wizard_navigator.h"

namespace {

struct thread_state {
    std::shared_ptr<CWizardNavigator> navigator;
    std::shared_ptr<CPages> pages;
    bool show_error_msg = false;
};

thread_state& state()
{
    thread_local thread_state per_thread;
    return per_thread;
}

} // namespace

namespace modBase {

std::shared_ptr<CWizardNavigator> SharedNavigator() { return state().navigator; }

std::shared_ptr<CPages> SharedPages() { return state().pages; }

bool SharedShowErrorMsg() { return state().show_error_msg; }

void setSharedShowErrorMsg(bool value) { state().show_error_msg = value; }

void CreateNavigator()
{
    thread_state& s = state();
    s.pages.reset();
    s.navigator.reset();
    s.pages = std::make_shared<CPages>();
    s.navigator = std::make_shared<CWizardNavigator>(s.pages);
}

void ReleaseNavigator()
{
    thread_state& s = state();
    if (s.pages && s.pages->Count() == 0) {
        s.pages.reset();
        s.navigator.reset();
    }
}

std::int32_t ErrorMsgBox(bool ShowMsg, std::int32_t Number, const QString& Description, const QString& Source,
                         std::int32_t Buttons)
{
    if (!ShowMsg)
        return 0;
    try {
        return kycomctl::show_message(kycomctl::error_text(Number, Description), Buttons, Source);
    } catch (...) {
        return 0; // the error box itself never fails its caller
    }
}

} // namespace modBase
