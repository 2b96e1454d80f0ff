#include "program/server_list_page.h"

#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/list_view.h"

namespace {
const PageControl kControls[] = {
    {"VB.Label", "lblOrgs", -1, "E&xchange servers:", 360, 120, 3000, 255},
    {"MSComctlLib.ListView", "lstOrgs", -1, nullptr, 360, 390, 5145, 2280},
    {"VB.CommandButton", "cmdAddOrg", -1, "&Add...", 5685, 390, 1275, 375},
    {"VB.CommandButton", "cmdRemoveOrg", -1, "&Remove", 5685, 855, 1275, 375},
    {"VB.CommandButton", "cmdEditOrg", -1, "&Edit...", 5685, 1320, 1275, 375},
};
} // namespace

void ServerListPage::PlaceControls(forms::Form& form, forms::ControlSite* page)
{
    ::PlaceControls(form, page, kControls);
    FormControl<forms::Label>(form, "lblOrgs").setBackStyle(forms::Label::Transparent);
    FormControl<forms::ListView>(form, "lstOrgs").setHideColumnHeaders(true);
}

ServerListPage::ServerListPage(forms::Form& form, const forms::ImageList& images, ListPageServices services)
    : m_services(std::move(services))
    , m_lstOrgs(FormControl<forms::ListView>(form, "lstOrgs"))
    , m_cmdAddOrg(FormControl<forms::CommandButton>(form, "cmdAddOrg"))
    , m_cmdRemoveOrg(FormControl<forms::CommandButton>(form, "cmdRemoveOrg"))
    , m_cmdEditOrg(FormControl<forms::CommandButton>(form, "cmdEditOrg"))
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
