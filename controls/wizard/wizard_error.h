#pragma once
// The error convention of the wizard controls (KyWizardNavigator, KyWizardTab). Every
// procedure of theirs that handles its errors passes the caught error here: the number and
// description are kept in the control's last-error fields, error 398 ends there silently,
// and any other error is reported with the source "display name::procedure label" as the
// navigator's OnError event and, when the error-box switch is on, as the exclamation box of
// ErrorMsgBox. The procedure then ends normally; its caller sees no error.

#include <QString>

#include <cstdint>
#include <functional>

class CWizardNavigator;

namespace wizard_errors {

// The last error a control kept (its last error number and description fields).
struct LastError {
    std::int32_t Number = 0;
    QString Description;
};

// "wtWelcome" and "BannerTitle (Let)" give "wtWelcome::BannerTitle (Let)".
QString Source(const QString& display_name, const QString& label);

// The navigator control: raises its public OnError through `raise_on_error`, then shows
// the box when its own ShowErrorMsg is on. Returns whether the error was reported.
bool ReportNavigatorError(std::int32_t number, const QString& description, LastError& last, const QString& display_name,
                          const QString& label, bool show_error_msg,
                          const std::function<void(std::int32_t, const QString&, const QString&)>& raise_on_error);

// A page control: reports only while it holds the shared object (`kyPage` not null), through
// its ReportError (which reaches the host as the navigator's OnError) and the box under the
// shared object's ShowErrorMsg. Returns whether the error was reported.
bool ReportPageError(std::int32_t number, const QString& description, LastError& last, const QString& display_name,
                     const QString& label, CWizardNavigator* kyPage);

} // namespace wizard_errors
