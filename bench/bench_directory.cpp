#include "bench/bench_directory.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace bench {

std::string shell_quote(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string run_output(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return output;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    pclose(pipe);
    return output;
}

bool bench_directory::start()
{
    char pattern[] = "/tmp/ostrel-bench.XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return false;
    state_ = pattern;
    std::istringstream env(run_output(std::string(OSTREL_SLAPD_FIXTURE_DIR) + "/start.sh " + state_ + "/slapd"));
    for (std::string line; std::getline(env, line);) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string value = line.substr(eq + 1);
        if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'')
            value = value.substr(1, value.size() - 2);
        server_[line.substr(0, eq)] = value;
    }
    return !server_["SLAPD_URI"].empty();
}

void bench_directory::stop()
{
    if (!state_.empty())
        std::system((std::string(OSTREL_SLAPD_FIXTURE_DIR) + "/stop.sh " + state_ +
                     "/slapd --remove >/dev/null 2>&1; rm -rf " + state_)
                        .c_str());
}

// Adds users fxb<from>..fxb<to-1> (enabled person users that the users filter finds) offline: the
// server is stopped, slapadd loads them and the server starts again on the same port, which
// is far quicker than adding tens of thousands of entries one synchronous write at a time.
bool bench_directory::add_users(int from, int to)
{
    const std::string slapd_state = state_ + "/slapd";
    const std::string ldif = state_ + "/users.ldif";
    {
        std::ofstream out(ldif);
        if (from == 0)
            out << "dn: ou=Bench," << server_["SLAPD_BASE"] << "\nobjectClass: organizationalUnit\nou: Bench\n\n";
        for (int i = from; i < to; ++i)
            out << "dn: cn=fxb" << i << ",ou=Bench," << server_["SLAPD_BASE"] << "\nobjectClass: user\ncn: fxb" << i
                << "\nsn: Bench " << i << "\nobjectCategory: person\nuserAccountControl: 512\n\n";
    }
    const std::string conf = slapd_state + "/slapd.conf";
    const std::string urls = "ldap://127.0.0.1:" + server_["SLAPD_PORT"] +
                             "/ ldaps://127.0.0.1:" + server_["SLAPD_LDAPS_PORT"] + "/";
    const std::string command = std::string(OSTREL_SLAPD_FIXTURE_DIR) + "/stop.sh " + slapd_state +
                                " && /usr/sbin/slapadd -q -f " + conf + " -l " + ldif +
                                " >/dev/null 2>&1 && /usr/sbin/slapd -f " + conf + " -h " + shell_quote(urls) +
                                " && for i in $(seq 1 100); do ldapsearch -x -H " + server_["SLAPD_URI"] +
                                " -b '' -s base -o nettimeout=2 >/dev/null 2>&1 && exit 0; sleep 0.05; done; exit 1";
    const int status = std::system(("bash -c " + shell_quote(command)).c_str());
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string bench_directory::var(const std::string& name) const
{
    const auto found = server_.find(name);
    return found == server_.end() ? std::string() : found->second;
}

} // namespace bench
