#pragma once
// frmAddDomain: the small modal dialog that asks for one domain name (adding to the domain
// list) or one Exchange 5.5 server name (adding to or editing the server list). Its text box
// admits only the characters a name may hold: a refused key beeps and is dropped, pasted text
// (by the box's menu, Ctrl+V or Shift+Insert) is cleaned of such characters with one beep.
// OK is enabled exactly while the box is not empty. OK and Cancel hide the dialog, so the
// next call reuses it; the close box acts as Cancel and hides it too. The wizard unloads it
// when it ends.

#include "platform/forms/hosting/host_form.h"

#include <QString>

#include <array>

namespace forms {
class CommandButton;
class Label;
class TextBox;
} // namespace forms

namespace program {

class FrmAddDomain : public forms::HostForm {
    Q_OBJECT

public:
    FrmAddDomain();
    ~FrmAddDomain() override;

    // Shows the dialog modally above `owner` and returns the name the user confirmed, or the
    // empty text when the user cancelled. With `InitString` (edit) the box starts with that
    // text selected.
    QString InputDomainName(bool bExchange, const QString& InitString, QWidget* owner = nullptr);

    forms::Label& lblDomainName() const { return *m_lblDomainName; }
    forms::TextBox& txtDomainName() const { return *m_txtDomainName; }
    // 0 is OK, 1 is Cancel.
    forms::CommandButton& cmdCommand(int index) const { return *m_cmdCommand.at(static_cast<std::size_t>(index)); }

private:
    void cmdCommand_Click(int Index);
    void Form_Activate();
    void Form_QueryUnload(int& Cancel, int UnloadMode);
    void txtDomainName_KeyPress(short& KeyAscii);
    void txtDomainName_Change();
    // ":" in server mode, nothing in domain mode.
    QString ExtraChars() const;

    forms::Label* m_lblDomainName;
    forms::TextBox* m_txtDomainName;
    std::array<forms::CommandButton*, 2> m_cmdCommand;

    QString m_sResult;
    bool m_bExchange = false;
};

} // namespace program
