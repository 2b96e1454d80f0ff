#pragma once
// ProcessedDomains: the entries of one completed run in insertion order, keyed by their
// final names (compared without regard to case; a clash takes a "(n)" suffix), and the
// column titles of the run's mode. The name of the reports' Total row is taken from the
// start: an entry of that name (a server chooses it in Exchange 5.5 mode) takes a suffix as
// any clash does, so no report holds two Total sections.

#include "program/report/domain.h"

#include "platform/forms/core/collection.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

Q_DECLARE_METATYPE(std::shared_ptr<program::Domain>)

namespace program {

// The name of the report's last row, the sums: an entry of that name is stored under another.
inline constexpr QLatin1String kTotalRowName{"Total"};

class ProcessedDomains {
public:
    // Stores a new entry and returns it; an empty name stores nothing and returns null.
    std::shared_ptr<Domain> AddNew(const QString& DomainName, const QString& StatusString);

    // By position from 1 (a number) or by key (a string); a missing one fails with the
    // collection's error (9 for a position, 5 for a key).
    std::shared_ptr<Domain> Item(const QVariant& vntIndexKey) const;
    std::int32_t Count() const { return m_colDomains.Count(); }
    void Remove(const QVariant& vntIndexKey) { m_colDomains.Remove(vntIndexKey); }

    // NewEnum: iteration in insertion order.
    template <class F>
    void ForEach(F&& visit) const
    {
        for (const auto& entry : m_colDomains)
            visit(entry.item.template value<std::shared_ptr<Domain>>());
    }

    // The column titles: the name column's first, then one per counter column.
    QStringList& PropertyNames() { return m_propertyNames; }
    const QStringList& PropertyNames() const { return m_propertyNames; }

private:
    bool KeyExists(const QString& key) const;

    forms::Collection m_colDomains;
    QStringList m_propertyNames;
};

} // namespace program
