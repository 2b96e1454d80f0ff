#include "program/client/collector.h"

#include "program/client/com_error.h"
#include "program/report/column_layout.h"
#include "program/report/entry_name.h"
#include "program/report/resources.h"

#include "platform/forms/core/vb_error.h"

namespace program {

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
            program::shown_entry_name(fullName),
            program::hide_entry_password(QString::fromStdU16String(std::u16string(errorText.view())), fullName));
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
    // The driver has no window: a failure's description goes to standard error, as every
    // message of the headless run does.
    return program::FillResultsMatrix(domains, [this](const QString& description) { Fail(description); });
}

QString CCollector::MakeINIString(const QStringList& results) { return program::MakeINIString(results); }

} // namespace program
