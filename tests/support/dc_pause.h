#pragma once
// Freezes the fixture DC of this test run (its samba process and every process below it) with
// SIGSTOP, for tests of a server that accepts and then stops answering. The DC is resumed with
// SIGCONT when the pause ends, also when the test fails, and even when the test process dies:
// a small guardian process resumes it as soon as this process is gone (or after a minute at
// most), so the rest of the suite never meets a frozen DC. A test that pauses the DC must run
// alone (the CTest property RUN_SERIAL), since every other client of the DC would stall too.

#include <string>
#include <sys/types.h>
#include <vector>

namespace ostrel::test {

class dc_pause {
public:
    // Freezes the DC whose state directory $SAMBA_DC_STATE names; `why` tells when it cannot.
    dc_pause();
    ~dc_pause();
    dc_pause(const dc_pause&) = delete;
    dc_pause& operator=(const dc_pause&) = delete;

    bool paused() const { return !pids_.empty() && why_.empty(); }
    const std::string& why() const { return why_; }

    // Resumes the DC now (the destructor does it otherwise).
    void resume();

private:
    std::vector<pid_t> pids_;
    pid_t guardian_ = -1;
    int guardian_pipe_ = -1;
    std::string why_;
};

// The pid of the DC's samba process and of every process below it.
std::vector<pid_t> dc_processes(const std::string& state, std::string& why);

// SIGSTOP is delivered, not done, when kill() returns: a thread that is running goes on until
// it next enters the kernel. Waits (two seconds at most) until every thread of every process
// has stopped; false when one has not.
bool wait_until_stopped(const std::vector<pid_t>& pids);

} // namespace ostrel::test
