#include "program/report/entry_name.h"

namespace program {
namespace {

qsizetype second_slash(const QString& name)
{
    const qsizetype first = name.indexOf(u'/');
    return first < 0 ? -1 : name.indexOf(u'/', first + 1);
}

} // namespace

QString shown_entry_name(const QString& name)
{
    const qsizetype cut = second_slash(name);
    return cut < 0 ? name : name.left(cut);
}

QString hide_entry_password(const QString& text, const QString& name)
{
    const qsizetype cut = second_slash(name);
    if (cut < 0)
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
        const bool hasPassword = second_slash(name) >= 0;
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
