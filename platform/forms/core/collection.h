#pragma once
// The runtime's Collection: an ordered list of values, 1-based, each optionally under a
// unique key compared without regard to case. Errors as the runtime raises them: an index
// outside 1..Count is 9, an unknown key 5, a key already in use 457, Before and After together
// or an invalid Before/After 5. Keys are found through an index (appending keeps it; an
// insertion or removal rebuilds it).

#include <QHash>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>
#include <vector>

namespace forms {

class Collection {
public:
    // `before`/`after` are a 1-based index or a key (a string variant); an invalid variant
    // means "not given".
    void Add(const QVariant& item, const QString& key = {}, const QVariant& before = {}, const QVariant& after = {});
    // By 1-based number or by key (a string variant).
    QVariant Item(const QVariant& index) const;
    void Remove(const QVariant& index);
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    void Clear()
    {
        items_.clear();
        index_.clear();
    }
    bool Exists(const QString& key) const { return find_key(key).has_value(); }

    // Iteration (For Each) in order.
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    struct Entry {
        QVariant item;
        QString key; // empty when added without a key
    };

private:
    std::optional<size_t> find_key(const QString& key) const;
    // The position (0-based) named by a number or a key; raises `bad_index_error` for a
    // number out of range and 5 for an unknown key.
    size_t position_of(const QVariant& index, int32_t bad_index_error) const;

    void reindex();

    std::vector<Entry> items_;
    // Case-folded key to position: finding a key does not scan the collection.
    QHash<QString, size_t> index_;
};

} // namespace forms
