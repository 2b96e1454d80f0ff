#include "platform/forms/services/beep.h"

#include <QApplication>

#include <utility>

namespace forms {

namespace {
std::function<void()>& handler()
{
    static std::function<void()> installed;
    return installed;
}
} // namespace

void Beep()
{
    if (handler())
        handler()();
    else if (qApp != nullptr)
        QApplication::beep();
}

std::function<void()> set_beep_handler(std::function<void()> replacement)
{
    return std::exchange(handler(), std::move(replacement));
}

} // namespace forms
