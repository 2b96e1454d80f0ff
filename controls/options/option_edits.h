#pragma once
// The edits the options-tree editor makes to an option collection: naming, removing,
// moving among siblings and renaming with re-keying. They keep the collection readable as
// tree text: no name holds "\", TAB, CR or LF; every key stays the path of parent key and
// name; every remembered page names a page inside its container, or is " ".

#include "controls/options/c_option.h"

#include <QString>

namespace options {

// Why a name is refused; None when it may be used.
enum class NameFault { None, Empty, Backslash, ControlCharacter };
// The name trimmed of surrounding spaces, and what is wrong with it.
NameFault check_name(const QString& name);

// The key of an item called `name` under `parent_key` (" " for the root).
QString child_key(const QString& parent_key, const QString& name);

// Removes the item with its subtree. A removed page hands its role to the first other page
// of its container (collection order), else its container chain remembers none. Every
// container that remembered a page that is gone then remembers the first page left inside
// it, or none (" ").
void remove_option(forms::Collection& list, const QString& key);

// Moves the item before its previous sibling or after its next sibling (keys of sibling
// nodes); its descendants keep their places.
void move_before(forms::Collection& list, const QString& key, const QString& previous_sibling);
void move_after(forms::Collection& list, const QString& key, const QString& next_sibling);

enum class RenameResult { Renamed, Unchanged, DuplicateKey };
// Gives the item a new name: its key and every key below it are derived again from the
// parent key, each record keeps its position, and remembered pages follow the new keys.
// A new key that another item has is refused (DuplicateKey) and nothing changes. The name
// must have passed check_name.
RenameResult rename_option(forms::Collection& list, const QString& key, const QString& name);

} // namespace options
