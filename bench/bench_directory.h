#pragma once
// The benchmarks' directory: the test slapd (tests/fixtures/slapd/start.sh) on 127.0.0.1 with
// its state in a temporary directory removed at stop, filled with as many users as a
// benchmark asks for.

#include <map>
#include <string>

namespace bench {

// `text` quoted for /bin/sh.
std::string shell_quote(const std::string& text);
// What `command` (run by /bin/sh) writes to its standard output.
std::string run_output(const std::string& command);

class bench_directory {
public:
    // Starts the server; false when it did not start.
    bool start();
    // Stops the server and removes its state.
    void stop();
    // Adds users fxb<from>..fxb<to-1> (enabled person users that the users filter finds).
    bool add_users(int from, int to);
    // A variable of the server as start.sh prints them (SLAPD_URI, SLAPD_HOST, SLAPD_PORT, ...).
    std::string var(const std::string& name) const;
    // The temporary directory the server's state lives in, removed at stop.
    const std::string& state() const { return state_; }

private:
    std::map<std::string, std::string> server_;
    std::string state_;
};

} // namespace bench
