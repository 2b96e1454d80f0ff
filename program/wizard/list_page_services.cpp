#include "program/wizard/list_page_services.h"

#include "program/report/program_strings.h"
#include "program/report/resources.h"
#include "program/wizard/frm_add_domain.h"

#include "platform/forms/hosting/form.h"
#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/vb_error.h"

#include <algorithm>

namespace program {

namespace {

constexpr double kColumnMargin = 350;
constexpr std::int32_t kObjectRequired = 424;

void ShowAlreadyInList(const ListPageServices& services)
{
    forms::MsgBox(Resources::Shared().LoadString(IDS_ALREADY_IN_LIST), forms::vbExclamation, services.formCaption());
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

forms::IntrinsicControl& FormControl(forms::Form& form, const QString& name, const QMetaObject& kind, int index)
{
    forms::IntrinsicControl* control = form.intrinsic(name, index);
    if (control == nullptr || !control->metaObject()->inherits(&kind))
        forms::raise(kObjectRequired, form.Name(),
                     QStringLiteral("The form has no %1 named %2%3")
                         .arg(QString::fromLatin1(kind.className()).section(QStringLiteral("::"), -1), name,
                              index >= 0 ? QStringLiteral("(%1)").arg(index) : QString()));
    return *control;
}

void BindNameList(forms::ListView& lst, const forms::ImageList& images)
{
    if (lst.ColumnCount() == 0)
        lst.AddColumn(QString(), 0);
    lst.setSmallIcons(&images);
    FitListColumn(lst);
}

void FitListColumn(forms::ListView& lst) { lst.setColumnWidth(1, std::max(0.0, lst.Width() - kColumnMargin)); }

} // namespace program
