#pragma once
// A registry read above another: the upper tree's keys and values hide the same ones of the
// lower tree, and changes are kept in the upper tree only.

#include "platform/win32/registry_tree.h"
#include "platform/win32/win_types.h"

namespace win32::registry_detail {

// Adds `from`'s keys and values to `into`; those of `from` win, spelling of names included.
void overlay(registry_tree& into, const registry_tree& from);

// The upper tree after a change: `after` is the layered view once changed, `lower` the tree
// beneath, `upper` the upper tree before the change. It keeps whatever the upper tree held and
// what the change added or made different from the lower tree. ERROR_ACCESS_DENIED when the
// change removed a key or value that the lower tree holds (it is only read); else
// ERROR_SUCCESS.
LONG upper_after_change(const registry_tree& after, const registry_tree& lower, const registry_tree& upper,
                        registry_tree& result);

} // namespace win32::registry_detail
