// Entries host/user/password whose LDAP bind fails, counted by the engine over the module's
// real back ends next to the fixture DC: a wrong password, a certificate that is not trusted,
// a name whose address the resolver hides. The counting runs in a child process whose resolver is
// a stand-in of this test on 127.0.0.2: it records every name looked up and passes the query
// on to the DC's DNS. No lookup and no line may carry a password; the entry's error text says
// why the bind failed, and the management calls count with the entry's own credentials.

#include "collector/ldap/ldap_directory_backend.h"
#include "collector/netapi/netapi_network_backend.h"
#include "collector/ostrel_collector_impl.h"
#include "platform/com/bstr.h"
#include "platform/com/runtime.h"
#include "platform/com/safearray.h"
#include "platform/win32/text.h"
#include "tests/collector/ldap/engine_run.h"
#include "tests/support/server_env.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using ostrel::test::dc_count;
using ostrel::test::dc_fixture;
using ostrel::test::env;

constexpr char kStandIn[] = "127.0.0.2";
constexpr char kDcDns[] = "127.0.0.1";

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

sockaddr_in address_of(const char* ip)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(53);
    inet_pton(AF_INET, ip, &address.sin_addr);
    return address;
}

// The name a DNS query asks for, as dotted text ("" when the packet is no query).
std::string query_name(const unsigned char* packet, std::size_t size)
{
    std::string name;
    for (std::size_t at = 12; at < size && packet[at] != 0;) {
        const std::size_t length = packet[at];
        if ((length & 0xC0) != 0 || at + 1 + length > size)
            break;
        if (!name.empty())
            name += '.';
        name.append(reinterpret_cast<const char*>(packet + at + 1), length);
        at += 1 + length;
    }
    return name;
}

// The answer "no such name" to an address query (A or AAAA) for `hidden`, made from the query
// itself; empty for any other query.
std::vector<unsigned char> no_address_answer(const unsigned char* packet, std::size_t size, const std::string& hidden)
{
    std::size_t at = 12;
    while (at < size && packet[at] != 0 && (packet[at] & 0xC0) == 0)
        at += 1 + packet[at];
    const std::size_t question_end = at + 5; // the root label, the type and the class
    if (at >= size || packet[at] != 0 || question_end > size)
        return {};
    const unsigned type = packet[at + 1] << 8 | packet[at + 2];
    if ((type != 1 && type != 28) || lower(query_name(packet, size)) != hidden)
        return {};
    std::vector<unsigned char> answer(packet, packet + question_end);
    answer[2] = static_cast<unsigned char>(0x80 | (packet[2] & 0x79)); // a response; opcode and RD kept
    answer[3] = 0x80 | 3;                                              // RA, NXDOMAIN
    std::fill(answer.begin() + 6, answer.begin() + 12, 0);             // no answer, authority or extra
    return answer;
}

