#pragma once
// The library's message boxes, shown through the forms runtime's message-box service (which
// tests replace with a recorder). A box without a title of its own carries the library's
// application title.

#include <QString>

#include <cstdint>

namespace kycomctl {

inline constexpr std::int32_t vbOKOnly = 0;
inline constexpr std::int32_t vbCritical = 16;
inline constexpr std::int32_t vbExclamation = 48;

// Shows `prompt` with the style `buttons`; an empty `title` means the library's title.
// Returns the button the user chose.
std::int32_t show_message(const QString& prompt, std::int32_t buttons, const QString& title);

// "Error: " & number & CR LF & description, the text of every error box of the library.
QString error_text(std::int32_t number, const QString& description);

} // namespace kycomctl
