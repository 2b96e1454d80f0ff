#pragma once
// What assistive tools read of a ListView's items, and what they may do with them. Qt's own
// nodes for an item view are private to Qt and their Toggle action changes the selection, so
// a screen reader could not tick an item. The list's view gets a node of ours: a table of
// items (a header row first while the column headers show), each item with its text, its
// check state, and a Toggle action that ticks it as a click on its check box does (the same
// road as a person's input: refused where a click could not land, ItemCheck raised), or,
// without check boxes, a Press action that selects it as a click on it does.

class QTreeWidget;

namespace forms {

// Makes the view of every ListView get the node above; called once the first ListView is made.
void install_list_view_accessible();

// Tells listening assistive tools that the item in `row` (from 0) of `view` was ticked or
// unticked.
void announce_item_check(QTreeWidget& view, int row);

} // namespace forms
