#include "platform/mpr/configured_domains.h"

#include "platform/win32/kerberos_paths.h"

#include <dlfcn.h>
#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>

namespace mpr {

namespace {

std::string trim(const std::string& text)
{
    const auto begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

// smb.conf's parameter names ignore case and blanks: "Realm", "re alm".
std::string parameter_name(const std::string& text)
{
    std::string name;
    for (char c : text)
        if (c != ' ' && c != '\t')
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The system Kerberos library is looked up at run time and kept to itself (RTLD_LOCAL):
// libsmbclient brings Samba's own Kerberos library into the process, with the same names.
using krb5_error_code = std::int32_t;
using init_context_fn = krb5_error_code (*)(void** context);
using free_context_fn = void (*)(void* context);
using get_default_realm_fn = krb5_error_code (*)(void* context, char** realm);
using free_default_realm_fn = void (*)(void* context, char* realm);

template <class F>
F symbol(void* library, const char* name)
{
    return reinterpret_cast<F>(dlsym(library, name));
}

} // namespace

std::string smb_conf_realm(const std::string& path)
{
    std::ifstream file(path);
    std::string realm;
    bool global = true; // parameters before any section header are global
    std::string line;
    std::string logical;
    while (std::getline(file, line)) {
        // A backslash at the end continues the line.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.back() == '\\') {
            logical += line.substr(0, line.size() - 1);
            continue;
        }
        logical += line;
        const std::string text = trim(logical);
        logical.clear();
        if (text.empty() || text.front() == '#' || text.front() == ';')
            continue;
        if (text.front() == '[') {
            const auto close = text.find(']');
            global = close != std::string::npos && parameter_name(text.substr(1, close - 1)) == "global";
            continue;
        }
        const auto equals = text.find('=');
        if (global && equals != std::string::npos && parameter_name(text.substr(0, equals)) == "realm")
            realm = trim(text.substr(equals + 1)); // the last setting wins, as in Samba
    }
    return realm;
}

std::string kerberos_default_realm()
{
    // A FIFO as KRB5_CONFIG would hang libkrb5: such a configuration holds no realm for us.
    if (!win32::kerberos_environment_problem().empty())
        return {};
    void* library = dlopen("libkrb5.so.3", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return {};
    auto init_context = symbol<init_context_fn>(library, "krb5_init_context");
    auto free_context = symbol<free_context_fn>(library, "krb5_free_context");
    auto get_default_realm = symbol<get_default_realm_fn>(library, "krb5_get_default_realm");
    auto free_default_realm = symbol<free_default_realm_fn>(library, "krb5_free_default_realm");
    std::string realm;
    void* context = nullptr;
    if (init_context && free_context && get_default_realm && free_default_realm && init_context(&context) == 0) {
        char* name = nullptr;
        if (get_default_realm(context, &name) == 0 && name) {
            realm = name;
            free_default_realm(context, name);
        }
        free_context(context);
    }
    dlclose(library);
    return realm;
}

std::vector<std::string> merge_domain_names(std::vector<std::string> first, const std::vector<std::string>& more)
{
    std::vector<std::string> result;
    auto add = [&result](const std::string& name) {
        if (name.empty())
            return;
        for (const auto& known : result)
            if (strcasecmp(known.c_str(), name.c_str()) == 0)
                return;
        result.push_back(name);
    };
    for (const auto& name : first)
        add(name);
    for (const auto& name : more)
        add(name);
    return result;
}

std::vector<std::string> configured_domains(const std::string& smb_conf)
{
    return merge_domain_names({lower(trim(kerberos_default_realm())), lower(smb_conf_realm(smb_conf))}, {});
}

} // namespace mpr
