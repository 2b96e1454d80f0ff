#include "program/report/processed_domains.h"

#include "platform/forms/core/vb_error.h"

namespace program {

namespace {

// The name the results matrix gives its last row (and so the report its first section).
bool names_the_total_row(const QString& key) { return key.compare(kTotalRowName, Qt::CaseInsensitive) == 0; }

} // namespace

std::shared_ptr<Domain> ProcessedDomains::AddNew(const QString& DomainName, const QString& StatusString)
{
    if (DomainName.isEmpty())
        return nullptr;
    QString key = DomainName;
    for (int n = 1; KeyExists(key) || names_the_total_row(key); ++n)
        key = DomainName + u'(' + QString::number(n) + u')';

    auto domain = std::make_shared<Domain>();
    domain->DomainName = key;
    domain->isProcessed = false;
    domain->StatusString = StatusString;
    m_colDomains.Add(QVariant::fromValue(domain), key);
    return domain;
}

std::shared_ptr<Domain> ProcessedDomains::Item(const QVariant& vntIndexKey) const
{
    return m_colDomains.Item(vntIndexKey).value<std::shared_ptr<Domain>>();
}

bool ProcessedDomains::KeyExists(const QString& key) const
{
    if (m_colDomains.Count() == 0)
        return false;
    try {
        m_colDomains.Item(key);
        return true;
    } catch (const forms::VbError& error) {
        if (error.number() == forms::vberr::InvalidProcedureCall)
            return false;
        throw;
    }
}

} // namespace program
