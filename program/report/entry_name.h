#pragma once
// An entry may name its credentials as host/user/password. Wherever such a name is shown
// (report, log, output file, standard error) it is shown as host/user: the password leaves
// the program only towards the directory it authenticates to.

#include <QString>
#include <QStringList>

namespace program {

// host/user/password -> host/user; any other name unchanged. The name is read as the
// collector reads it (platform/win32/entry_name.h).
QString shown_entry_name(const QString& name);

// `text` with every occurrence of the full `name` replaced by its shown form, for texts (an
// error text) that quote the entry's name.
QString hide_entry_password(const QString& text, const QString& name);

// Why a list of names must not be collected, or an empty text when it may be:
// - a name holding a control character (CR, LF, TAB, an escape sequence) would forge lines
//   and sections of the report and the log;
// - with `fromCommandLine`, a name without a password after one with a password is most
//   likely the tail of a password that held a comma (/domain: splits at every comma), and
//   that tail must go nowhere: not to a resolver, not into any text.
// The text names the entry by its position only, never by its content.
QString entry_names_refusal(const QStringList& names, bool fromCommandLine);

} // namespace program
