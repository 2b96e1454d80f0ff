#pragma once
// The one reading of an entry's name, for the collector that binds with it and the program that
// shows it: a domain or server name, or "host/user/password" to bind with that user and password
// instead of the caller's own credentials. The password is everything after the second "/", so
// it may hold "/" itself; a single "/" names a user and an empty password.

#include <optional>
#include <string>
#include <string_view>

namespace win32 {

struct entry_name {
    std::u16string host;
    // Set for the host/user[/password] form.
    std::optional<std::u16string> user;
    std::u16string password;
    // True when a second "/" gave a password (an empty one too): a name written with its
    // password, as opposed to "host/user".
    bool password_given = false;

    bool has_credentials() const { return user.has_value(); }
    // The entry as it may be shown in a line of text: the host, and "/" and the user when
    // there is one; never the password.
    std::u16string shown() const;
};

entry_name parse_entry_name(std::u16string_view name);

} // namespace win32
