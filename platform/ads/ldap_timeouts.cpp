#include "platform/ads/ldap_timeouts.h"

#include <ldap.h>
#include <sys/time.h>

namespace ads {

namespace {

// libldap's global setting of a time option, or the fallback when the configuration sets none
// (libldap answers a null timeval then) or sets one that is no positive time.
std::chrono::milliseconds libldap_setting(int option, std::chrono::milliseconds fallback)
{
    timeval* value = nullptr;
    if (ldap_get_option(nullptr, option, &value) != LDAP_OPT_SUCCESS || value == nullptr)
        return fallback;
    const std::chrono::milliseconds configured = std::chrono::seconds(value->tv_sec) +
                                                 std::chrono::duration_cast<std::chrono::milliseconds>(
                                                     std::chrono::microseconds(value->tv_usec));
    ldap_memfree(value);
    return configured.count() > 0 ? configured : fallback;
}

} // namespace

const ldap_timeouts& configured_timeouts()
{
    static const ldap_timeouts timeouts{libldap_setting(LDAP_OPT_NETWORK_TIMEOUT, kDefaultConnectTimeout),
                                        libldap_setting(LDAP_OPT_TIMEOUT, kDefaultOperationTimeout)};
    return timeouts;
}

std::string describe_wait(std::chrono::milliseconds wait)
{
    const long long ms = wait.count();
    std::string text = std::to_string(ms / 1000);
    if (ms % 1000 != 0) {
        std::string fraction = std::to_string(1000 + ms % 1000).substr(1);
        while (fraction.back() == '0')
            fraction.pop_back();
        text += "." + fraction;
    }
    return text + (ms == 1000 ? " second" : " seconds");
}

std::string no_answer_text()
{
    return "The server did not answer within " + describe_wait(configured_timeouts().operation);
}

timeval to_timeval(std::chrono::milliseconds wait)
{
    return timeval{static_cast<time_t>(wait.count() / 1000), static_cast<suseconds_t>(wait.count() % 1000 * 1000)};
}

} // namespace ads
