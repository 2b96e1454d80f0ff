#include "tests/support/server_env.h"

#include <cstdlib>
#include <fstream>

namespace ostrel::test {

std::optional<std::string> env(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
}

std::map<std::string, std::string> read_shell_vars(const std::string& path)
{
    std::map<std::string, std::string> vars;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        auto eq = line.find('=');
        if (eq == std::string::npos || line.compare(0, 7, "export ") == 0)
            continue;
        std::string value = line.substr(eq + 1);
        if (value.size() >= 2 && (value.front() == '\'' || value.front() == '"') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        vars[line.substr(0, eq)] = value;
    }
    return vars;
}

const std::map<std::string, std::string>& dc_fixture()
{
    static const std::map<std::string, std::string> vars = [] {
        auto state = env("SAMBA_DC_STATE");
        return state ? read_shell_vars(*state + "/fixture.env") : std::map<std::string, std::string>{};
    }();
    return vars;
}

int dc_count(const std::string& key)
{
    auto it = dc_fixture().find(key);
    if (it == dc_fixture().end()) {
        ADD_FAILURE() << "the DC fixture has no " << key;
        return -2;
    }
    return std::stoi(it->second);
}

bool servers_required()
{
    auto value = env("OSTREL_REQUIRE_SERVERS");
    return value && *value == "1";
}

} // namespace ostrel::test
