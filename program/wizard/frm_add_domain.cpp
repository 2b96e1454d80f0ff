#include "program/wizard/frm_add_domain.h"

#include "program/wizard/is_valid_name_char.h"

#include "platform/forms/services/beep.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"

namespace program {

namespace {
// Ctrl+V arrives as its control character; it pastes, and the change handler cleans what
// was pasted (one beep), as pasting from the box's menu or by Shift+Insert does.
constexpr short kCtrlA = 1;
constexpr short kCtrlC = 3;
constexpr short kCtrlV = 22;
constexpr short kCtrlX = 24;
constexpr short kCtrlY = 25;
constexpr short kCtrlZ = 26;
} // namespace

FrmAddDomain::FrmAddDomain()
    : m_lblDomainName(new forms::Label(this, QStringLiteral("lblDomainName"))),
      m_txtDomainName(new forms::TextBox(this, QStringLiteral("txtDomainName"))),
      m_cmdCommand{new forms::CommandButton(this, QStringLiteral("cmdCommand"), QStringLiteral("OK")),
                   new forms::CommandButton(this, QStringLiteral("cmdCommand"), QStringLiteral("Cancel"))}
{
    setName(QStringLiteral("frmAddDomain"));
    set_accessible_role(QAccessible::Dialog);
    setBorderStyle(3); // a fixed dialog frame
    setControlBox(true);
    setWidth(4725);
    setHeight(1590);
    setFixedSize(size());

    m_lblDomainName->Move(150, 150, 4425, 255);
    m_txtDomainName->Move(150, 420, 4425, 315);
    m_lblDomainName->name_next(m_txtDomainName);
    m_cmdCommand[0]->Move(2130, 1020, 1155, 375);
    m_cmdCommand[1]->Move(3420, 1020, 1155, 375);
    m_cmdCommand[0]->setDefault(true);
    m_cmdCommand[1]->setCancel(true);
    for (int index = 0; index < 2; ++index)
        connect(m_cmdCommand[static_cast<std::size_t>(index)], &forms::CommandButton::Click, this,
                [this, index] { cmdCommand_Click(index); });

    connect(this, &forms::HostForm::Activate, this, &FrmAddDomain::Form_Activate);
    connect(this, &forms::HostForm::QueryUnload, this, &FrmAddDomain::Form_QueryUnload);
    connect(m_txtDomainName, &forms::TextBox::KeyPress, this, &FrmAddDomain::txtDomainName_KeyPress);
    connect(m_txtDomainName, &forms::TextBox::Change, this, &FrmAddDomain::txtDomainName_Change);
}

FrmAddDomain::~FrmAddDomain() = default;

QString FrmAddDomain::InputDomainName(bool bExchange, const QString& InitString, QWidget* owner)
{
    const int n = static_cast<int>(InitString.size());
    m_bExchange = bExchange;
    if (bExchange) {
        setCaption(n == 0 ? QStringLiteral("Add Server") : QStringLiteral("Edit Server"));
        m_lblDomainName->setCaption(QStringLiteral("Server Name:"));
    } else {
        setCaption(QStringLiteral("Add Domain"));
        m_lblDomainName->setCaption(QStringLiteral("Domain Name:"));
    }
    m_cmdCommand[0]->setEnabled(n >= 1);
    m_sResult.clear();
    m_txtDomainName->setText(InitString);
    if (n > 0) {
        m_txtDomainName->setSelStart(0);
        m_txtDomainName->setSelLength(n);
    }
    Show(forms::vbModal, owner);
    return m_sResult;
}

void FrmAddDomain::cmdCommand_Click(int Index)
{
    if (Index == 0)
        m_sResult = m_txtDomainName->Text();
    Hide();
}

void FrmAddDomain::Form_Activate()
{
    // Where the focus cannot go, the user clicks into the box.
    m_txtDomainName->setFocus(Qt::ActiveWindowFocusReason);
}

void FrmAddDomain::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    // The close box is Cancel: the dialog hides with no result and is reused.
    if (UnloadMode == forms::vbFormControlMenu) {
        Cancel = 1;
        cmdCommand_Click(1);
    }
}

QString FrmAddDomain::ExtraChars() const { return m_bExchange ? QStringLiteral(":") : QString(); }

void FrmAddDomain::txtDomainName_KeyPress(short& KeyAscii)
{
    try {
        // Editing keys, the clipboard's, and those the box's own menu names (Select All, Undo,
        // Redo): a paste is cleaned when the text changes, and none of them adds a character.
        if (KeyAscii == 8 || KeyAscii == 13 || KeyAscii == 27 || KeyAscii == kCtrlC || KeyAscii == kCtrlV ||
            KeyAscii == kCtrlX || KeyAscii == kCtrlA || KeyAscii == kCtrlY || KeyAscii == kCtrlZ)
            return;
        if (!IsValidNameChar(KeyAscii, ExtraChars())) {
            forms::Beep();
            KeyAscii = 0;
        }
    } catch (const forms::VbError& error) {
        forms::MsgBox(error.description(), forms::vbExclamation);
    }
}

void FrmAddDomain::txtDomainName_Change()
{
    const QString text = m_txtDomainName->Text();
    m_cmdCommand[0]->setEnabled(!text.isEmpty());
    QString cleaned;
    for (const QChar c : text)
        if (IsValidNameChar(name_char_code(c), ExtraChars()))
            cleaned += c;
    if (cleaned != text) {
        m_txtDomainName->setText(cleaned);
        forms::Beep();
    }
}

} // namespace program
