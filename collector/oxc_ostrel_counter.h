#pragma once
// The counter enumeration of the type library: bit flags, usable as a mask. Every count the
// collector reports is keyed by one of these; -1 as a count means "no data".

#include "platform/win32/win_types.h"

enum oxcOstrelCounter : LONG {
    oxcAll = -1,
    oxcDC = 1,
    oxcServer = 2,
    oxcWorkstation = 4,
    oxcUnknownComputerType = 8,
    oxcGlobalGroup = 16,
    oxcLocalGroup = 32,
    oxcUser = 64,
    oxcEnabledUser = 128,
    oxcExchangeServer = 256,
    oxcMailEnabledUser = 512,
    oxcMailboxEnabledUser = 1024,
    oxcMailEnabledGroup = 2048,
    oxcContact = 4096,
    oxcUniversalGroup = 8192,
    oxcMSA = 16384,
    oxcLyncEnabledUser = 65536,
    // Every domain counter; bit 32768 belongs to no counter.
    oxcNetwork = 131071,
    oxcExchange5Servers = 131072,
    oxcExchange5Mailbox = 262144,
    oxcExchange5 = 393216,
};
