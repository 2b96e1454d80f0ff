#pragma once
// What a report of the fixture DC's domain must show: each column's title with the count the
// fixture recorded for it (tests/support/server_env.h), never a number the code produced.

#include "tests/support/server_env.h"

#include <array>
#include <string_view>

namespace program_test {

struct dc_report_count {
    const char* title;
    const char* count; // the fixture's COUNT_ name
};

inline constexpr std::array<dc_report_count, 15> kDcReportCounts{{
    {"DCs", "COUNT_DC"},
    {"Servers", "COUNT_SERVER"},
    {"Workstations", "COUNT_WORKSTATION"},
    {"Unknown Computers", "COUNT_UNKNOWN_COMPUTER"},
    {"Global Groups", "COUNT_GLOBAL_GROUP"},
    {"Local Groups", "COUNT_LOCAL_GROUP"},
    {"Universal Groups", "COUNT_UNIVERSAL_GROUP"},
    {"Users", "COUNT_USER"},
    {"Enabled Users", "COUNT_ENABLED_USER"},
    {"Managed Service Accounts", "COUNT_MSA"},
    {"Lync-enabled Users", "COUNT_LYNC_ENABLED_USER"},
    {"Mailbox-enabled Users", "COUNT_MAILBOX_ENABLED_USER"},
    {"Mail/Mailbox-enabled Users", "COUNT_MAIL_ENABLED_USER"},
    {"Mail-enabled Groups", "COUNT_MAIL_ENABLED_GROUP"},
    {"Contacts", "COUNT_CONTACT"},
}};

// The count the report shows under `e.title`. The servers count the domain controllers too;
// the fixture's server count is of the machines whose operating system names a server, which
// the DC's does not.
inline int expected_count(const dc_report_count& e)
{
    int count = ostrel::test::dc_count(e.count);
    if (std::string_view(e.title) == "Servers")
        count += ostrel::test::dc_count("COUNT_DC");
    return count;
}

} // namespace program_test
