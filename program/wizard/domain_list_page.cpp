#include "program/wizard/domain_list_page.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/hosting/input_events.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/vb_error.h"

namespace program {

namespace {
constexpr double kButtonGap = 126; // between the list and the buttons below it
} // namespace

DomainListPage::DomainListPage(forms::Form& form, const forms::ImageList& images, ListPageServices services)
    : m_services(std::move(services)), m_lstDomainsList(FormControl<forms::ListView>(form, "lstDomainsList")),
      m_cmdAddDomain(FormControl<forms::CommandButton>(form, "cmdAddDomain")),
      m_cmdSelectDeselect{&FormControl<forms::CommandButton>(form, "cmdSelectDeselect", 0),
                          &FormControl<forms::CommandButton>(form, "cmdSelectDeselect", 1)},
      m_mnuLstDomainsList(QStringLiteral("mnuLstDomainsList"))
{
    BindNameList(m_lstDomainsList, images);
    // The buttons sit under the list whatever its height.
    const double buttons_top = m_lstDomainsList.Top() + m_lstDomainsList.Height() + kButtonGap;
    m_cmdAddDomain.setTop(buttons_top);
    for (forms::CommandButton* button : m_cmdSelectDeselect)
        button->setTop(buttons_top);

    m_mnuLstDomainsList.setCaption(QStringLiteral("Domains"));
    m_mnuLstDomainsList.AddItem(QStringLiteral("&Select All"));
    m_mnuLstDomainsList.AddItem(QStringLiteral("&Unselect All"));

    connect(&m_cmdAddDomain, &forms::CommandButton::Click, this,
            [this] { AddListItem(m_services, m_lstDomainsList, false); });
    for (int index = 0; index < 2; ++index)
        connect(m_cmdSelectDeselect[static_cast<std::size_t>(index)], &forms::CommandButton::Click, this,
                [this, index] { CheckAllDomains(index == 0, false); });
    connect(&m_mnuLstDomainsList, &forms::PopupMenu::Click, this, [this](int index) { CheckAllDomains(index == 0); });
    connect(&m_lstDomainsList, &forms::ListView::ItemCheck, this, [this] { UpdateDomainsNextButton(); });
    connect(&m_lstDomainsList, &forms::ListView::KeyDown, this, &DomainListPage::lstDomainsList_KeyDown);
    connect(&m_lstDomainsList, &forms::ListView::MouseDown, this,
            [this](short Button, short, float, float) { lstDomainsList_MouseDown(Button); });
}

DomainListPage::~DomainListPage() = default;

void DomainListPage::FillDomainList(const std::function<QStringList()>& enumerateNetwork)
{
    // The enumeration is tried once: a failure leaves what was added, with no message.
    try {
        m_lstDomainsList.Clear();
        const QStringList names = enumerateNetwork();
        for (const QString& name : names) {
            const int added = m_lstDomainsList.Add(name, QStringLiteral("1"));
            m_lstDomainsList.setChecked(added, true);
        }
        if (m_lstDomainsList.Count() > 0)
            m_lstDomainsList.Select(1);
    } catch (...) {
    }
    m_bListFilled = true;
}

void DomainListPage::UpdateDomainsNextButton()
{
    bool any_ticked = false;
    for (int i = 1; i <= m_lstDomainsList.Count() && !any_ticked; ++i)
        any_ticked = m_lstDomainsList.Checked(i);
    m_services.setNextEnabled(any_ticked);
}

void DomainListPage::CheckAllDomains(bool bCheck, bool moveFocus)
{
    try {
        for (int i = 1; i <= m_lstDomainsList.Count(); ++i)
            m_lstDomainsList.setChecked(i, bCheck);
        // Ticking all of an empty list ticks nothing: Next follows the ticks, not the button.
        UpdateDomainsNextButton();
        if (!moveFocus)
            return;
        if (bCheck)
            m_services.focusNavigator();
        else
            m_lstDomainsList.setFocus(Qt::OtherFocusReason);
    } catch (const forms::VbError& error) {
        forms::MsgBox(error.description(), forms::vbExclamation);
    }
}

void DomainListPage::Resize() { FitListColumn(m_lstDomainsList); }

void DomainListPage::lstDomainsList_KeyDown(short& KeyCode, short& Shift)
{
    if (KeyCode == forms::keycode::Apps || (KeyCode == forms::keycode::F10 && Shift == forms::shiftmask::Shift))
        m_mnuLstDomainsList.Popup(&m_lstDomainsList);
}

void DomainListPage::lstDomainsList_MouseDown(short Button)
{
    if (Button == forms::mousebutton::Right)
        m_mnuLstDomainsList.Popup(&m_lstDomainsList);
}

} // namespace program
