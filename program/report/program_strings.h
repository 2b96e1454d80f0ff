#pragma once
// The program's string table (numbers 101 to 161), compiled into the program and registered
// for the module it is linked into, and the plain uncached resource-string call that some
// pages use instead of the Resources cache.

#include "platform/win32/string_table.h"

#include <QString>

#include <span>

namespace program {

// The strings by what each one is.
inline constexpr UINT IDS_WELCOME_TITLE = 101;              // welcome page: title
inline constexpr UINT IDS_WELCOME_TEXT = 102;               // welcome page: text
inline constexpr UINT IDS_SELECT_DOMAINS_DESCRIPTION = 103; // domain page: description
inline constexpr UINT IDS_SELECT_DOMAINS_TITLE = 104;       // domain page: title
inline constexpr UINT IDS_PROCESSING_TITLE = 105;           // processing page, network mode: title
inline constexpr UINT IDS_PROCESSING_DESCRIPTION = 106;     // processing page, network mode: description
inline constexpr UINT IDS_RESULTS_TITLE = 107;              // results page: title
inline constexpr UINT IDS_RESULTS_DESCRIPTION = 108;        // results page, network mode: description
inline constexpr UINT IDS_FINISH_TITLE = 112;               // finish page: title
inline constexpr UINT IDS_FINISH_TEXT = 113;                // finish page: text
inline constexpr UINT IDS_ALREADY_IN_LIST = 116;            // a name added to a list that holds it already
inline constexpr UINT IDS_COLUMN_DOMAIN = 117;              // name column, network mode
inline constexpr UINT IDS_COLUMN_DCS = 118;
inline constexpr UINT IDS_COLUMN_SERVERS = 119;
inline constexpr UINT IDS_COLUMN_WORKSTATIONS = 120;
inline constexpr UINT IDS_COLUMN_UNKNOWN_COMPUTERS = 121;
inline constexpr UINT IDS_COLUMN_GLOBAL_GROUPS = 122;
inline constexpr UINT IDS_COLUMN_LOCAL_GROUPS = 123;
inline constexpr UINT IDS_COLUMN_USERS = 124;
inline constexpr UINT IDS_COLUMN_ENABLED_USERS = 125;
inline constexpr UINT IDS_WIZARD_CAPTION = 127;                   // the main form's caption
inline constexpr UINT IDS_UNUSED_150 = 129;                       // in the table, loaded by nothing
inline constexpr UINT IDS_PROGRESS_DESCRIPTION = 131;             // progress panel: description
inline constexpr UINT IDS_PROGRESS_STEP_DOMAINS = 132;            // progress step, network mode
inline constexpr UINT IDS_LOG_START = 133;                        // session log: start line
inline constexpr UINT IDS_LOG_CANCEL = 134;                       // session log: cancel line
inline constexpr UINT IDS_LOG_END = 135;                          // session log: end line
inline constexpr UINT IDS_PROGRESS_STEP_EXCHANGE5 = 136;          // progress step, Exchange 5.5 mode
inline constexpr UINT IDS_PROCESSING_TITLE_EXCHANGE5 = 137;       // processing page, Exchange 5.5 mode: title
inline constexpr UINT IDS_PROCESSING_DESCRIPTION_EXCHANGE5 = 138; // processing page, Exchange 5.5 mode: description
inline constexpr UINT IDS_COLUMN_EXCHANGE_SERVERS = 139;          // both modes
inline constexpr UINT IDS_COLUMN_MAILBOX_ENABLED_USERS = 140;
inline constexpr UINT IDS_COLUMN_MAIL_MAILBOX_ENABLED_USERS = 141;
inline constexpr UINT IDS_COLUMN_MAIL_ENABLED_GROUPS = 142;
inline constexpr UINT IDS_COLUMN_CONTACTS = 143;
inline constexpr UINT IDS_NO_DATA = 144;             // a count the collector could not take
inline constexpr UINT IDS_ERRORS_DETECTED = 145;     // the results page's errors label (%n: the count)
inline constexpr UINT IDS_COLUMN_ORGANIZATION = 146; // name column, Exchange 5.5 mode
inline constexpr UINT IDS_COLUMN_MAILBOXES = 147;
inline constexpr UINT IDS_USAGE = 148;                            // the command line's usage box
inline constexpr UINT IDS_SELECT_OPTION_TITLE = 149;              // options page: title
inline constexpr UINT IDS_SELECT_OPTION_DESCRIPTION = 150;        // options page: description
inline constexpr UINT IDS_COLLECT_OPTIONS_LABEL = 151;            // options page: the options' label
inline constexpr UINT IDS_OPTION_NETWORK = 152;                   // options page: the network option
inline constexpr UINT IDS_OPTION_EXCHANGE5 = 153;                 // options page: the Exchange 5.5 option
inline constexpr UINT IDS_SELECT_ORGANIZATIONS_TITLE = 154;       // organization page: title
inline constexpr UINT IDS_SELECT_ORGANIZATIONS_DESCRIPTION = 155; // organization page: description
inline constexpr UINT IDS_XML_COMMENT = 156;                      // the XML text's comment (%d: the date)
inline constexpr UINT IDS_RESULTS_DESCRIPTION_EXCHANGE5 = 157;    // results page, Exchange 5.5 mode: description
inline constexpr UINT IDS_COLUMN_UNIVERSAL_GROUPS = 158;
inline constexpr UINT IDS_COLUMN_MSA = 159;
inline constexpr UINT IDS_COLUMN_LYNC_ENABLED_USERS = 160;
inline constexpr UINT IDS_RESULTS_NOT_HANDED_OUT = 161; // closing with results neither saved, copied nor printed

// Every entry of the table, in number order.
std::span<const win32::string_resource> string_table();

// Registers the table for this module once; every reader calls it first, so the table is
// there whichever object of the program is used first.
void register_strings();

// Text `id` read straight from the module's string table (no cache); empty when there is
// no such string.
QString load_res_string(UINT id);

} // namespace program
