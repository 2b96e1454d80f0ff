#pragma once
// The domain page of the wizard: the label "&Domains:", the list lstDomainsList (report view,
// check boxes, one column, domain image "1"), the buttons cmdAddDomain "&Add Domain..." and
// the array cmdSelectDeselect ("&Select All", "&Clear All"), and the list's context menu
// ("&Select All"/"&Unselect All") on the right mouse button, the context-menu key and
// Shift+F10 (Shift alone: not Ctrl+Shift). The list is filled once from the network's
// enumeration; Next is enabled exactly while at least one domain is ticked.

#include "program/wizard/list_page_services.h"

#include "platform/forms/intrinsics/popup_menu.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <functional>

namespace forms {
class CommandButton;
class ControlSite;
class Form;
class ImageList;
class ListView;
} // namespace forms

namespace program {

class DomainListPage : public QObject {
    Q_OBJECT

public:
    // Takes the page's controls from `form` (424 when one is missing) and wires them; the
    // buttons go under the list, the list's images come from `images`.
    DomainListPage(forms::Form& form, const forms::ImageList& images, ListPageServices services);
    ~DomainListPage() override;

    // Fills the list from `enumerateNetwork` (which raises on failure): every name ticked,
    // the first selected. A failure ends the fill silently with what was added; either way
    // the list counts as filled and is not enumerated again.
    void FillDomainList(const std::function<QStringList()>& enumerateNetwork);
    bool ListFilled() const { return m_bListFilled; }

    // Next follows the ticks: enabled exactly when at least one domain is ticked.
    void UpdateDomainsNextButton();
    // Ticks or unticks every domain; Next then follows the ticks. From the context menu the
    // focus then moves to the navigator's default button (ticked) or the list (unticked); a
    // button of the page keeps it (`moveFocus` false), so the next Return acts on the page
    // again rather than on whatever navigator button the focus would land on.
    void CheckAllDomains(bool bCheck, bool moveFocus = true);
    // The column fills the list (the form calls it when it resizes).
    void Resize();

    forms::ListView& lstDomainsList() const { return m_lstDomainsList; }
    forms::CommandButton& cmdAddDomain() const { return m_cmdAddDomain; }
    forms::CommandButton& cmdSelectDeselect(int index) const
    {
        return *m_cmdSelectDeselect.at(static_cast<std::size_t>(index));
    }
    forms::PopupMenu& mnuLstDomainsList() { return m_mnuLstDomainsList; }

private:
    void lstDomainsList_KeyDown(short& KeyCode, short& Shift);
    void lstDomainsList_MouseDown(short Button);

    ListPageServices m_services;
    forms::ListView& m_lstDomainsList;
    forms::CommandButton& m_cmdAddDomain;
    std::array<forms::CommandButton*, 2> m_cmdSelectDeselect;
    forms::PopupMenu m_mnuLstDomainsList;
    bool m_bListFilled = false;
};

} // namespace program
