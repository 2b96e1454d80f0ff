#include "platform/forms/registered_class.h"

#include "platform/forms/vb_error.h"
#include "platform/win32/registry.h"

#include <dlfcn.h>

#include <optional>
#include <string>
#include <vector>

namespace forms {

namespace {

constexpr int32_t kCannotCreate = 429;

std::u16string u16(const QString& s) { return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), s.size()); }

std::optional<QString> default_value(const QString& key)
{
    HKEY h = nullptr;
    const std::u16string k = u16(key);
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, k.c_str(), 0, KEY_READ, &h) != 0)
        return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<QString> result;
    if (RegQueryValueExW(h, nullptr, nullptr, &type, nullptr, &size) == 0 && type == REG_SZ) {
        std::vector<char16_t> buffer(size / sizeof(char16_t) + 1, u'\0');
        if (RegQueryValueExW(h, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size) == 0)
            result = QString::fromUtf16(buffer.data());
    }
    RegCloseKey(h);
    return result;
}

} // namespace

QString normal_clsid(const QString& clsid)
{
    QString c = clsid.trimmed().toUpper();
    if (!c.startsWith(QLatin1Char('{')))
        c = QLatin1Char('{') + c + QLatin1Char('}');
    return c;
}

void raise_cannot_create(const QString& class_name, const QString& why)
{
    raise(kCannotCreate, class_name,
          QStringLiteral("ActiveX component can't create object: %1 (%2)").arg(class_name, why));
}

RegisteredClass load_registered_class(const QString& class_name)
{
    QString clsid = class_name.trimmed();
    if (!clsid.startsWith(QLatin1Char('{'))) {
        auto found = default_value(clsid + QStringLiteral("\\CLSID"));
        if (!found || found->isEmpty())
            raise_cannot_create(class_name, QStringLiteral("the class is not registered"));
        clsid = *found;
    }
    clsid = clsid.toUpper();
    auto module = default_value(QStringLiteral("CLSID\\") + clsid + QStringLiteral("\\InprocServer32"));
    if (!module || module->isEmpty())
        raise_cannot_create(class_name, QStringLiteral("no module is registered for ") + clsid);
    if (!dlopen(module->toUtf8().constData(), RTLD_NOW | RTLD_LOCAL)) {
        const char* error = dlerror();
        raise_cannot_create(class_name, QStringLiteral("module %1 does not load: %2")
                                            .arg(*module, QString::fromLocal8Bit(error ? error : "unknown error")));
    }
    return RegisteredClass{normal_clsid(clsid), *module};
}

} // namespace forms
