#pragma once
// An entry of a collection: a domain or server name, or "host/user/password" to bind with that
// user and password instead of the caller's own credentials. The password is everything after
// the second "/", so it may hold "/" itself; a single "/" gives an empty password.

#include <optional>
#include <string>
#include <string_view>

struct entry_name {
    std::u16string host;
    // Set for the host/user/password form.
    std::optional<std::u16string> user;
    std::u16string password;

    bool has_credentials() const { return user.has_value(); }
    // The entry as it may be shown in a line of text: the host, and "/" and the user when
    // there is one; never the password.
    std::u16string shown() const;
};

entry_name parse_entry_name(std::u16string_view name);
