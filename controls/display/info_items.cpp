#include "controls/display/info_items.h"

#include <memory>

InfoItem* InfoItems::Item(const QVariant& IndexKey) const
{
    return qobject_cast<InfoItem*>(items_.Item(IndexKey).value<QObject*>());
}

QVariantList InfoItems::NewEnum() const
{
    QVariantList list;
    for (const forms::Collection::Entry& entry : items_)
        list.append(entry.item);
    return list;
}

InfoItem* InfoItems::Add(const QString& sName, const QString& sValue)
{
    auto item = std::make_unique<InfoItem>();
    item->setName(sName);
    item->setValue(sValue);
    item->setIndex(Count() + 1);
    items_.Add(QVariant::fromValue<QObject*>(item.get()), sName); // 457 leaves nothing behind
    item->setParent(this);
    return item.release();
}

void InfoItems::Remove(const QVariant& IndexKey)
{
    InfoItem* item = Item(IndexKey);
    items_.Remove(IndexKey);
    delete item;
}
