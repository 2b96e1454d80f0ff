#include "program/list_page_services.h"

#include "program/frm_add_domain.h"
#include "program/resources.h"

#include "platform/forms/label.h"
#include "platform/forms/list_view.h"
#include "platform/forms/message_box.h"
#include "platform/forms/vb_error.h"

#include <algorithm>

namespace {

constexpr std::int32_t kAlreadyInList = 116;
constexpr double kColumnMargin = 350;

void ShowAlreadyInList(const ListPageServices& services)
{
    forms::MsgBox(Resources::Shared().LoadString(kAlreadyInList), forms::vbExclamation, services.formCaption());
}

} // namespace

void AddListItem(const ListPageServices& services, forms::ListView& lst, bool bExchange)
{
    try {
        const QString name = services.addDialog->InputDomainName(bExchange, QString(), services.owner);
        if (name.isEmpty())
            return;
        if (lst.FindItem(name) != 0) {
            ShowAlreadyInList(services);
            return;
        }
        const int added = lst.Add(name, bExchange ? QStringLiteral("2") : QStringLiteral("1"));
        lst.setChecked(added, true);
        lst.Select(added);
        lst.EnsureVisible(added);
        services.setNextEnabled(true);
    } catch (const forms::VbError& error) {
        forms::MsgBox(error.description(), forms::vbExclamation);
    }
}

void EditListItem(const ListPageServices& services, forms::ListView& lst, int item, bool bExchange)
{
    try {
        const QString name = services.addDialog->InputDomainName(bExchange, lst.Text(item), services.owner);
        if (name.isEmpty())
            return;
        const int found = lst.FindItem(name);
        if (found == 0 || found == item)
            lst.setText(item, name);
        else
            ShowAlreadyInList(services);
    } catch (const forms::VbError& error) {
        forms::MsgBox(error.description(), forms::vbExclamation);
    }
}

void PlaceNameList(forms::Label& label, forms::ListView& lst, const forms::ImageList& images, double width)
{
    label.Move(360, 120, 3000, 255);
    label.setBackStyle(forms::Label::Transparent);
    lst.Move(360, 390, width, 2280);
    lst.setHideColumnHeaders(true);
    lst.setSmallIcons(&images);
    lst.AddColumn(QString(), 0);
    FitListColumn(lst);
}

void FitListColumn(forms::ListView& lst) { lst.setColumnWidth(1, std::max(0.0, lst.Width() - kColumnMargin)); }
