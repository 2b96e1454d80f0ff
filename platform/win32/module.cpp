#include "platform/win32/module.h"

#include "platform/win32/last_error.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace win32 {

namespace {

// The lowest mapped address of a loaded object: its load bias plus the first loadable
// segment, page-aligned. It equals what dladdr reports as the object's base.
std::uintptr_t object_base(const dl_phdr_info& info)
{
    std::uintptr_t lowest = UINTPTR_MAX;
    for (ElfW(Half) i = 0; i < info.dlpi_phnum; ++i) {
        const auto& ph = info.dlpi_phdr[i];
        if (ph.p_type == PT_LOAD)
            lowest = std::min<std::uintptr_t>(lowest, info.dlpi_addr + ph.p_vaddr);
    }
    if (lowest == UINTPTR_MAX)
        return 0;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    return lowest & ~(page - 1);
}

std::string executable_path()
{
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

struct module_lookup {
    std::uintptr_t base = 0;
    std::string name;
    bool found = false;
    bool first = true;
    bool is_executable = false;
};

// Finds the loaded object whose base is `base` (the first object reported is the executable).
module_lookup find_module(std::uintptr_t base)
{
    module_lookup lookup;
    lookup.base = base;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data) -> int {
            auto* l = static_cast<module_lookup*>(data);
            const bool first = l->first;
            l->first = false;
            if (object_base(*info) != l->base)
                return 0;
            l->found = true;
            l->is_executable = first;
            l->name = info->dlpi_name ? info->dlpi_name : "";
            return 1;
        },
        &lookup);
    return lookup;
}

} // namespace

HMODULE module_of_address(const void* address)
{
    Dl_info info{};
    if (address == nullptr || dladdr(address, &info) == 0 || info.dli_fbase == nullptr)
        return nullptr;
    return static_cast<HMODULE>(info.dli_fbase);
}

HMODULE executable_module()
{
    std::uintptr_t base = 0;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data) -> int {
            *static_cast<std::uintptr_t*>(data) = object_base(*info);
            return 1;
        },
        &base);
    return reinterpret_cast<HMODULE>(base);
}

std::string module_path(HMODULE module)
{
    if (module == nullptr)
        return executable_path();
    const module_lookup lookup = find_module(reinterpret_cast<std::uintptr_t>(module));
    if (!lookup.found)
        return {};
    if (lookup.is_executable || lookup.name.empty())
        return executable_path();
    std::error_code ec;
    auto path = std::filesystem::absolute(lookup.name, ec);
    return ec ? lookup.name : path.lexically_normal().string();
}

} // namespace win32

HMODULE GetModuleHandleW(LPCWSTR moduleName)
{
    if (moduleName == nullptr)
        return win32::executable_module();
    const std::string wanted = win32::utf16_to_utf8(moduleName);
    struct search {
        std::string wanted;
        HMODULE found = nullptr;
    } s{wanted, nullptr};
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data) -> int {
            auto* sp = static_cast<search*>(data);
            const std::string_view name = info->dlpi_name ? info->dlpi_name : "";
            if (name.empty())
                return 0;
            const std::string_view file = name.substr(name.find_last_of('/') + 1);
            if (name == sp->wanted || file == sp->wanted) {
                sp->found = reinterpret_cast<HMODULE>(win32::object_base(*info));
                return 1;
            }
            return 0;
        },
        &s);
    if (s.found == nullptr)
        SetLastError(ERROR_MOD_NOT_FOUND);
    return s.found;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR filename, DWORD size)
{
    const std::string path = win32::module_path(module);
    if (path.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (filename == nullptr || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::u16string wide = win32::utf8_to_utf16(path);
    if (wide.size() >= size) {
        std::copy_n(wide.begin(), size - 1, filename);
        filename[size - 1] = u'\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::copy(wide.begin(), wide.end(), filename);
    filename[wide.size()] = u'\0';
    return static_cast<DWORD>(wide.size());
}
