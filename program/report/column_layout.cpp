#include "program/report/column_layout.h"

namespace program {
namespace {

// Universal groups stand between local groups and users, and mailbox-enabled users (1024)
// before mail/mailbox-enabled users (512): the report's fixed order.
constexpr counter_column kNetwork[] = {
    {118, oxcDC},
    {119, oxcServer},
    {120, oxcWorkstation},
    {121, oxcUnknownComputerType},
    {122, oxcGlobalGroup},
    {123, oxcLocalGroup},
    {158, oxcUniversalGroup},
    {124, oxcUser},
    {125, oxcEnabledUser},
    {159, oxcMSA},
    {160, oxcLyncEnabledUser},
    {139, oxcExchangeServer},
    {140, oxcMailboxEnabledUser},
    {141, oxcMailEnabledUser},
    {142, oxcMailEnabledGroup},
    {143, oxcContact},
};

constexpr counter_column kExchange5[] = {
    {139, oxcExchange5Servers},
    {147, oxcExchange5Mailbox},
};

} // namespace

int name_title_string(bool exchange5) { return exchange5 ? 146 : 117; }

std::span<const counter_column> counter_columns(bool exchange5)
{
    if (exchange5)
        return kExchange5;
    return kNetwork;
}

} // namespace program
