#include "program/report/entry_name.h"

#include "platform/win32/entry_name.h"

namespace program {
namespace {

win32::entry_name parsed(const QString& name)
{
    return win32::parse_entry_name(
        std::u16string_view(reinterpret_cast<const char16_t*>(name.utf16()), static_cast<std::size_t>(name.size())));
}

} // namespace

QString shown_entry_name(const QString& name) { return QString::fromStdU16String(parsed(name).shown()); }

QString hide_entry_password(const QString& text, const QString& name)
{
    if (!parsed(name).password_given)
        return text;
    QString result = text;
    result.replace(name, shown_entry_name(name));
    return result;
}

QString entry_names_refusal(const QStringList& names, bool fromCommandLine)
{
    bool afterPassword = false;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        const QString position = QString::number(i + 1);
        for (const QChar c : name)
            if (c.category() == QChar::Other_Control)
                return QStringLiteral("domain name ") + position +
                       QStringLiteral(" holds a control character (such as CR, LF, TAB or ESC); nothing was counted.");
        const bool hasPassword = parsed(name).password_given;
        if (fromCommandLine && afterPassword && !hasPassword)
            return QStringLiteral("domain name ") + position +
                   QStringLiteral(" follows a name with a password but has none. A password cannot hold a comma "
                                  "(/domain: separates names at every comma): use a Kerberos ticket (kinit) "
                                  "instead, and put names with a password last. Nothing was counted.");
        afterPassword = afterPassword || hasPassword;
    }
    return QString();
}

} // namespace program
