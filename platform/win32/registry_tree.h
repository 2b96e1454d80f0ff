#pragma once
// The in-memory form of the registry: a tree of keys per root, each with named values. Keys
// and value names are looked up by their case-folded form and keep the spelling they were
// created with.

#include "platform/win32/win_types.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win32::registry_detail {

// The case-insensitive form of a name (the comparison key of keys and values).
std::u16string fold_name(std::u16string_view name);

// The bytes of a string value as the store keeps them: UTF-16LE text and one final NUL.
std::vector<BYTE> string_value_bytes(std::u16string_view text);
// The UTF-16 units of value data (an odd last byte is ignored), NULs included.
std::u16string utf16_of_bytes(const BYTE* data, std::size_t size);

struct registry_value {
    std::u16string name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

struct registry_key {
    std::u16string name;
    std::map<std::u16string, std::unique_ptr<registry_key>> subkeys; // by folded name
    std::map<std::u16string, registry_value> values;                 // by folded name

    registry_key* find_subkey(std::u16string_view name) const;
    // The subkey, created when missing; `created` tells which.
    registry_key& ensure_subkey(std::u16string_view name, bool& created);
    const registry_value* find_value(std::u16string_view name) const;
};

enum class registry_root : std::size_t { classes_root, current_user, local_machine, users, count };

inline constexpr std::array<std::string_view, static_cast<std::size_t>(registry_root::count)> kRootNames = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS"};

// How many levels of keys a root may hold, as the system's registry allows. Deeper paths are
// refused, by the file reader and by key creation alike: the file names every key by its whole
// path, so one deeper key line would cost text with the square of its depth.
inline constexpr std::size_t kMaxKeyDepth = 512;

struct registry_tree {
    std::array<registry_key, static_cast<std::size_t>(registry_root::count)> roots;

    registry_key& root(registry_root r) { return roots[static_cast<std::size_t>(r)]; }
    // The key at `path` (folded or not) under root `r`, or null.
    registry_key* find(registry_root r, const std::vector<std::u16string>& path);
};

} // namespace win32::registry_detail
