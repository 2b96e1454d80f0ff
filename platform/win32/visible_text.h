#pragma once
// Text from outside (a server's, a user's) as one line of a report or a log shows it. Such a
// text becomes a cell of a TAB-joined row, a line of the session log or the name of an INI
// section: a TAB would shift every count one column, CR or LF would start a line of its own and
// "]" would close a section early, so that a server could forge report lines. Each such
// character is replaced by one a person can see and no text breaks at: a control character by
// its Unicode control picture (TAB by U+2409, CR by U+240D, LF by U+240A, DEL by U+2421), one
// with no picture (U+0080 to U+009F, the line and paragraph separators) by U+FFFD, and "]" by
// the full-width U+FF3D. Every other character stays as it is, so ordinary text is unchanged,
// and a text already made visible stays the same when made visible again.
//
// The one such mapping of the system: the collector's error lines and the program's report and
// session log use it alike.

#include <string>
#include <string_view>

namespace win32 {

std::u16string visible_text(std::u16string_view text);

// `text` made of lines that each end in CR LF (an error text): each line made visible, the CR LF
// that ends it kept, so the text keeps its own lines and gains none.
std::u16string visible_lines(std::u16string_view text);

} // namespace win32
