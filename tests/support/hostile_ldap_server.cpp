#include "tests/support/hostile_ldap_server.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace ostrel::test {

namespace {

std::string hex(const std::string& text)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : text) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// One line from `fd`, read byte by byte so nothing after it is taken; empty at the end.
std::string read_line(int fd)
{
    std::string line;
    char c = 0;
    while (::read(fd, &c, 1) == 1 && c != '\n')
        line += c;
    return line;
}

} // namespace

std::unique_ptr<hostile_ldap_server> hostile_ldap_server::start(const options& how, std::string& error)
{
    std::unique_ptr<hostile_ldap_server> server(new hostile_ldap_server());
    char dir[] = "/tmp/ostrel-hostile-ldap.XXXXXX";
    if (::mkdtemp(dir) == nullptr) {
        error = std::string("no folder for the server's counts: ") + std::strerror(errno);
        return nullptr;
    }
    server->dir_ = dir;
    server->stats_ = server->dir_ + "/searches";
    server->address_ = how.address;

    std::vector<std::string> args = {"python3",
                                     OSTREL_HOSTILE_LDAP_SCRIPT,
                                     "--address",
                                     how.address,
                                     "--port",
                                     std::to_string(how.port),
                                     "--mode",
                                     how.mode,
                                     "--entries-per-page",
                                     std::to_string(how.entries_per_page),
                                     "--stats",
                                     server->stats_};
    if (!how.organization.empty())
        args.insert(args.end(), {"--organization", hex(how.organization)});
    if (!how.text.empty())
        args.insert(args.end(), {"--text", hex(how.text)});

    int out[2];
    if (::pipe(out) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return nullptr;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execvp("python3", argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    if (pid < 0) {
        ::close(out[0]);
        error = std::string("fork: ") + std::strerror(errno);
        return nullptr;
    }
    server->pid_ = pid;
    const std::string line = read_line(out[0]);
    ::close(out[0]);
    if (line.rfind("PORT ", 0) != 0) {
        error = "the hostile LDAP server did not start on " + how.address + ":" + std::to_string(how.port);
        return nullptr;
    }
    server->port_ = std::atoi(line.c_str() + 5);
    return server;
}

hostile_ldap_server::~hostile_ldap_server()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    if (!dir_.empty()) {
        std::remove(stats_.c_str());
        ::rmdir(dir_.c_str());
    }
}

long hostile_ldap_server::searches() const
{
    std::ifstream in(stats_);
    long n = 0;
    in >> n;
    return n;
}

} // namespace ostrel::test
