#pragma once
// frmLogView: the session log in a window of the program's own, for a desktop with no program
// that opens a text file (View Log otherwise hands the log file to the desktop's viewer). A
// read-only box of the log's lines and a Close button (Enter and Esc press it), shown modally
// above the wizard; the keys go back to the wizard when it closes.

#include "platform/forms/hosting/host_form.h"

namespace forms {
class CommandButton;
class Label;
class TextBox;
} // namespace forms

namespace program {

class FrmLogView : public forms::HostForm {
public:
    FrmLogView();
    ~FrmLogView() override;

    // Shows `log` (CR LF line ends) above `owner` until the user closes the window.
    void ShowLog(const QString& log, QWidget* owner);

    forms::TextBox& txtLog() const { return *m_txtLog; }
    forms::CommandButton& cmdClose() const { return *m_cmdClose; }

private:
    forms::Label* m_lblLog;
    forms::TextBox* m_txtLog;
    forms::CommandButton* m_cmdClose;
};

} // namespace program
