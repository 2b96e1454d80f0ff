#include "tests/support/dc_ticket.h"

#include "tests/support/server_env.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace ostrel::test {

namespace {

std::string ticket_dir;

// The cache and its directory go when the test process ends.
void remove_ticket_dir()
{
    if (ticket_dir.empty())
        return;
    std::remove((ticket_dir + "/krb5cc").c_str());
    rmdir(ticket_dir.c_str());
}

} // namespace

bool take_dc_ticket(std::string& why)
{
    auto realm = env("SAMBA_DC_REALM");
    auto user = env("SAMBA_DC_ADMIN_USER");
    auto password = env("SAMBA_DC_ADMIN_PASSWORD");
    if (!realm || !user || !password) {
        why = "SAMBA_DC_REALM, SAMBA_DC_ADMIN_USER or SAMBA_DC_ADMIN_PASSWORD unset";
        return false;
    }
    char dir[] = "/tmp/ostrel-netapi-XXXXXX";
    if (!mkdtemp(dir)) {
        why = "no temporary directory";
        return false;
    }
    ticket_dir = dir;
    std::atexit(remove_ticket_dir);
    std::string cache = std::string("FILE:") + dir + "/krb5cc";
    setenv("KRB5CCNAME", cache.c_str(), 1);
    std::string command = "kinit '" + *user + "@" + *realm + "' >/dev/null 2>&1";
    FILE* pipe = popen(command.c_str(), "w");
    if (!pipe) {
        why = "cannot run kinit";
        return false;
    }
    std::fprintf(pipe, "%s\n", password->c_str());
    int status = pclose(pipe);
    if (status != 0) {
        why = "kinit failed for " + *user + "@" + *realm;
        return false;
    }
    return true;
}

} // namespace ostrel::test
