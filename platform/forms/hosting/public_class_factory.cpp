#include "platform/forms/hosting/public_class_factory.h"

#include "platform/com/atl/com_object.h"
#include "platform/com/atl/com_ptr.h"
#include "platform/forms/hosting/control_classes.h"
#include "platform/forms/core/dispatch_bridge.h"
#include "platform/forms/hosting/object_dispatch.h"

#include <new>

namespace forms {

namespace {

// The class object of one creatable public class.
class PublicClassFactory final : public com::class_factory_base {
public:
    explicit PublicClassFactory(const PublicClassInfo& info) : info_(info) {}

    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION; // the object is its dispatch: nothing to aggregate
        std::shared_ptr<QObject> object = info_.create();
        if (!object)
            return E_OUTOFMEMORY;
        CComPtr<IDispatch> dispatch;
        if (HRESULT hr = dispatch_of_created(std::move(object), &dispatch); FAILED(hr))
            return hr;
        return dispatch->QueryInterface(riid, ppv);
    }
    // The module stays loaded for the life of the process (the class loader never unloads).
    HRESULT LockServer(BOOL) override { return S_OK; }

private:
    ~PublicClassFactory() override = default;
    const PublicClassInfo& info_; // the class table's entries never move
};

} // namespace

const PublicClassInfo* creatable_public_class(const QString& clsid, HMODULE module, QString& why)
{
    const PublicClassInfo* info = PublicClasses::find(clsid);
    if (info == nullptr || (module != nullptr && info->module != module)) {
        const ControlClassInfo* control = ControlClasses::find(clsid);
        if (control != nullptr && (module == nullptr || control->module == module))
            why = QStringLiteral("%1 is a control class: a form places it").arg(control->type_name);
        else
            why = QStringLiteral("the module does not provide %1").arg(clsid);
        return nullptr;
    }
    if (!info->creatable()) {
        why = QStringLiteral("%1 is not creatable: the library hands out its objects, a host cannot create one")
                  .arg(info->type_name);
        return nullptr;
    }
    return info;
}

HRESULT get_class_object(HMODULE module, REFCLSID clsid, REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    QString why;
    const PublicClassInfo* info =
        creatable_public_class(QString::fromStdU16String(com::guid_to_string(clsid)), module, why);
    if (info == nullptr) {
        set_error_info(why);
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    auto* factory = new (std::nothrow) PublicClassFactory(*info);
    if (factory == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

} // namespace forms
