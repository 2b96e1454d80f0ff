#include "platform/win32/registry_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace win32 {

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The executable does not change while the process runs.
const std::string& executable_dir()
{
    static const std::string dir = [] {
        std::error_code ec;
        const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        return ec ? std::string() : exe.parent_path().string();
    }();
    return dir;
}

} // namespace

registry_location resolve_registry_location(const registry_surroundings& around)
{
    if (!around.explicit_file.empty())
        return {around.explicit_file, {}};
    const std::filesystem::path dir(around.executable_dir);
    if (!around.executable_dir.empty()) {
        const auto build_registry = dir / kBuildRegistryName;
        std::error_code ec;
        // Whatever kind of file it is: one that is not a regular file fails to read, rather
        // than sending the build's programs to the per-user registry unnoticed.
        if (std::filesystem::symlink_status(build_registry, ec).type() != std::filesystem::file_type::not_found && !ec)
            return {build_registry.string(), {}};
    }
    // Never relative to the current folder: a registry found there would name the code that a
    // program started in a folder someone else prepared loads. Without an absolute
    // XDG_CONFIG_HOME or HOME there is no per-user registry.
    registry_location location;
    if (!around.xdg_config_home.empty() && around.xdg_config_home.front() == '/')
        location.file = around.xdg_config_home + "/ostrel/registry.txt";
    else if (!around.home.empty() && around.home.front() == '/')
        location.file = around.home + "/.config/ostrel/registry.txt";
    if (!around.executable_dir.empty())
        location.beneath = (dir.parent_path() / "lib" / "ostrel" / "registry.txt").lexically_normal().string();
    return location;
}

registry_location current_registry_location()
{
    return resolve_registry_location(
        {environment("OSTREL_REGISTRY"), executable_dir(), environment("XDG_CONFIG_HOME"), environment("HOME")});
}

} // namespace win32
