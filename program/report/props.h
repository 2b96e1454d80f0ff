#pragma once
// Props: the ordered values of one entry, in column order (positions from 1), held in the
// forms runtime's Collection so that lookups fail as the runtime's collections do.

#include "program/report/prop.h"

#include "platform/forms/core/collection.h"

#include <QMetaType>

#include <cstdint>
#include <memory>

Q_DECLARE_METATYPE(std::shared_ptr<program::Prop>)

namespace program {

class Props {
public:
    // Appends a Prop holding the value's text, under the key Name when Name is not empty
    // (a key already present fails with the collection's error 457).
    std::shared_ptr<Prop> AddNew(const QString& Name, const QString& value);
    std::shared_ptr<Prop> AddNew(const QString& Name, std::int32_t value);

    // By position from 1 (a number) or by key (a string).
    std::shared_ptr<Prop> Item(const QVariant& vntIndexKey) const;
    std::int32_t Count() const { return m_colProps.Count(); }
    void Remove(const QVariant& vntIndexKey) { m_colProps.Remove(vntIndexKey); }

    // NewEnum: iteration in insertion order.
    template <class F>
    void ForEach(F&& visit) const
    {
        for (const auto& entry : m_colProps)
            visit(entry.item.template value<std::shared_ptr<Prop>>());
    }

private:
    forms::Collection m_colProps;
};

} // namespace program
