#include "platform/forms/control_registration.h"

#include "platform/forms/control_classes.h"
#include "platform/win32/registry.h"
#include "platform/win32/win_errors.h"

namespace forms {

namespace {

std::u16string u16(const QString& s) { return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), s.size()); }

LONG set_value(const QString& key, const QString& name, const QString& value)
{
    HKEY h = nullptr;
    const std::u16string k = u16(key);
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, k.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr);
    if (rc != static_cast<LONG>(ERROR_SUCCESS))
        return rc;
    const std::u16string n = u16(name), v = u16(value);
    rc = RegSetValueExW(h, n.empty() ? nullptr : n.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                        static_cast<DWORD>((v.size() + 1) * sizeof(char16_t)));
    RegCloseKey(h);
    return rc;
}

HRESULT to_hresult(LONG rc) { return rc == 0 ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(rc)); }

} // namespace

HRESULT register_module_controls(HMODULE module)
{
    const QString path = QString::fromStdString(win32::module_path(module));
    for (const auto& info : ControlClasses::of_module(module)) {
        const QString clsid_key = QStringLiteral("CLSID\\") + info.clsid;
        for (LONG rc : {set_value(info.prog_id, {}, info.type_name),
                        set_value(info.prog_id + QStringLiteral("\\CLSID"), {}, info.clsid),
                        set_value(clsid_key, {}, info.type_name),
                        set_value(clsid_key + QStringLiteral("\\InprocServer32"), {}, path),
                        set_value(clsid_key + QStringLiteral("\\InprocServer32"), QStringLiteral("ThreadingModel"),
                                  QStringLiteral("Apartment")),
                        set_value(clsid_key + QStringLiteral("\\ProgID"), {}, info.prog_id),
                        set_value(clsid_key + QStringLiteral("\\Control"), {}, {})})
            if (rc != 0)
                return to_hresult(rc);
    }
    return S_OK;
}

HRESULT unregister_module_controls(HMODULE module)
{
    for (const auto& info : ControlClasses::of_module(module)) {
        for (const QString& key : {info.prog_id, QStringLiteral("CLSID\\") + info.clsid}) {
            const std::u16string k = u16(key);
            const LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, k.c_str());
            if (rc != 0 && rc != static_cast<LONG>(ERROR_FILE_NOT_FOUND))
                return to_hresult(rc);
        }
    }
    return S_OK;
}

} // namespace forms
