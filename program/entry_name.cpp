#include "program/entry_name.h"

namespace entry_name {
namespace {

qsizetype second_slash(const QString& name)
{
    const qsizetype first = name.indexOf(u'/');
    return first < 0 ? -1 : name.indexOf(u'/', first + 1);
}

} // namespace

QString shown(const QString& name)
{
    const qsizetype cut = second_slash(name);
    return cut < 0 ? name : name.left(cut);
}

QString hide_password(const QString& text, const QString& name)
{
    const qsizetype cut = second_slash(name);
    if (cut < 0)
        return text;
    QString result = text;
    result.replace(name, shown(name));
    return result;
}

} // namespace entry_name
