#pragma once
// The two waits of the directory layer, read in this one place: how long a server may take to
// accept a connection (also the budget of the realm's key distribution centre at a password
// bind), and how long any one answer of a bound server may take. Each is libldap's own setting
// where the administrator made one (NETWORK_TIMEOUT and TIMEOUT of ldap.conf, ~/.ldaprc, or
// the LDAPNETWORK_TIMEOUT and LDAPTIMEOUT environment variables), else the default below. They
// are read once per process, when libldap reads its configuration.

#include <chrono>
#include <string>

struct timeval;

namespace ads {

struct ldap_timeouts {
    std::chrono::milliseconds connect;
    std::chrono::milliseconds operation;
};

inline constexpr std::chrono::milliseconds kDefaultConnectTimeout{5000};
inline constexpr std::chrono::milliseconds kDefaultOperationTimeout{60000};

const ldap_timeouts& configured_timeouts();

// "5 seconds", "1.5 seconds": a wait as the error texts name it.
std::string describe_wait(std::chrono::milliseconds wait);

// The last directory error's text when a bound server let the operation timeout pass.
std::string no_answer_text();

timeval to_timeval(std::chrono::milliseconds wait);

} // namespace ads
