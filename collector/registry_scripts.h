#pragma once
// The module's three registration scripts (resources 101, 102, 103), in the registrar's
// script language; %MODULE% becomes the module's path.

namespace registry_scripts {

inline constexpr int IDR_OSTRELCOLLECTOR = 101;
inline constexpr int IDR_OSTRELINFO = 102;
inline constexpr int IDR_OSTRELINFOCOLLECTION = 103;

// The script of one resource id; null for an unknown id.
const char16_t* script(int id);

} // namespace registry_scripts
