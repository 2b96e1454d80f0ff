#include "platform/forms/core/warnings.h"

#include <cstdio>

namespace forms {

namespace {

WarningHandler& handler()
{
    static WarningHandler installed;
    return installed;
}

} // namespace

void report_warning(const QString& text)
{
    if (handler()) {
        handler()(text);
        return;
    }
    std::fprintf(stderr, "Warning: %s\n", text.toLocal8Bit().constData());
}

WarningHandler set_warning_handler(WarningHandler replacement)
{
    WarningHandler previous = std::move(handler());
    handler() = std::move(replacement);
    return previous;
}

} // namespace forms
