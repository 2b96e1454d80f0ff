#pragma once
// The program's string table (numbers 101 to 160), compiled into the program and registered
// for the module it is linked into, and the plain uncached resource-string call that some
// pages use instead of the Resources cache.

#include "platform/win32/string_table.h"

#include <QString>

#include <span>

namespace program {

// Every entry of the table, in number order.
std::span<const win32::string_resource> string_table();

// Registers the table for this module once; every reader calls it first, so the table is
// there whichever object of the program is used first.
void register_strings();

// Text `id` read straight from the module's string table (no cache); empty when there is
// no such string.
QString load_res_string(UINT id);

} // namespace program
