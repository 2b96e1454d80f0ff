#include "platform/forms/hosting/registered_class.h"

#include "platform/com/class_loader.h"
#include "platform/forms/core/vb_error.h"
#include "platform/win32/registry.h"

#include <string>

namespace forms {

namespace {

constexpr int32_t kCannotCreate = 429;

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
    CLSID clsid{};
    if (FAILED(com::class_id_from_name(class_name.trimmed().toStdU16String(), clsid))) {
        const std::string failure = win32::registry_failure();
        raise_cannot_create(class_name, failure.empty() ? QStringLiteral("the class is not registered")
                                                        : QString::fromStdString(failure));
    }
    const QString clsid_text = QString::fromStdU16String(com::guid_to_string(clsid));
    com::class_module module;
    std::string why;
    const HRESULT hr = com::load_class_module(clsid, module, &why);
    const QString module_path = QString::fromStdString(module.path);
    if (hr == REGDB_E_CLASSNOTREG)
        raise_cannot_create(class_name, why.empty() ? QStringLiteral("no module is registered for ") + clsid_text
                                                    : QString::fromStdString(why));
    if (FAILED(hr))
        raise_cannot_create(
            class_name, QStringLiteral("module %1 does not load: %2").arg(module_path, QString::fromStdString(why)));
    return RegisteredClass{clsid_text, module_path};
}

} // namespace forms
