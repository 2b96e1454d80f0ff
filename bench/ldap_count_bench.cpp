// Counts the users of a directory with the collector's LDAP path and, in the same run, with
// ldapsearch (same filter, page size 100, server and bind), at two directory sizes; prints
// both wall times, their ratio and the collector's peak memory at each size.
//
//   ldap_count_bench [users_at_first_size [users_at_second_size]]   (default 20000 40000)
//
// The directory is the test slapd (tests/fixtures/slapd/start.sh) on 127.0.0.1, filled with
// that many users; both count as its administrator (whom no size limit holds); its state lives in a temporary directory
// removed at the end. Each count runs in a child process of its own, so the peak memory is that count's.

#include "bench/bench_directory.h"
#include "collector/collector_strings.h"
#include "collector/ldap/users_collector_ad.h"
#include "collector/load_string.h"
#include "platform/com/runtime.h"
#include "platform/win32/text.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

using clock_type = std::chrono::steady_clock;

struct run_figures {
    long long count = -1;
    double seconds = 0;
    long peak_kib = 0;
};

bench::bench_directory g_directory;

std::u16string user_filter()
{
    std::u16string filter;
    utils::load_string(collector_strings::IDS_FILTER_USER, filter);
    return filter;
}

// Runs `body` in a child process that writes one number to the pipe; the child's wall time
// and peak resident memory come back with it.
template <class Body>
run_figures in_child(Body body)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const auto start = clock_type::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const long long count = body();
        const std::string text = std::to_string(count);
        const ssize_t written = write(fds[1], text.data(), text.size());
        _exit(written == static_cast<ssize_t>(text.size()) ? 0 : 1);
    }
    close(fds[1]);
    std::string text;
    std::array<char, 64> buffer{};
    ssize_t n = 0;
    while ((n = read(fds[0], buffer.data(), buffer.size())) > 0)
        text.append(buffer.data(), static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run_figures figures;
    figures.seconds = std::chrono::duration<double>(clock_type::now() - start).count();
    figures.peak_kib = usage.ru_maxrss;
    figures.count = text.empty() ? -1 : std::stoll(text);
    return figures;
}

run_figures count_with_collector()
{
    return in_child([] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        const std::u16string entry = utf8_to_utf16(g_directory.var("SLAPD_HOST") + ":" + g_directory.var("SLAPD_PORT") +
                                                   "/" + g_directory.var("SLAPD_ADMIN_DN") + "/" +
                                                   g_directory.var("SLAPD_ADMIN_PASSWORD"));
        std::u16string error;
        IDirectorySearch* searcher = collector_ad::Connect(entry, error);
        long long count = -1;
        if (searcher != nullptr) {
            users_collector_ad collector;
            collector.Init(searcher);
            searcher->Release();
            count = collector.CollectItemCount(user_filter(), error);
        }
        if (!error.empty())
            std::fprintf(stderr, "collector: %s", utf16_to_utf8(error).c_str());
        return count;
    });
}

run_figures count_with_ldapsearch()
{
    return in_child([] {
        // The same StartTLS simple bind, base, filter, attribute and page size as the collector.
        const std::string command = "ldapsearch -LLL -x -ZZ -H " + g_directory.var("SLAPD_URI") + " -D " +
                                    bench::shell_quote(g_directory.var("SLAPD_ADMIN_DN")) + " -w " +
                                    bench::shell_quote(g_directory.var("SLAPD_ADMIN_PASSWORD")) + " -b " +
                                    bench::shell_quote(g_directory.var("SLAPD_BASE")) + " -E pr=100/noprompt " +
                                    bench::shell_quote(utf16_to_utf8(user_filter())) + " objectClass | grep -c '^dn:'";
        const std::string output = bench::run_output(command);
        return output.empty() ? -1LL : std::stoll(output);
    });
}

} // namespace

int main(int argc, char** argv)
{
    const int first = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int second = argc > 2 ? std::atoi(argv[2]) : 2 * first;
    if (first < 1 || second < first) {
        std::fprintf(stderr, "usage: %s [users_at_first_size [users_at_second_size]]\n", argv[0]);
        return 2;
    }
    if (!g_directory.start()) {
        std::fprintf(stderr, "could not start slapd\n");
        g_directory.stop();
        return 1;
    }
    setenv("LDAPTLS_CACERT", g_directory.var("SLAPD_CA").c_str(), 1);
    setenv("LDAPTLS_REQCERT", "demand", 1);

    int result = 0;
    int added = 0;
    std::printf("%10s %12s %14s %14s %8s %16s\n", "users", "count", "collector s", "ldapsearch s", "ratio",
                "collector KiB");
    for (const int size : {first, second}) {
        if (!g_directory.add_users(added, size)) {
            std::fprintf(stderr, "could not add users up to %d\n", size);
            result = 1;
            break;
        }
        added = size;
        count_with_collector(); // warm the server's caches for both
        const run_figures collector = count_with_collector();
        const run_figures ldapsearch = count_with_ldapsearch();
        std::printf("%10d %12lld %14.3f %14.3f %8.2f %16ld\n", size, collector.count, collector.seconds,
                    ldapsearch.seconds, ldapsearch.seconds > 0 ? collector.seconds / ldapsearch.seconds : 0.0,
                    collector.peak_kib);
        if (collector.count != size || ldapsearch.count != size) {
            std::fprintf(stderr, "counts differ from the population: collector %lld, ldapsearch %lld, users %d\n",
                         collector.count, ldapsearch.count, size);
            result = 1;
        }
    }
    g_directory.stop();
    return result;
}
