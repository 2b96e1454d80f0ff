#pragma once
// An entry may name its credentials as host/user/password. Wherever such a name is shown
// (report, log, output file, standard error) it is shown as host/user: the password leaves
// the program only towards the directory it authenticates to.

#include <QString>

namespace entry_name {

// host/user/password -> host/user; any other name unchanged. The password is everything
// after the second "/", so a password may itself contain "/".
QString shown(const QString& name);

// `text` with every occurrence of the full `name` replaced by its shown form, for texts (an
// error text) that quote the entry's name.
QString hide_password(const QString& text, const QString& name);

} // namespace entry_name
