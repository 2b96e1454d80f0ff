#pragma once
// Resources: the one object through which the program reads its strings, icons and bitmaps
// by number. Each kind has its own cache, keyed "K" and the number; whatever a load yields
// (an empty text or no picture included) is cached, so each resource is read from the
// module at most once per run. Failures never reach the caller.

#include <QIcon>
#include <QImage>
#include <QString>

#include "platform/forms/core/collection.h"

#include <cstdint>

namespace program {

// The bitmaps and icons by what each one is (the strings' numbers are in program_strings.h).
inline constexpr std::int32_t IDB_WATERMARK = 101;     // the navigator's watermark
inline constexpr std::int32_t IDB_BANNER = 102;        // the navigator's banner
inline constexpr std::int32_t IDB_WATERMARK_BIG = 113; // the large watermark
inline constexpr std::int32_t IDB_BANNER_BIG = 114;    // the large banner
inline constexpr std::int32_t IDI_PROGRAM_FILE = 1;    // the program file's own icon
inline constexpr std::int32_t IDI_WIZARD = 101;        // the main form's icon
inline constexpr std::int32_t IDI_NETWORK = 102;       // network mode: progress panel, a domain in a list
inline constexpr std::int32_t IDI_EXCHANGE5 = 103;     // Exchange 5.5 mode: progress panel, a server in a list

class Resources {
public:
    Resources();

    QString LoadString(std::int32_t nID);
    QIcon LoadIcon(std::int32_t nID);
    QImage LoadBitmap(std::int32_t nID);

    // The program's shared object, made on first use (Main makes it first).
    static Resources& Shared();

private:
    static QString Key(std::int32_t nID);

    forms::Collection m_colStrings;
    forms::Collection m_colIcons;
    forms::Collection m_colBitmaps;
};

} // namespace program
