// The answers of a directory server: the input is the byte stream a server sends, fed over a
// socket pair into a real session (ldap_session::open_over), which reads the rootDSE's naming
// context and then runs a paged subtree search over it to its end, reading each row's
// attributes as a count does. The requests the session writes are read and dropped; after the
// input the stream ends.
//
// Promises: a finite answer gives a finite search (no more rows than the input has bytes, and
// an end); the end is S_ADS_NOMORE_ROWS or a failure, and every later call returns it again; a
// failure leaves a directory last error of its own; rows() counts the rows delivered. An answer
// announcing more than the layer's bound is refused without being held (libFuzzer's memory
// limit would stop a target that held it).

#include "platform/ads/ads_last_error.h"
#include "platform/ads/ads_path.h"
#include "platform/ads/ldap_session.h"
#include "platform/ads/paged_search.h"
#include "platform/win32/win_errors.h"

#include "tests/fuzz/fuzz_check.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// Before libldap reads its configuration: a stream that stops short of an answer fails at
// its end, so no wait should come near this; it bounds one that would.
const bool g_configured = [] {
    setenv("LDAPTIMEOUT", "2", 1);
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}();

// The server's side: writes `answer`, then ends its half of the stream, and reads (and drops)
// what the session sends until the session closes its end.
void serve(int fd, const std::uint8_t* answer, std::size_t size)
{
    std::size_t written = 0;
    bool ended = false;
    char scratch[4096];
    while (true) {
        if (!ended && written == size) {
            ::shutdown(fd, SHUT_WR);
            ended = true;
        }
        pollfd p{fd, static_cast<short>(POLLIN | (ended ? 0 : POLLOUT)), 0};
        if (::poll(&p, 1, 5000) <= 0)
            break;
        if (p.revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t n = ::read(fd, scratch, sizeof scratch);
            if (n <= 0)
                break;
        }
        if (!ended && (p.revents & POLLOUT)) {
            const ssize_t n = ::send(fd, answer + written, size - written, MSG_DONTWAIT | MSG_NOSIGNAL);
            if (n < 0)
                break;
            written += static_cast<std::size_t>(n);
        }
    }
    ::close(fd);
}

DWORD last_error_code()
{
    DWORD code = 0;
    ADsGetLastError(&code, nullptr, 0, nullptr, 0);
    return code;
}

} // namespace

// libldap is built without frame pointers: the slow unwinder gives leak reports the whole stack,
// which the suppressions of tests/fuzz/lsan.supp match against.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FUZZ_REQUIRE(g_configured, "the target is configured");
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
        return 0;
    std::thread server(serve, fds[1], data, size);

    ads::ads_path path;
    path.host = "fuzz.invalid";
    path.port = 389;
    {
        std::shared_ptr<ads::ldap_session> session;
        if (ads::ldap_session::open_over(fds[0], path, session) != S_OK) {
            ::close(fds[0]);
            server.join();
            return 0;
        }
        std::vector<std::string> contexts;
        const HRESULT read = session->read_values("", "defaultNamingContext", contexts);
        if (FAILED(read))
            FUZZ_REQUIRE(last_error_code() != 0, "a failed read leaves a last error");

        ads::search_request request;
        request.base = contexts.empty() ? "o=Fuzz" : contexts.front();
        request.filter = "(objectClass=*)";
        request.attributes = {"objectClass"};
        request.page_size = 100;
        ads::paged_search search(session, request);
        HRESULT end = search.start();
        long long rows = 0;
        if (SUCCEEDED(end)) {
            while ((end = search.next_row()) == S_OK) {
                ++rows;
                FUZZ_REQUIRE(rows <= static_cast<long long>(size), "a finite answer gives a finite search");
                for (const std::string& name : search.attribute_names())
                    search.values(name);
                search.has_attribute("objectClass");
            }
            FUZZ_REQUIRE(end == S_ADS_NOMORE_ROWS || FAILED(end), "a search ends complete or failed");
            FUZZ_REQUIRE(search.next_row() == end, "a search's end stays its end");
            FUZZ_REQUIRE(search.rows() == rows, "rows() counts the rows delivered");
        }
        if (FAILED(end))
            FUZZ_REQUIRE(last_error_code() != 0, "a failed search leaves a last error");
    } // the session closes its end of the stream
    server.join();
    return 0;
}
