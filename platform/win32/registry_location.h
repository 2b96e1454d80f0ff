#pragma once
// Where the registry lives. In this order:
//  1. OSTREL_REGISTRY set and not empty: that file alone, read and written.
//  2. A build tree: the running executable's directory holds "build-registry.txt": that file
//     alone, read and written (the build registers its modules there, so no build takes over
//     another's registration and a build never writes the per-user registry).
//  3. Otherwise (an installed or hand-copied program): the per-user registry
//     $XDG_CONFIG_HOME/ostrel/registry.txt (else ~/.config/ostrel/registry.txt; neither when
//     both are unset or relative, so nothing is looked for in the current folder), read and
//     written, above the system registry <executable's directory>/../lib/ostrel/registry.txt,
//     only read: a key or value of the per-user file hides the same one of the system file, as
//     a user's classes override the machine's.

#include <string>

namespace win32 {

struct registry_location {
    std::string file;    // read and written; empty when there is no per-user registry
    std::string beneath; // read beneath `file` and never written; empty when there is none
    bool operator==(const registry_location&) const = default;
};

// What the resolution looks at; empty strings for what is not set.
struct registry_surroundings {
    std::string explicit_file;   // OSTREL_REGISTRY
    std::string executable_dir;  // the running executable's directory
    std::string xdg_config_home; // XDG_CONFIG_HOME
    std::string home;            // HOME
};

inline constexpr const char* kBuildRegistryName = "build-registry.txt";

registry_location resolve_registry_location(const registry_surroundings& around);

// The resolution for this process, from its environment and /proc/self/exe.
registry_location current_registry_location();

} // namespace win32
