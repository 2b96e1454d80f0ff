#include "program/report/column_layout.h"

#include "program/report/program_strings.h"

namespace program {
namespace {

// Universal groups stand between local groups and users, and mailbox-enabled users (1024)
// before mail/mailbox-enabled users (512): the report's fixed order.
constexpr counter_column kNetwork[] = {
    {IDS_COLUMN_DCS, oxcDC},
    {IDS_COLUMN_SERVERS, oxcServer},
    {IDS_COLUMN_WORKSTATIONS, oxcWorkstation},
    {IDS_COLUMN_UNKNOWN_COMPUTERS, oxcUnknownComputerType},
    {IDS_COLUMN_GLOBAL_GROUPS, oxcGlobalGroup},
    {IDS_COLUMN_LOCAL_GROUPS, oxcLocalGroup},
    {IDS_COLUMN_UNIVERSAL_GROUPS, oxcUniversalGroup},
    {IDS_COLUMN_USERS, oxcUser},
    {IDS_COLUMN_ENABLED_USERS, oxcEnabledUser},
    {IDS_COLUMN_MSA, oxcMSA},
    {IDS_COLUMN_LYNC_ENABLED_USERS, oxcLyncEnabledUser},
    {IDS_COLUMN_EXCHANGE_SERVERS, oxcExchangeServer},
    {IDS_COLUMN_MAILBOX_ENABLED_USERS, oxcMailboxEnabledUser},
    {IDS_COLUMN_MAIL_MAILBOX_ENABLED_USERS, oxcMailEnabledUser},
    {IDS_COLUMN_MAIL_ENABLED_GROUPS, oxcMailEnabledGroup},
    {IDS_COLUMN_CONTACTS, oxcContact},
};

constexpr counter_column kExchange5[] = {
    {IDS_COLUMN_EXCHANGE_SERVERS, oxcExchange5Servers},
    {IDS_COLUMN_MAILBOXES, oxcExchange5Mailbox},
};

} // namespace

int name_title_string(bool exchange5) { return exchange5 ? IDS_COLUMN_ORGANIZATION : IDS_COLUMN_DOMAIN; }

std::span<const counter_column> counter_columns(bool exchange5)
{
    if (exchange5)
        return kExchange5;
    return kNetwork;
}

} // namespace program
