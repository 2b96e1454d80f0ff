#include "tests/support/dc_pause.h"

#include "tests/support/server_env.h"

#include <csignal>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace ostrel::test {

namespace {

constexpr unsigned kGuardianLimitSeconds = 60;

// The samba process of the state directory: the pid in its pid file, if that process holds the
// file open (a recycled pid would not), as tests/fixtures/samba-dc/common.sh dc_pid checks.
pid_t dc_root(const std::string& state)
{
    const std::string pid_file = state + "/run/samba.pid";
    pid_t pid = 0;
    std::ifstream(pid_file) >> pid;
    if (pid <= 0)
        return 0;
    const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
    DIR* dir = opendir(fds.c_str());
    if (dir == nullptr)
        return 0;
    bool holds = false;
    while (dirent* entry = readdir(dir)) {
        char target[4096];
        const ssize_t n = readlink((fds + "/" + entry->d_name).c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == pid_file)
            holds = true;
    }
    closedir(dir);
    return holds ? pid : 0;
}

void add_with_children(pid_t pid, std::vector<pid_t>& pids)
{
    pids.push_back(pid);
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr)
        return;
    std::vector<pid_t> children;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream list(tasks + "/" + entry->d_name + "/children");
        for (pid_t child = 0; list >> child;)
            children.push_back(child);
    }
    closedir(dir);
    for (pid_t child : children)
        add_with_children(child, pids);
}

void signal_all(const std::vector<pid_t>& pids, int signal)
{
    for (pid_t pid : pids)
        kill(pid, signal);
}

// Whether every thread of the process is stopped ("T" in its stat line, after the command).
bool stopped(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr)
        return false;
    bool all = true;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream stat(tasks + "/" + entry->d_name + "/stat");
        std::string line;
        std::getline(stat, line);
        const auto end_of_command = line.rfind(')');
        if (end_of_command == std::string::npos || end_of_command + 2 >= line.size() ||
            (line[end_of_command + 2] != 'T' && line[end_of_command + 2] != 't'))
            all = false;
    }
    closedir(dir);
    return all;
}

} // namespace

bool wait_until_stopped(const std::vector<pid_t>& pids)
{
    for (int tries = 0; tries < 200; ++tries) {
        bool all = true;
        for (pid_t pid : pids)
            all = all && stopped(pid);
        if (all)
            return true;
        usleep(10000);
    }
    return false;
}

std::vector<pid_t> dc_processes(const std::string& state, std::string& why)
{
    std::vector<pid_t> pids;
    const pid_t root = dc_root(state);
    if (root == 0) {
        why = "no running DC holds " + state + "/run/samba.pid";
        return pids;
    }
    add_with_children(root, pids);
    return pids;
}

dc_pause::dc_pause()
{
    const auto state = env("SAMBA_DC_STATE");
    if (!state) {
        why_ = "SAMBA_DC_STATE is not set";
        return;
    }
    std::vector<pid_t> pids = dc_processes(*state, why_);
    if (pids.empty())
        return;
    int fds[2];
    if (pipe(fds) != 0) {
        why_ = "no pipe for the guardian";
        return;
    }
    // The guardian waits for this process to close the pipe (by resuming, or by dying), then
    // resumes the DC; it gives up waiting after a minute.
    const pid_t guardian = fork();
    if (guardian < 0) {
        close(fds[0]);
        close(fds[1]);
        why_ = "no guardian process";
        return;
    }
    if (guardian == 0) {
        close(fds[1]);
        alarm(kGuardianLimitSeconds);
        struct sigaction ignore = {};
        ignore.sa_handler = [](int) {};
        sigaction(SIGALRM, &ignore, nullptr); // interrupts the read instead of ending us
        char byte;
        while (read(fds[0], &byte, 1) > 0) {
        }
        for (pid_t pid : pids)
            kill(pid, SIGCONT);
        _exit(0);
    }
    close(fds[0]);
    guardian_ = guardian;
    guardian_pipe_ = fds[1];
    pids_ = std::move(pids);
    signal_all(pids_, SIGSTOP);
    if (!wait_until_stopped(pids_))
        why_ = "the DC's processes did not stop";
}

void dc_pause::resume()
{
    if (!pids_.empty()) {
        signal_all(pids_, SIGCONT);
        pids_.clear();
    }
    if (guardian_pipe_ >= 0) {
        close(guardian_pipe_);
        guardian_pipe_ = -1;
    }
    if (guardian_ > 0) {
        waitpid(guardian_, nullptr, 0);
        guardian_ = -1;
    }
}

dc_pause::~dc_pause() { resume(); }

} // namespace ostrel::test
