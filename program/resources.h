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
