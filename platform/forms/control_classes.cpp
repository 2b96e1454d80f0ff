#include "platform/forms/control_classes.h"

#include <mutex>

namespace forms {

namespace {

std::mutex& table_mutex()
{
    static std::mutex m;
    return m;
}

std::vector<ControlClassInfo>& table()
{
    static std::vector<ControlClassInfo> t;
    return t;
}

QString normal_clsid(const QString& s)
{
    QString c = s.trimmed().toUpper();
    if (!c.startsWith(QLatin1Char('{')))
        c = QLatin1Char('{') + c + QLatin1Char('}');
    return c;
}

} // namespace

void ControlClasses::add(ControlClassInfo info)
{
    info.clsid = normal_clsid(info.clsid);
    std::lock_guard lock(table_mutex());
    for (auto& existing : table())
        if (existing.clsid == info.clsid) {
            existing = std::move(info);
            return;
        }
    table().push_back(std::move(info));
}

const ControlClassInfo* ControlClasses::find(const QString& name)
{
    std::lock_guard lock(table_mutex());
    const QString clsid = normal_clsid(name);
    for (const auto& info : table())
        if (info.clsid == clsid || info.prog_id.compare(name, Qt::CaseInsensitive) == 0)
            return &info;
    return nullptr;
}

std::vector<ControlClassInfo> ControlClasses::of_module(HMODULE module)
{
    std::lock_guard lock(table_mutex());
    std::vector<ControlClassInfo> out;
    for (const auto& info : table())
        if (info.module == module)
            out.push_back(info);
    return out;
}

} // namespace forms
