#pragma once
// The option-tree text, the persisted form of an option collection (property-bag key
// "TreeContainment"): one record per option in collection order, each ending with CR LF, its
// fields separated by TAB: parent key, key, type, name, page index and, for containers only,
// the remembered page (" " for none). Nothing is escaped, so no field may hold TAB, CR or LF.

#include "controls/options/c_option.h"

#include <QString>

namespace options {

// The error number of a record whose parent is not a container of the text or whose parent
// chain does not reach the root: the number the tree view gives for a node it cannot find.
inline constexpr std::int32_t kElementNotFound = 35601;

// How deep containers and pages may nest (a root container is level 1), as in a form file.
inline constexpr int kMaxOptionNesting = 64;

// Reads a text into a new collection. A final record without CR LF is not part of the text.
// Keys compare as the collection compares them (options::upper_key). Refuses malformed text
// with the runtime's error for the kind of fault, the description naming the line: too few
// fields 9, a type or page index that is not a number 13, a page index outside 16 bits 6, a
// key that differs from an earlier one at most in case 457, an empty or blank key or nesting
// deeper than kMaxOptionNesting 380, and kElementNotFound for a parent that the tree does not
// hold. A container's remembered page that is no page inside it loads as none (" "), as a
// container keeps it after the editor removed that page.
OptionCollection ParseOptionList(const QString& text);

// Writes a collection as text; null writes the empty text. The pages' remembered page is
// not written.
QString BuildOptionList(const forms::Collection* list);

} // namespace options
