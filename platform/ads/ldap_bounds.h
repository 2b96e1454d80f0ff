#pragma once
// What a directory server may send before the layer refuses it. A server is trusted with no
// more than a count needs: one message (an entry, a page's end, a bind's answer) of at most
// kMaxIncomingMessage bytes, and a paged search of at most kMaxPages pages. A server that
// breaks a bound ends the operation with kRefusedAnswerCode and a last-error text saying which
// bound it broke.

#include "platform/win32/win_types.h"

#include <cstddef>

namespace ads {

// libldap's own bound on an incoming message (its socket buffer's maximum), set on every
// session: a message that announces more is refused at its header, before anything of it is
// held, and the connection is dropped. 16 MiB is far above any entry a count reads (a count
// asks for one attribute); a SASL security layer has its own smaller bound below this one.
inline constexpr std::size_t kMaxIncomingMessage = std::size_t{16} << 20;

// 100,000 pages are ten million objects at the collector's 100 a page.
inline constexpr long kMaxPages = 100000;

// ERROR_INVALID_DATA ("the data is invalid"): the system message table has no text of its own
// for it, so a caller's description of the failure is the layer's text, which names the bound.
inline constexpr DWORD kRefusedAnswerCode = 13;

} // namespace ads
