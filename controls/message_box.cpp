#include "controls/message_box.h"

#include "controls/library_info.h"
#include "platform/forms/services/message_box.h"

namespace kycomctl {

std::int32_t show_message(const QString& prompt, std::int32_t buttons, const QString& title)
{
    return forms::MsgBox(prompt, buttons, title.isEmpty() ? application_title() : title);
}

QString error_text(std::int32_t number, const QString& description)
{
    return QStringLiteral("Error: ") + QString::number(number) + QStringLiteral("\r\n") + description;
}

} // namespace kycomctl
