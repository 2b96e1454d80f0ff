#include "program/server_list_page.h"

#include "platform/forms/command_button.h"
#include "platform/forms/label.h"
#include "platform/forms/list_view.h"

#include <QWidget>

ServerListPage::ServerListPage(QWidget& container, const forms::ImageList& images, ListPageServices services)
    : m_services(std::move(services))
    , m_lblOrgs(new forms::Label(&container, QStringLiteral("lblOrgs"), QStringLiteral("E&xchange servers:")))
    , m_lstOrgs(new forms::ListView(&container, QStringLiteral("lstOrgs")))
    , m_cmdAddOrg(new forms::CommandButton(&container, QStringLiteral("cmdAddOrg"), QStringLiteral("&Add...")))
    , m_cmdRemoveOrg(new forms::CommandButton(&container, QStringLiteral("cmdRemoveOrg"), QStringLiteral("&Remove")))
    , m_cmdEditOrg(new forms::CommandButton(&container, QStringLiteral("cmdEditOrg"), QStringLiteral("&Edit...")))
{
    PlaceNameList(*m_lblOrgs, *m_lstOrgs, images, 5145);
    m_cmdAddOrg->Move(5685, 390, 1275, 375);
    m_cmdRemoveOrg->Move(5685, 855, 1275, 375);
    m_cmdEditOrg->Move(5685, 1320, 1275, 375);

    connect(m_cmdAddOrg, &forms::CommandButton::Click, this, [this] { AddListItem(m_services, *m_lstOrgs, true); });
    connect(m_cmdEditOrg, &forms::CommandButton::Click, this, &ServerListPage::cmdEditOrg_Click);
    connect(m_cmdRemoveOrg, &forms::CommandButton::Click, this, &ServerListPage::cmdRemoveOrg_Click);
}

ServerListPage::~ServerListPage() = default;

void ServerListPage::UpdateServersNextButton() { m_services.setNextEnabled(m_lstOrgs->Count() > 0); }

void ServerListPage::Resize() { FitListColumn(*m_lstOrgs); }

void ServerListPage::cmdEditOrg_Click()
{
    if (const int selected = m_lstOrgs->SelectedIndex(); selected != 0)
        EditListItem(m_services, *m_lstOrgs, selected, true);
}

void ServerListPage::cmdRemoveOrg_Click()
{
    if (const int selected = m_lstOrgs->SelectedIndex(); selected != 0) {
        m_lstOrgs->Remove(selected);
        UpdateServersNextButton();
    }
}
