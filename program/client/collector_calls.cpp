#include "program/client/collector_calls.h"

#include "program/client/com_error.h"

#include "platform/com/atl/com_ptr.h"
#include "platform/com/bstr.h"
#include "platform/com/safearray.h"
#include "platform/forms/core/vb_error.h"

namespace program {

void names_variant(const QStringList& names, VARIANT& out)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(names.size()));
    if (!array)
        forms::raise(forms::vberr::OutOfMemory);
    for (LONG i = 0; i < static_cast<LONG>(names.size()); ++i) {
        CComBSTR name(names[i].toStdU16String());
        const HRESULT hr = SafeArrayPutElement(array, &i, name.m_str);
        if (hr < 0) {
            SafeArrayDestroy(array);
            check(hr);
        }
    }
    out.vt = VT_ARRAY | VT_BSTR;
    out.parray = array;
}

QStringList names_of(const VARIANT& list)
{
    QStringList names;
    if (list.vt != (VT_ARRAY | VT_BSTR) || !list.parray || SafeArrayGetDim(list.parray) != 1)
        return names;
    LONG low = 0;
    LONG high = -1;
    SafeArrayGetLBound(list.parray, 1, &low);
    SafeArrayGetUBound(list.parray, 1, &high);
    for (LONG i = low; i <= high; ++i) {
        CComBSTR name;
        if (SafeArrayGetElement(list.parray, &i, &name.m_str) >= 0)
            names.append(QString::fromStdU16String(std::u16string(name.view())));
    }
    return names;
}

CollectorCalls collector_calls(IOstrelCollector* collector)
{
    return {[collector](const QStringList& names, std::int32_t mask) {
                CComVariant list;
                names_variant(names, list);
                check(collector->Collect(&list, static_cast<oxcOstrelCounter>(mask)));
            },
            [collector] { check(collector->Cancel()); }};
}

} // namespace program
