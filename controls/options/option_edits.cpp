#include "controls/options/option_edits.h"

#include "controls/options/ky_tree_functions.h"
#include "platform/forms/core/key_case.h"

#include <QHash>

#include <vector>

namespace options {

namespace {

std::vector<OptionPtr> records(const forms::Collection& list)
{
    std::vector<OptionPtr> out;
    for (const auto& entry : list)
        out.push_back(entry.item.value<OptionPtr>());
    return out;
}

using forms::same_key;

// The first page at or below `key`, in depth-first collection order; "" for none.
QString first_page_inside(const forms::Collection& list, const QString& key)
{
    for (const OptionPtr& o : records(list)) {
        if (!same_key(o->strParentKey, key))
            continue;
        if (!o->is_container())
            return upper_key(o->strKey);
        const QString found = first_page_inside(list, o->strKey);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

void remove_subtree(forms::Collection& list, const QString& key)
{
    for (const OptionPtr& o : records(list))
        if (o->strParentKey == key)
            remove_subtree(list, o->strKey);
    list.Remove(QVariant(key));
}

// Every container whose remembered page is no longer in the collection remembers the first
// page left inside it, or none.
void repoint_remembered_pages(forms::Collection& list)
{
    for (const OptionPtr& o : records(list)) {
        if (!o->is_container() || is_blank_key(o->strSelectedProperty) || list.Exists(o->strSelectedProperty))
            continue;
        const QString page = first_page_inside(list, o->strKey);
        o->strSelectedProperty = page.isEmpty() ? kRootKey : page;
    }
}

// Puts the record back under its (possibly new) key at 1-based `position`.
void reinsert(forms::Collection& list, const OptionPtr& option, std::int32_t position)
{
    if (position > list.Count())
        add_option(list, option);
    else
        add_option(list, option, QVariant(position));
}

} // namespace

NameFault check_name(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return NameFault::Empty;
    if (trimmed.contains(QLatin1Char('\\')))
        return NameFault::Backslash;
    for (QChar c : trimmed)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return NameFault::ControlCharacter;
    return NameFault::None;
}

QString child_key(const QString& parent_key, const QString& name)
{
    if (parent_key == kRootKey)
        return upper_key(QLatin1Char('_') + name);
    return upper_key(parent_key + QLatin1Char('\\') + name);
}

void remove_option(forms::Collection& list, const QString& key)
{
    const OptionPtr removed = option_at(list, key);
    if (removed->is_container()) {
        remove_subtree(list, removed->strKey);
    } else {
        QString sibling;
        for (const OptionPtr& o : records(list))
            if (o != removed && !o->is_container() && o->strParentKey == removed->strParentKey) {
                sibling = o->strKey;
                break;
            }
        list.Remove(QVariant(removed->strKey));
        if (list.Exists(removed->strParentKey))
            SetSelectedProperty(list, sibling.isEmpty() ? kRootKey : sibling, removed->strParentKey);
    }
    repoint_remembered_pages(list);
}

void move_before(forms::Collection& list, const QString& key, const QString& previous_sibling)
{
    const OptionPtr moved = option_at(list, key);
    const std::int32_t target = position_of(list, previous_sibling);
    if (target == 0)
        return;
    list.Remove(QVariant(moved->strKey));
    add_option(list, moved, QVariant(target));
}

void move_after(forms::Collection& list, const QString& key, const QString& next_sibling)
{
    const OptionPtr moved = option_at(list, key);
    if (position_of(list, next_sibling) == 0)
        return;
    list.Remove(QVariant(moved->strKey));
    add_option(list, moved, {}, QVariant(position_of(list, next_sibling)));
}

RenameResult rename_option(forms::Collection& list, const QString& key, const QString& name)
{
    const OptionPtr renamed = option_at(list, key);
    const QString new_name = name.trimmed();
    const QString old_key = upper_key(renamed->strKey);
    const QString new_key = child_key(renamed->strParentKey, new_name);
    if (new_key != old_key && list.Exists(new_key))
        return RenameResult::DuplicateKey;
    if (new_key == old_key && renamed->strName == new_name)
        return RenameResult::Unchanged;

    // The new key of every record at or below the renamed one.
    QHash<QString, QString> new_keys{{old_key, new_key}};
    const std::vector<OptionPtr> all = records(list);
    for (bool grew = true; grew;) {
        grew = false;
        for (const OptionPtr& o : all) {
            const QString parent = upper_key(o->strParentKey);
            if (new_keys.contains(parent) && !new_keys.contains(upper_key(o->strKey))) {
                new_keys.insert(upper_key(o->strKey), child_key(new_keys.value(parent), o->strName));
                grew = true;
            }
        }
    }
    renamed->strName = new_name;
    std::int32_t position = 0;
    for (const OptionPtr& o : all) {
        ++position;
        const QString current = upper_key(o->strKey);
        if (new_keys.contains(current)) {
            list.Remove(QVariant(position));
            if (new_keys.contains(upper_key(o->strParentKey)))
                o->strParentKey = new_keys.value(upper_key(o->strParentKey));
            o->strKey = new_keys.value(current);
            reinsert(list, o, position);
        }
        if (o->is_container() && new_keys.contains(upper_key(o->strSelectedProperty)))
            o->strSelectedProperty = new_keys.value(upper_key(o->strSelectedProperty));
    }
    return RenameResult::Renamed;
}

} // namespace options
