#include "platform/forms/hosting/control_registration.h"

#include "platform/forms/hosting/control_classes.h"
#include "platform/forms/hosting/public_classes.h"
#include "platform/win32/registry.h"
#include "platform/win32/win_errors.h"

#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace forms {

namespace {

LONG set_value(const QString& key, const QString& name, const QString& value)
{
    HKEY h = nullptr;
    const std::u16string k = key.toStdU16String();
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, k.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr);
    if (rc != static_cast<LONG>(ERROR_SUCCESS))
        return rc;
    const std::u16string n = name.toStdU16String(), v = value.toStdU16String();
    rc = RegSetValueExW(h, n.empty() ? nullptr : n.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                        static_cast<DWORD>((v.size() + 1) * sizeof(char16_t)));
    RegCloseKey(h);
    return rc;
}

HRESULT to_hresult(LONG rc) { return rc == 0 ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(rc)); }

struct Value {
    QString key, name, value;
};

// The keys of one class with an in-process module; `prog_id` empty for none.
void add_class_values(std::vector<Value>& values, const QString& clsid, const QString& prog_id,
                      const QString& type_name, const QString& path)
{
    const QString clsid_key = QStringLiteral("CLSID\\") + clsid;
    if (!prog_id.isEmpty()) {
        values.push_back({prog_id, {}, type_name});
        values.push_back({prog_id + QStringLiteral("\\CLSID"), {}, clsid});
    }
    values.push_back({clsid_key, {}, type_name});
    values.push_back({clsid_key + QStringLiteral("\\InprocServer32"), {}, path});
    values.push_back({clsid_key + QStringLiteral("\\InprocServer32"), QStringLiteral("ThreadingModel"),
                      QStringLiteral("Apartment")});
    if (!prog_id.isEmpty())
        values.push_back({clsid_key + QStringLiteral("\\ProgID"), {}, prog_id});
}

} // namespace

HRESULT register_module_controls(HMODULE module)
{
    const QString path = QString::fromStdString(win32::module_path(module));
    std::vector<Value> values;
    for (const auto& info : ControlClasses::of_module(module)) {
        add_class_values(values, info.clsid, info.prog_id, info.type_name, path);
        values.push_back({QStringLiteral("CLSID\\") + info.clsid + QStringLiteral("\\Control"), {}, {}});
    }
    for (const auto& info : PublicClasses::of_module(module)) {
        add_class_values(values, info.clsid, info.prog_id, info.type_name, path);
        values.push_back({QStringLiteral("Interface\\") + info.iid, {}, info.interface_name});
    }
    return win32::registry_batch([&] {
        for (const Value& v : values)
            if (const LONG rc = set_value(v.key, v.name, v.value); rc != 0)
                return to_hresult(rc);
        return S_OK;
    });
}

HRESULT unregister_module_controls(HMODULE module)
{
    QStringList keys;
    for (const auto& info : ControlClasses::of_module(module))
        keys << info.prog_id << QStringLiteral("CLSID\\") + info.clsid;
    for (const auto& info : PublicClasses::of_module(module)) {
        if (!info.prog_id.isEmpty())
            keys << info.prog_id;
        keys << QStringLiteral("CLSID\\") + info.clsid << QStringLiteral("Interface\\") + info.iid;
    }
    return win32::registry_batch([&] {
        for (const QString& key : keys) {
            const std::u16string k = key.toStdU16String();
            const LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, k.c_str());
            if (rc != 0 && rc != static_cast<LONG>(ERROR_FILE_NOT_FOUND))
                return to_hresult(rc);
        }
        return S_OK;
    });
}

} // namespace forms
