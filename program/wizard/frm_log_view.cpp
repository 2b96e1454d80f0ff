#include "program/wizard/frm_log_view.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/text_box.h"

namespace program {

FrmLogView::FrmLogView()
    : m_lblLog(new forms::Label(this, QStringLiteral("lblLog"))),
      m_txtLog(new forms::TextBox(this, QStringLiteral("txtLog"), true)),
      m_cmdClose(new forms::CommandButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close")))
{
    setName(QStringLiteral("frmLogView"));
    set_accessible_role(QAccessible::Dialog);
    setCaption(QStringLiteral("Session Log"));
    setWidth(9000);
    setHeight(6000);
    m_lblLog->Move(150, 150, 8700, 255);
    m_lblLog->setCaption(QStringLiteral("&Session log:"));
    m_txtLog->Move(150, 420, 8700, 4890);
    m_txtLog->setLocked(true);
    m_lblLog->name_next(m_txtLog);
    m_cmdClose->Move(7695, 5460, 1155, 375);
    m_cmdClose->setDefault(true);
    m_cmdClose->setCancel(true);
    connect(m_cmdClose, &forms::CommandButton::Click, this, [this] { Hide(); });
}

FrmLogView::~FrmLogView() = default;

void FrmLogView::ShowLog(const QString& log, QWidget* owner)
{
    m_txtLog->setText(log);
    m_txtLog->setSelStart(0);
    Show(forms::vbModal, owner);
}

} // namespace program
