#pragma once
// The collector module's string table: numbered texts compiled into the module and
// registered for its handle on first use (utils::load_string reads them).

#include "platform/win32/module.h"
#include "platform/win32/string_table.h"

#include <span>

namespace collector_strings {

inline constexpr UINT IDS_PROJNAME = 100;
inline constexpr UINT IDS_TIMEOUT = 101;
inline constexpr UINT IDS_COLLECTION_FAILED = 103;
inline constexpr UINT IDS_FILTER_USER = 104;
inline constexpr UINT IDS_FILTER_ENABLED_USER = 105;
inline constexpr UINT IDS_FILTER_GLOBAL_GROUP = 107;
inline constexpr UINT IDS_FILTER_LOCAL_GROUP = 108;
inline constexpr UINT IDS_FILTER_WORKSTATION = 109;
inline constexpr UINT IDS_FILTER_DC = 110;
inline constexpr UINT IDS_FILTER_SERVER = 111;
inline constexpr UINT IDS_FILTER_EXCHANGE_SERVER = 112;
inline constexpr UINT IDS_FILTER_MAIL_ENABLED_USER = 113;
inline constexpr UINT IDS_FILTER_MAILBOX_ENABLED_USER = 114;
inline constexpr UINT IDS_FILTER_MAIL_ENABLED_GROUP = 115;
inline constexpr UINT IDS_FILTER_CONTACT = 116;
inline constexpr UINT IDS_FILTER_EXCHANGE5_SERVERS = 117;
inline constexpr UINT IDS_FILTER_EXCHANGE5_MAILBOX = 118;
inline constexpr UINT IDS_FILTER_ORGANIZATION = 119;
inline constexpr UINT IDS_NO_EXCHANGE_ORGANIZATION = 120;
inline constexpr UINT IDS_FILTER_UNKNOWN_COMPUTER = 121;
inline constexpr UINT IDS_FILTER_UNIVERSAL_GROUP = 122;
inline constexpr UINT IDS_FILTER_SERVER_BY_CN = 123;
inline constexpr UINT IDS_FILTER_MSA = 124;
inline constexpr UINT IDS_FILTER_LYNC_ENABLED_USER = 125;

// The whole table, in id order.
std::span<const win32::string_resource> entries();

// The handle whose table holds these texts; registers the table on the first call.
HINSTANCE module();

} // namespace collector_strings
