#pragma once
// COption: one node of an options tree (a container or an option page), and the option
// collection: the runtime's Collection of COption records, each under its strKey (compared
// without regard to case), in the order of siblings in the tree. The tree host, its pages'
// registry and the design-time editor share one collection object (OptionCollection).

#include "platform/forms/core/collection.h"

#include <QMetaType>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

enum en_OptionType : std::int32_t { Container = 0, PropertyPage = 1 };

class COption : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString strParentKey MEMBER strParentKey)
    Q_PROPERTY(QString strKey MEMBER strKey)
    Q_PROPERTY(int eOptionType MEMBER eOptionType)
    Q_PROPERTY(short iTabIndex MEMBER iTabIndex)
    Q_PROPERTY(QString strName MEMBER strName)
    Q_PROPERTY(QString strSelectedProperty MEMBER strSelectedProperty)

public:
    // " " (one space) for a node at the root.
    QString strParentKey;
    // The upper-cased path (options::upper_key): "_" and the name for a root container, else the parent's key,
    // "\" and the name.
    QString strKey;
    // 0 is a container; every other value counts as a page.
    std::int32_t eOptionType = Container;
    QString strName;
    // Pages: the page index of the option page showing this node.
    std::int16_t iTabIndex = 0;
    // Containers: the key of the page last chosen inside it, " " (or "") when none.
    QString strSelectedProperty;

    bool is_container() const { return eOptionType == Container; }
};

using OptionPtr = std::shared_ptr<COption>;
using OptionCollection = std::shared_ptr<forms::Collection>;

Q_DECLARE_METATYPE(OptionPtr)
Q_DECLARE_METATYPE(OptionCollection)

namespace options {

OptionCollection new_option_list();
// The record at a 1-based position or under a key; the collection's errors (9, 5) reach the
// caller.
OptionPtr option_at(const forms::Collection& list, const QVariant& index_or_key);
void add_option(forms::Collection& list, const OptionPtr& option, const QVariant& before = {},
                const QVariant& after = {});
// The one spelling of a key in the tree view and in every comparison of keys: case-folded,
// then upper-cased letter by letter (forms::key_upper, the case mapping the collection
// compares by). Two keys the collection takes for one have one spelling, and keys it tells
// apart keep theirs apart ("ß" stays "ß", never "SS"); the length never changes.
QString upper_key(const QString& key);
// A remembered page of "" or spaces only means none.
bool is_blank_key(const QString& key);
// 1-based position of the record under `key` (without regard to case), 0 when absent.
std::int32_t position_of(const forms::Collection& list, const QString& key);

} // namespace options
