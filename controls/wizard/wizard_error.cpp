#include "controls/wizard/wizard_error.h"

#include "controls/message_box.h"
#include "controls/wizard/mod_base.h"
#include "controls/wizard/wizard_navigator.h"
#include "platform/forms/core/vb_error.h"

namespace wizard_errors {

namespace {

// Keeps the error; true when it is one to report (398 is dropped).
bool keep(std::int32_t number, const QString& description, LastError& last)
{
    last.Number = number;
    last.Description = description;
    return number != forms::vberr::ClientSiteNotAvailable;
}

} // namespace

QString Source(const QString& display_name, const QString& label)
{
    return display_name + QStringLiteral("::") + label;
}

bool ReportNavigatorError(std::int32_t number, const QString& description, LastError& last, const QString& display_name,
                          const QString& label, bool show_error_msg,
                          const std::function<void(std::int32_t, const QString&, const QString&)>& raise_on_error)
{
    if (!keep(number, description, last))
        return false;
    const QString source = Source(display_name, label);
    if (raise_on_error)
        raise_on_error(number, description, source);
    modBase::ErrorMsgBox(show_error_msg, number, description, source, kycomctl::vbExclamation);
    return true;
}

bool ReportPageError(std::int32_t number, const QString& description, LastError& last, const QString& display_name,
                     const QString& label, CWizardNavigator* kyPage)
{
    if (!keep(number, description, last) || !kyPage)
        return false;
    const QString source = Source(display_name, label);
    kyPage->ReportError(number, description, source);
    modBase::ErrorMsgBox(kyPage->ShowErrorMsg(), number, description, source, kycomctl::vbExclamation);
    return true;
}

} // namespace wizard_errors
