#include "tests/support/slapd_server.h"

#include "tests/support/server_env.h"

#include <cstdlib>
#include <unistd.h>

namespace ostrel::test {

namespace {

std::string shell_quoted(const std::string& text) { return "'" + text + "'"; }

} // namespace

bool slapd_available() { return access("/usr/sbin/slapd", X_OK) == 0; }

std::unique_ptr<slapd_server> slapd_server::start(bool tls, std::string& error, bool require_strong)
{
    std::string base = env("TMPDIR").value_or("/tmp");
    std::string pattern = base + "/ostrel-slapd.XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        error = "cannot make a temporary directory in " + base;
        return nullptr;
    }
    const std::string state = pattern;
    const std::string script = std::string(OSTREL_SLAPD_FIXTURE_DIR) + "/start.sh";
    const std::string command = shell_quoted(script) + " " + shell_quoted(state) + (tls ? "" : " --no-tls") +
                                (require_strong ? " --require-strong" : "") + " >" +
                                shell_quoted(state + "/start.out") + " 2>&1";
    if (std::system(command.c_str()) != 0) {
        error = "start.sh failed; see " + state + "/start.out";
        return nullptr;
    }
    auto vars = read_shell_vars(state + "/env");
    if (vars.find("SLAPD_PORT") == vars.end()) {
        error = "start.sh wrote no " + state + "/env";
        return nullptr;
    }
    return std::unique_ptr<slapd_server>(new slapd_server(state, std::move(vars), true));
}

std::unique_ptr<slapd_server> slapd_server::attach(const std::string& state, std::string& error)
{
    auto vars = read_shell_vars(state + "/env");
    if (vars.find("SLAPD_PORT") == vars.end()) {
        error = "the test run's slapd is not running: " + state +
                "/env is missing (the CTest fixture slapd_fixture_start starts it)";
        return nullptr;
    }
    return std::unique_ptr<slapd_server>(new slapd_server(state, std::move(vars), false));
}

slapd_server::~slapd_server()
{
    if (!owned_)
        return;
    const std::string command = shell_quoted(std::string(OSTREL_SLAPD_FIXTURE_DIR) + "/stop.sh") + " " +
                                shell_quoted(state_) + " --remove";
    if (std::system(command.c_str()) != 0) {
        // Nothing else to do in a destructor: the directory stays for a person to look at.
    }
}

std::string slapd_server::var(const std::string& key) const
{
    auto it = vars_.find(key);
    return it == vars_.end() ? std::string() : it->second;
}

void slapd_server::trust_certificate() const
{
    setenv("LDAPTLS_CACERT", var("SLAPD_CA").c_str(), 1);
    setenv("LDAPTLS_REQCERT", "demand", 1);
}

std::unique_ptr<slapd_server> start_trusted_slapd(std::string& error)
{
    if (!slapd_available())
        return nullptr;
    const auto shared = env("OSTREL_SLAPD_STATE");
    auto server = shared ? slapd_server::attach(*shared, error) : slapd_server::start(true, error);
    if (server)
        server->trust_certificate();
    return server;
}

} // namespace ostrel::test
