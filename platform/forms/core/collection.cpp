#include "platform/forms/core/collection.h"

#include "platform/forms/core/conversions.h"
#include "platform/forms/core/key_case.h"
#include "platform/forms/core/vb_error.h"

namespace forms {

std::optional<size_t> Collection::find_key(const QString& key) const
{
    if (key.isEmpty())
        return std::nullopt;
    const auto it = index_.constFind(key_fold(key));
    if (it == index_.cend())
        return std::nullopt;
    return *it;
}

void Collection::reindex()
{
    index_.clear();
    for (size_t i = 0; i < items_.size(); ++i)
        if (!items_[i].key.isEmpty())
            index_.insert(key_fold(items_[i].key), i);
}

size_t Collection::position_of(const QVariant& index, int32_t bad_index_error) const
{
    if (!index.isValid())
        raise(vberr::InvalidProcedureCall);
    if (index.typeId() == QMetaType::QString) {
        auto found = find_key(index.toString());
        if (!found)
            raise(vberr::InvalidProcedureCall);
        return *found;
    }
    const int32_t number = CLng(index);
    if (number < 1 || number > Count())
        raise(bad_index_error);
    return static_cast<size_t>(number - 1);
}

void Collection::Add(const QVariant& item, const QString& key, const QVariant& before, const QVariant& after)
{
    if (before.isValid() && after.isValid())
        raise(vberr::InvalidProcedureCall);
    if (!key.isEmpty() && find_key(key))
        raise(vberr::KeyAlreadyAssociated);
    size_t at = items_.size();
    if (before.isValid())
        at = position_of(before, vberr::InvalidProcedureCall);
    else if (after.isValid())
        at = position_of(after, vberr::InvalidProcedureCall) + 1;
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), Entry{item, key});
    // Appending keeps every other position; an insertion shifts those after it.
    if (at + 1 == items_.size()) {
        if (!key.isEmpty())
            index_.insert(key_fold(key), at);
    } else {
        reindex();
    }
}

QVariant Collection::Item(const QVariant& index) const
{
    return items_[position_of(index, vberr::SubscriptOutOfRange)].item;
}

void Collection::Remove(const QVariant& index)
{
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position_of(index, vberr::SubscriptOutOfRange)));
    reindex();
}

} // namespace forms
