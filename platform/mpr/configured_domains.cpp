#include "platform/mpr/configured_domains.h"

#include "platform/win32/kerberos_paths.h"

#include <krb5.h>
#include <strings.h>

#include <algorithm>
#include <cctype>
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
    krb5_context context = nullptr;
    if (krb5_init_context(&context) != 0)
        return {};
    std::string realm;
    char* name = nullptr;
    if (krb5_get_default_realm(context, &name) == 0 && name) {
        realm = name;
        krb5_free_default_realm(context, name);
    }
    krb5_free_context(context);
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
