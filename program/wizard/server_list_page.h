#pragma once
// The Exchange 5.5 server page of the wizard: the label "E&xchange servers:", the list
// lstOrgs (report view, no check boxes, one column, server image "2") and the buttons
// cmdAddOrg "&Add...", cmdRemoveOrg "&Remove" and cmdEditOrg "&Edit...". The list starts
// empty; Next is enabled exactly while it holds a server.

#include "program/wizard/list_page_services.h"

#include <QObject>

namespace forms {
class CommandButton;
class ControlSite;
class Form;
class ImageList;
class ListView;
} // namespace forms

namespace program {

class ServerListPage : public QObject {
    Q_OBJECT

public:
    // Takes the page's controls from `form` (424 when one is missing) and wires them.
    ServerListPage(forms::Form& form, const forms::ImageList& images, ListPageServices services);
    ~ServerListPage() override;

    void UpdateServersNextButton();
    void Resize();

    forms::ListView& lstOrgs() const { return m_lstOrgs; }
    forms::CommandButton& cmdAddOrg() const { return m_cmdAddOrg; }
    forms::CommandButton& cmdRemoveOrg() const { return m_cmdRemoveOrg; }
    forms::CommandButton& cmdEditOrg() const { return m_cmdEditOrg; }

private:
    void cmdEditOrg_Click();
    void cmdRemoveOrg_Click();

    ListPageServices m_services;
    forms::ListView& m_lstOrgs;
    forms::CommandButton& m_cmdAddOrg;
    forms::CommandButton& m_cmdRemoveOrg;
    forms::CommandButton& m_cmdEditOrg;
};

} // namespace program
