#pragma once
// InfoItems: the information panel's records in the order they were added, each under its
// Name as a key compared without regard to case (two names differing only in case cannot both
// be present). The collection owns its records.

#include "controls/display/info_item.h"
#include "platform/forms/core/collection.h"

#include <QObject>
#include <QVariant>
#include <QVariantList>

#include <cstdint>

class InfoItems : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Count READ Count)

public:
    using QObject::QObject;

    // The record under a name or at a position from 1; the collection's error (5 for an
    // unknown name, 9 for a position out of range) otherwise.
    Q_INVOKABLE InfoItem* Item(const QVariant& IndexKey) const;
    // The records in order (For Each).
    Q_INVOKABLE QVariantList NewEnum() const;

    // Appends a record with Index = the number of records before it + 1. A name already
    // present raises 457 and nothing is added.
    InfoItem* Add(const QString& sName, const QString& sValue);
    std::int32_t Count() const { return items_.Count(); }
    // Removes (and destroys) one record by name or position.
    void Remove(const QVariant& IndexKey);

private:
    forms::Collection items_;
};
