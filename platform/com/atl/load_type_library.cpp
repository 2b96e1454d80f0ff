// A registered type library, as a client finds it: through HKCR\TypeLib to the module that
// describes it.

#include "platform/com/atl/type_library.h"

#include "platform/com/class_loader.h"
#include "platform/com/class_registry_reader.h"
#include "platform/win32/text.h"

#include <string>

namespace com::tlb {

HRESULT load_registered_type_lib(REFGUID libid, WORD major, WORD minor, ITypeLib** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    const std::string version = std::to_string(major) + "." + std::to_string(minor);
    const std::u16string key = u"TypeLib\\" + com::guid_to_string(libid) + u"\\" +
                               std::u16string(version.begin(), version.end()) + u"\\0\\win32";
    const auto path = com::detail::read_classes_string(key);
    if (!path || path->empty())
        return TYPE_E_LIBNOTREGISTERED;
    class_module module;
    if (FAILED(load_module_file(win32::utf16_to_utf8(*path), module)))
        return TYPE_E_CANTLOADLIBRARY;
    const library_desc* library = find_library(libid);
    if (library == nullptr || library->major != major || library->minor != minor)
        return TYPE_E_CANTLOADLIBRARY;
    return create_type_lib(*library, out);
}

} // namespace com::tlb
