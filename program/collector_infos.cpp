#include "program/collector.h"

#include "program/column_layout.h"
#include "program/com_error.h"
#include "program/entry_name.h"
#include "program/resources.h"

#include "platform/forms/services/message_box.h"
#include "platform/forms/core/vb_error.h"

std::shared_ptr<ProcessedDomains> CCollector::Infos2domains(IOstrelInfoCollection* infos, bool bExchange)
{
    auto domains = std::make_shared<ProcessedDomains>();
    Resources& resources = Resources::Shared();
    const auto columns = program::counter_columns(bExchange);
    domains->PropertyNames().append(resources.LoadString(program::name_title_string(bExchange)));
    for (const auto& column : columns)
        domains->PropertyNames().append(resources.LoadString(column.title_string));

    if (!infos)
        forms::raise(forms::vberr::ObjectVariableNotSet);
    LONG count = 0;
    program::check(infos->get_Count(&count));
    for (LONG i = 0; i < count; ++i) {
        CComPtr<IOstrelInfo> info;
        program::check(infos->get_Item(i, &info));
        if (!info)
            forms::raise(forms::vberr::ObjectVariableNotSet);
        CComBSTR name;
        CComBSTR errorText;
        program::check(info->get_DomainName(&name.m_str));
        program::check(info->get_ErrorString(&errorText.m_str));
        const QString fullName = QString::fromStdU16String(std::u16string(name.view()));

        auto domain = domains->AddNew(
            entry_name::shown(fullName),
            entry_name::hide_password(QString::fromStdU16String(std::u16string(errorText.view())), fullName));
        if (!domain)
            continue;
        bool anyData = false;
        for (const auto& column : columns) {
            LONG value = -1;
            program::check(info->GetInfo(column.counter, &value));
            domain->Props()->AddNew(QString(), static_cast<std::int32_t>(value));
            anyData = anyData || value != -1;
        }
        domain->isCorrectlyProcessed = anyData;
    }
    return domains;
}

std::optional<QStringList> CCollector::FillResultsMatrix(ProcessedDomains& domains)
{
    return program::FillResultsMatrix(domains,
                                      [](const QString& description) { forms::MsgBox(description, forms::vbOKOnly); });
}

QString CCollector::MakeINIString(const QStringList& results) { return program::MakeINIString(results); }
