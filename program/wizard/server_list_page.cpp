#include "program/wizard/server_list_page.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/intrinsics/list_view.h"

namespace program {

namespace {
} // namespace

ServerListPage::ServerListPage(forms::Form& form, const forms::ImageList& images, ListPageServices services)
    : m_services(std::move(services)), m_lstOrgs(FormControl<forms::ListView>(form, "lstOrgs")),
      m_cmdAddOrg(FormControl<forms::CommandButton>(form, "cmdAddOrg")),
      m_cmdRemoveOrg(FormControl<forms::CommandButton>(form, "cmdRemoveOrg")),
      m_cmdEditOrg(FormControl<forms::CommandButton>(form, "cmdEditOrg"))
{
    BindNameList(m_lstOrgs, images);
    connect(&m_cmdAddOrg, &forms::CommandButton::Click, this, [this] { AddListItem(m_services, m_lstOrgs, true); });
    connect(&m_cmdEditOrg, &forms::CommandButton::Click, this, &ServerListPage::cmdEditOrg_Click);
    connect(&m_cmdRemoveOrg, &forms::CommandButton::Click, this, &ServerListPage::cmdRemoveOrg_Click);
}

ServerListPage::~ServerListPage() = default;

void ServerListPage::UpdateServersNextButton() { m_services.setNextEnabled(m_lstOrgs.Count() > 0); }

void ServerListPage::Resize() { FitListColumn(m_lstOrgs); }

void ServerListPage::cmdEditOrg_Click()
{
    if (const int selected = m_lstOrgs.SelectedIndex(); selected != 0)
        EditListItem(m_services, m_lstOrgs, selected, true);
}

void ServerListPage::cmdRemoveOrg_Click()
{
    if (const int selected = m_lstOrgs.SelectedIndex(); selected != 0) {
        m_lstOrgs.Remove(selected);
        UpdateServersNextButton();
    }
}

} // namespace program