// The resolver stand-in: UDP and TCP on 127.0.0.2:53, each query recorded and relayed to the
// DC's DNS on 127.0.0.1, except the address of the one name it hides, which it says does not
// exist.
class recording_resolver {
public:
    explicit recording_resolver(std::string hidden) : m_hidden(lower(std::move(hidden)))
    {
        const sockaddr_in here = address_of(kStandIn);
        m_udp = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        m_tcp = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int yes = 1;
        setsockopt(m_tcp, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        m_ready = bind(m_udp, reinterpret_cast<const sockaddr*>(&here), sizeof here) == 0 &&
                  bind(m_tcp, reinterpret_cast<const sockaddr*>(&here), sizeof here) == 0 && listen(m_tcp, 8) == 0;
    }
    ~recording_resolver()
    {
        stop();
        close(m_udp);
        close(m_tcp);
    }
    bool ready() const { return m_ready; }
    void start()
    {
        m_thread = std::thread([this] { serve(); });
    }
    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    std::vector<std::string> names()
    {
        std::lock_guard lock(m_mutex);
        return m_names;
    }

private:
    void record(const unsigned char* packet, std::size_t size)
    {
        std::lock_guard lock(m_mutex);
        m_names.push_back(query_name(packet, size));
    }
    static int connected(int type)
    {
        const int s = socket(AF_INET, type | SOCK_CLOEXEC, 0);
        const timeval wait{2, 0};
        setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        const sockaddr_in dc = address_of(kDcDns);
        if (connect(s, reinterpret_cast<const sockaddr*>(&dc), sizeof dc) != 0) {
            close(s);
            return -1;
        }
        return s;
    }
    void relay_udp()
    {
        unsigned char packet[4096];
        sockaddr_in from{};
        socklen_t from_size = sizeof from;
        const ssize_t size = recvfrom(m_udp, packet, sizeof packet, 0, reinterpret_cast<sockaddr*>(&from), &from_size);
        if (size <= 0)
            return;
        record(packet, static_cast<std::size_t>(size));
        if (const auto refusal = no_address_answer(packet, static_cast<std::size_t>(size), m_hidden);
            !refusal.empty()) {
            sendto(m_udp, refusal.data(), refusal.size(), 0, reinterpret_cast<sockaddr*>(&from), from_size);
            return;
        }
        const int upstream = connected(SOCK_DGRAM);
        if (upstream < 0)
            return;
        if (send(upstream, packet, static_cast<std::size_t>(size), 0) == size) {
            const ssize_t answer = recv(upstream, packet, sizeof packet, 0);
            if (answer > 0)
                sendto(m_udp, packet, static_cast<std::size_t>(answer), 0, reinterpret_cast<sockaddr*>(&from),
                       from_size);
        }
        close(upstream);
    }
    static bool read_all(int s, unsigned char* data, std::size_t size)
    {
        for (std::size_t done = 0; done < size;) {
            const ssize_t n = recv(s, data + done, size - done, 0);
            if (n <= 0)
                return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    void relay_tcp()
    {
        const int client = accept4(m_tcp, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        const timeval wait{2, 0};
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        std::vector<unsigned char> message(2);
        if (read_all(client, message.data(), 2)) {
            message.resize(2 + (message[0] << 8 | message[1]));
            if (read_all(client, message.data() + 2, message.size() - 2)) {
                record(message.data() + 2, message.size() - 2);
                if (auto refusal = no_address_answer(message.data() + 2, message.size() - 2, m_hidden);
                    !refusal.empty()) {
                    const std::size_t length = refusal.size();
                    refusal.insert(refusal.begin(), {static_cast<unsigned char>(length >> 8),
                                                     static_cast<unsigned char>(length & 0xFF)});
                    send(client, refusal.data(), refusal.size(), 0);
                    close(client);
                    return;
                }
                const int upstream = connected(SOCK_STREAM);
                unsigned char length[2];
                if (upstream >= 0 && send(upstream, message.data(), message.size(), 0) == ssize_t(message.size()) &&
                    read_all(upstream, length, 2)) {
                    std::vector<unsigned char> answer(2 + (length[0] << 8 | length[1]));
                    answer[0] = length[0];
                    answer[1] = length[1];
                    if (read_all(upstream, answer.data() + 2, answer.size() - 2))
                        send(client, answer.data(), answer.size(), 0);
                }
                if (upstream >= 0)
                    close(upstream);
            }
        }
        close(client);
    }
    void serve()
    {
        while (!m_stop) {
            pollfd fds[] = {{m_udp, POLLIN, 0}, {m_tcp, POLLIN, 0}};
            if (poll(fds, 2, 100) <= 0)
                continue;
            if ((fds[0].revents & POLLIN) != 0)
                relay_udp();
            if ((fds[1].revents & POLLIN) != 0)
                relay_tcp();
        }
    }

    std::string m_hidden;
    int m_udp = -1;
    int m_tcp = -1;
    bool m_ready = false;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<std::string> m_names;
};

// In the child: this process's lookups go to the stand-in, whatever the namespace it was
// started in said.
bool resolve_through_stand_in(const std::string& folder)
{
    const std::string conf = folder + "/resolv.conf";
    std::ofstream(conf) << "nameserver " << kStandIn << "\n";
    return unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount(conf.c_str(), "/etc/resolv.conf", nullptr, MS_BIND, nullptr) == 0;
}

// In the child: counts the entries with the module's back ends and writes, per entry, its
// error text and its user count, one line each, to `out`.
void count_entries(const std::vector<std::u16string>& entries, int out)
{
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
        COstrelCollectorImpl engine(std::make_shared<ldap_directory_backend>(),
                                    std::make_shared<netapi_network_backend>());
        VARIANT names;
        VariantInit(&names);
        names.vt = VT_ARRAY | VT_BSTR;
        names.parray = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(entries.size()));
        for (LONG i = 0; i < static_cast<LONG>(entries.size()); ++i) {
            CComBSTR name(entries[static_cast<std::size_t>(i)]);
            SafeArrayPutElement(names.parray, &i, name.m_str);
        }
        ldap_collectors_test::completion_wait done;
        std::string report;
        if (engine.Collect(&names, oxcUser, &done) == S_OK) {
            done.wait();
            engine.Cancel();
            for (const auto& info : engine.GetInfos()) {
                const auto users = info.counts.find(oxcUser);
                std::string error = utf16_to_utf8(info.error);
                std::replace(error.begin(), error.end(), '\n', '|');
                report += std::to_string(users == info.counts.end() ? -1 : users->second) + " " + error + "\n";
            }
        }
        VariantClear(&names);
        for (std::size_t at = 0; at < report.size();) {
            const ssize_t n = write(out, report.data() + at, report.size() - at);
            if (n <= 0)
                break;
            at += static_cast<std::size_t>(n);
        }
    }
    CoUninitialize();
}

struct counted_entry {
    LONG users = -1;
    std::string error;
};

// Counts entries in a child process of its own (libnetapi keeps the credentials of a
// process's first management call) that resolves names through the stand-in.
bool count_in_child(const std::vector<std::string>& entries, const std::string& folder,
                    std::vector<counted_entry>& counted)
{
    int pipe_ends[2];
    if (pipe2(pipe_ends, O_CLOEXEC) != 0)
        return false;
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        close(pipe_ends[0]);
        if (!resolve_through_stand_in(folder))
            _exit(2);
        // The DC's own CA is not trusted here.
        unsetenv("LDAPTLS_CACERT");
        setenv("LDAPTLS_REQCERT", "demand", 1);
        std::vector<std::u16string> names;
        for (const std::string& entry : entries)
            names.push_back(utf8_to_utf16(entry));
        count_entries(names, pipe_ends[1]);
        _exit(0);
    }
    close(pipe_ends[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t n; (n = read(pipe_ends[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(n));
    close(pipe_ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    counted.clear();
    for (std::size_t at = 0; at < report.size();) {
        const std::size_t end = report.find('\n', at);
        const std::size_t blank = report.find(' ', at);
        if (end == std::string::npos || blank > end)
            return false;
        counted.push_back({std::stoi(report.substr(at, blank - at)), report.substr(blank + 1, end - blank - 1)});
        at = end + 1;
    }
    return counted.size() == entries.size();
}

TEST(CredentialsFallbackAddc, NoLookupOrLineCarriesThePasswordAndTheBindsReasonIsKept)
{
    OSTREL_REQUIRE_SAMBA_DC();
    const std::string host = *env("SAMBA_DC_FQDN");
    const std::string domain = lower(*env("SAMBA_DC_REALM"));
    const std::string upn = dc_fixture().at("FIXTURE_READER_UPN");
    const std::string dn = dc_fixture().at("FIXTURE_READER_DN");
    const std::string password = dc_fixture().at("FIXTURE_READER_PASSWORD");
    const std::string wrong = "Wrong-Pa55word";
    struct Case {
        const char* what;
        std::string entry;
        std::string shown;    // the entry as its bind line names it
        std::string password; // what must appear nowhere
        std::string reason;   // what the bind line says, beside the system's text
        LONG users;           // what the management calls count
    };
    const std::vector<Case> cases = {
        {"a wrong password", host + "/" + upn + "/" + wrong, host + "/" + upn, wrong, "refused the password", -1},
        // A distinguished name goes to the simple bind, which only runs inside TLS.
        {"a certificate that is not trusted", host + "/" + dn + "/" + password, host + "/" + dn, password,
         "certificate", -1},
        // The stand-in hides the address of the domain's own name, so no LDAP server answers
        // there; the management calls find its controller by its service records and count
        // with the entry's user.
        {"no LDAP server answering", domain + "/" + upn + "/" + password, domain + "/" + upn, password,
         "Can't contact LDAP server", dc_count("COUNT_SAM_USER_ACCOUNT")},
    };

    recording_resolver resolver(domain);
    ASSERT_TRUE(resolver.ready()) << "cannot listen on " << kStandIn << ":53";
    char folder[] = "/tmp/ostrel-resolv.XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    resolver.start();
    std::vector<counted_entry> counted(cases.size());
    std::vector<bool> ran(cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        std::vector<counted_entry> one;
        ran[i] = count_in_child({cases[i].entry}, folder, one);
        if (ran[i])
            counted[i] = one.front();
    }
    // One process counts with the credentials of its first management call; an entry with
    // others is refused, never counted over the first one's connection.
    std::vector<counted_entry> mixed;
    const bool ran_mixed = count_in_child({domain + "/" + upn + "/" + password, domain + "/" + upn + "/" + wrong},
                                          folder, mixed);
    resolver.stop();
    std::remove((std::string(folder) + "/resolv.conf").c_str());
    rmdir(folder);

    const std::vector<std::string> looked_up = resolver.names();
    EXPECT_TRUE(std::any_of(looked_up.begin(), looked_up.end(), [&](const std::string& name) {
        return lower(name).ends_with(domain);
    })) << "the stand-in saw no lookup of the domain";
    for (std::size_t i = 0; i < cases.size(); ++i) {
        [&] { // an ASSERT ends this row only
            const Case& c = cases[i];
            SCOPED_TRACE(c.what);
            ASSERT_TRUE(ran[i]);
            const std::string& error = counted[i].error;
            EXPECT_EQ(lower(error).find(lower(c.password)), std::string::npos) << error;
            for (const std::string& name : looked_up)
                EXPECT_EQ(lower(name).find(lower(c.password)), std::string::npos) << name;
            // The bind's own line comes first and says why; the management count's follow.
            const std::string prefix = "error while connecting to LDAP server '" + c.shown + "': ";
            EXPECT_EQ(error.rfind(prefix, 0), 0u) << error;
            const std::string bind_line = error.substr(0, error.find("\r|"));
            EXPECT_NE(bind_line.find(c.reason), std::string::npos) << error;
            EXPECT_EQ(counted[i].users, c.users) << error;
        }();
    }
    ASSERT_TRUE(ran_mixed);
    EXPECT_EQ(mixed[0].users, dc_count("COUNT_SAM_USER_ACCOUNT")) << mixed[0].error;
    EXPECT_EQ(mixed[1].users, -1);
    EXPECT_NE(mixed[1].error.find("Error while enumerating users: Multiple connections to a server"), std::string::npos)
        << mixed[1].error;
    EXPECT_EQ(lower(mixed[1].error).find(lower(wrong)), std::string::npos) << mixed[1].error;
}

} // namespace
