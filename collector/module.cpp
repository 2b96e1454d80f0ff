// The module object of OstrelCollector: the object map, the registration scripts, the type
// library, the back ends its collector objects count over, and the four exported entry
// points.

#include "platform/com/atl/module.h"
#include "collector/collector_strings.h"
#include "collector/module_backends.h"
#include "collector/ostrel_collector.h"
#include "collector/ostrel_collector_library.h"
#include "collector/ostrel_info.h"
#include "collector/ostrel_info_collection.h"
#include "collector/registry_scripts.h"

namespace {

CComModule _Module;

const module_backends& backends();

// The module's collector object: the class a client creates, over the module's back ends.
class module_collector : public COstrelCollector {
public:
    DECLARE_AGGREGATABLE(module_collector)
    module_collector() : COstrelCollector(backends().directory, backends().network) {}
};

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_OstrelCollector, module_collector)
OBJECT_ENTRY(CLSID_OstrelInfo, COstrelInfo)
OBJECT_ENTRY(CLSID_OstrelInfoCollection, COstrelInfoCollection)
END_OBJECT_MAP()

// Stands in for the process attach and detach; defined after _Module so it runs once
// _Module is constructed.
struct module_lifetime {
    module_lifetime()
    {
        _Module.Init(ObjectMap, win32::current_module(), &LIBID_OSTRELCOLLECTORLib);
        for (int id : {registry_scripts::IDR_OSTRELCOLLECTOR, registry_scripts::IDR_OSTRELINFO,
                       registry_scripts::IDR_OSTRELINFOCOLLECTION})
            _Module.set_registry_script(static_cast<UINT>(id), registry_scripts::script(id));
        _Module.set_type_library(&ostrel_collector_library());
        collector_strings::module(); // the string table is there from the start
    }
    ~module_lifetime() { _Module.Term(); }
    const module_backends backends = make_module_backends();
} lifetime;

const module_backends& backends() { return lifetime.backends; }

} // namespace

extern "C" [[gnu::visibility("default")]] HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    return _Module.DllGetClassObject(clsid, riid, ppv);
}
extern "C" [[gnu::visibility("default")]] HRESULT DllCanUnloadNow() { return _Module.DllCanUnloadNow(); }
extern "C" [[gnu::visibility("default")]] HRESULT DllRegisterServer() { return _Module.DllRegisterServer(TRUE); }
extern "C" [[gnu::visibility("default")]] HRESULT DllUnregisterServer() { return _Module.DllUnregisterServer(TRUE); }
