#include "tools/regsvr/module_registrar.h"

#include "platform/win32/message_table.h"
#include "platform/win32/regular_file.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

std::string hresult_text(HRESULT hr)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
    std::string text = win32::utf16_to_utf8(win32::system_message(static_cast<DWORD>(hr)));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text.empty() ? std::string(code) : std::string(code) + " (" + text + ")";
}

// dlopen searches the library path for a bare name; the tool means the file it was given.
std::string loadable_path(const std::string& path)
{
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

} // namespace

module_registrar::outcome module_registrar::run(const std::string& module_path, action what)
{
    const char* entry = what == action::register_server ? "DllRegisterServer" : "DllUnregisterServer";
    const std::string path = loadable_path(module_path);
    outcome result;

    // Only a regular file is loaded: the loader would wait for ever on a FIFO.
    if (!win32::is_regular_file(path)) {
        result.message = "cannot load " + path + ": " +
                         (std::filesystem::exists(path) ? "not a regular file" : "no such file");
        return result;
    }
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* why = dlerror();
        result.message = "cannot load " + path + ": " + (why ? why : "unknown error");
        return result;
    }
    dlerror();
    auto* function = reinterpret_cast<HRESULT (*)()>(dlsym(module, entry));
    if (function == nullptr) {
        result.message = path + " has no entry point " + entry;
        dlclose(module);
        return result;
    }
    try {
        result.hr = function();
    } catch (...) {
        // An exception is no HRESULT: report it rather than let it end the tool.
        result.hr = E_UNEXPECTED;
        result.message = std::string(entry) + " in " + path + " failed: it threw an exception";
        dlclose(module);
        return result;
    }
    dlclose(module);
    if (FAILED(result.hr)) {
        result.message = std::string(entry) + " in " + path + " failed with " + hresult_text(result.hr);
        return result;
    }
    result.succeeded = true;
    result.message = std::string(entry) + " in " + path + " succeeded";
    return result;
}
