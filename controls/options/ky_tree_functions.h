#pragma once
// The routines the tree host, its option pages and the editor share over an option
// collection: filling a tree view, remembering the page chosen inside a container chain and
// testing page indexes.

#include "controls/options/c_option.h"

#include <QString>

namespace forms {
class TreeView;
}

namespace options {

// The parent key of a root container and the value of "no remembered page".
inline const QString kRootKey = QStringLiteral(" ");

// The image keys of the three pictures a tree of options shows.
inline const QString kClosedFolder = QStringLiteral("CLOSEDFOLDER");
inline const QString kOpenedFolder = QStringLiteral("OPENEDFOLDER");
inline const QString kArrow = QStringLiteral("ARROW");
// An image key the list does not hold: setting it clears a node's picture.
inline const QString kNoArrow = QStringLiteral("NONACTIVEARROW");

// Clears the tree and adds every record reachable from the root, each node followed by its
// whole subtree, siblings in collection order. Node keys are the upper-cased keys; tags hold
// the type in editor mode and the page index otherwise. The tree view's errors reach the
// caller (a parent it does not hold, a key in use); the nodes added before stay.
void FillOptionTree(forms::TreeView& tree, const forms::Collection& list, bool editor_mode);
void AddOptionNodes(forms::TreeView& tree, const forms::Collection& list, bool editor_mode, const QString& parent_key);

// Sets the remembered page of the record `key` and of every container above it to `value`.
// A key not in the collection raises the collection's error.
void SetSelectedProperty(forms::Collection& list, const QString& value, const QString& key);

// Whether the text converts to a 16-bit integer of at least 1; never raises.
bool IsPositiveInteger(const QString& text);

} // namespace options
