#pragma once
// Module modBase: the per-thread shared navigation object and page registry of the wizard
// controls, and the error message box that all of them use. Each UI thread has its own
// pair; the first wizard control of a thread creates it and the pair is let go once the last
// page has left the registry.

#include <QString>

#include <cstdint>
#include <memory>

class CPages;
class CWizardNavigator;

namespace modBase {

// The calling thread's objects (none until CreateNavigator).
std::shared_ptr<CWizardNavigator> SharedNavigator();
std::shared_ptr<CPages> SharedPages();

// The thread's copy of the navigator control's ShowErrorMsg, which gates the boxes of CPages
// and CPage; False when a thread starts.
bool SharedShowErrorMsg();
void setSharedShowErrorMsg(bool value);

// Drops the thread's pair, then creates a new registry and a new navigation object that
// takes it.
void CreateNavigator();

// Lets go of the pair when the registry is empty; otherwise does nothing.
void ReleaseNavigator();

// The wizard controls' error box: nothing and 0 when ShowMsg is False; otherwise "Error: ",
// the number, CR LF and the description, with the style `Buttons`, titled with Source (the
// library's title when Source is empty); returns the box's answer. Never fails.
std::int32_t ErrorMsgBox(bool ShowMsg, std::int32_t Number, const QString& Description, const QString& Source,
                         std::int32_t Buttons);

} // namespace modBase
