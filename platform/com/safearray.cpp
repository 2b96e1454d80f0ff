#include "platform/com/safearray.h"

#include "platform/com/dispatch.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace {

// The element type is kept in a header just before the descriptor.
struct alignas(std::max_align_t) array_header {
    VARTYPE vt;
};

array_header* header_of(SAFEARRAY* psa)
{
    return reinterpret_cast<array_header*>(reinterpret_cast<char*>(psa) - sizeof(array_header));
}

ULONG element_size(VARTYPE vt)
{
    switch (vt) {
    case VT_I1:
    case VT_UI1: return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL: return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR: return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE: return 8;
    case VT_BSTR: return sizeof(BSTR);
    case VT_DISPATCH:
    case VT_UNKNOWN: return sizeof(void*);
    case VT_VARIANT: return sizeof(VARIANT);
    default: return 0;
    }
}

USHORT features_of(VARTYPE vt)
{
    switch (vt) {
    case VT_BSTR: return FADF_BSTR | FADF_HAVEVARTYPE;
    case VT_UNKNOWN: return FADF_UNKNOWN | FADF_HAVEVARTYPE;
    case VT_DISPATCH: return FADF_DISPATCH | FADF_HAVEVARTYPE;
    case VT_VARIANT: return FADF_VARIANT | FADF_HAVEVARTYPE;
    default: return FADF_HAVEVARTYPE;
    }
}

// Number of elements, or false when the product does not fit.
bool total_elements(const SAFEARRAY* psa, std::size_t& count)
{
    std::size_t n = 1;
    for (USHORT i = 0; i < psa->cDims; ++i) {
        std::size_t c = psa->rgsabound[i].cElements;
        if (c != 0 && n > std::numeric_limits<std::size_t>::max() / c)
            return false;
        n *= c;
    }
    count = n;
    return true;
}

void clear_elements(SAFEARRAY* psa, std::size_t from, std::size_t to)
{
    char* data = static_cast<char*>(psa->pvData);
    if (data == nullptr)
        return;
    for (std::size_t i = from; i < to; ++i) {
        void* e = data + i * psa->cbElements;
        if (psa->fFeatures & FADF_BSTR) {
            BSTR* s = static_cast<BSTR*>(e);
            SysFreeString(*s);
            *s = nullptr;
        } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
            IUnknown** p = static_cast<IUnknown**>(e);
            if (*p != nullptr)
                (*p)->Release();
            *p = nullptr;
        } else if (psa->fFeatures & FADF_VARIANT) {
            VariantClear(static_cast<VARIANT*>(e));
        }
    }
}

// Offset of an element from its indices (leftmost first; leftmost varies fastest).
HRESULT offset_of(SAFEARRAY* psa, const LONG* indices, std::size_t& offset)
{
    std::size_t off = 0;
    std::size_t stride = 1;
    for (USHORT d = 0; d < psa->cDims; ++d) {
        // rgsabound is stored in reverse: dimension d (0 = leftmost) is at cDims-1-d.
        const SAFEARRAYBOUND& b = psa->rgsabound[psa->cDims - 1 - d];
        LONGLONG rel = static_cast<LONGLONG>(indices[d]) - b.lLbound;
        if (rel < 0 || rel >= static_cast<LONGLONG>(b.cElements))
            return DISP_E_BADINDEX;
        off += static_cast<std::size_t>(rel) * stride;
        stride *= b.cElements;
    }
    offset = off;
    return S_OK;
}

SAFEARRAY* allocate_descriptor(UINT cDims)
{
    std::size_t size = sizeof(array_header) + sizeof(SAFEARRAY) +
                       (cDims > 1 ? (cDims - 1) * sizeof(SAFEARRAYBOUND) : 0);
    char* block = static_cast<char*>(std::calloc(1, size));
    if (block == nullptr)
        return nullptr;
    return reinterpret_cast<SAFEARRAY*>(block + sizeof(array_header));
}

void free_descriptor(SAFEARRAY* psa) { std::free(header_of(psa)); }

HRESULT copy_element(VARTYPE vt, const void* from, void* to)
{
    switch (vt) {
    case VT_BSTR: {
        BSTR src = *static_cast<const BSTR*>(from);
        BSTR copy = nullptr;
        if (src != nullptr) {
            copy = SysAllocStringByteLen(reinterpret_cast<const char*>(src), SysStringByteLen(src));
            if (copy == nullptr)
                return E_OUTOFMEMORY;
        }
        *static_cast<BSTR*>(to) = copy;
        return S_OK;
    }
    case VT_UNKNOWN:
    case VT_DISPATCH: {
        IUnknown* p = *static_cast<IUnknown* const*>(from);
        if (p != nullptr)
            p->AddRef();
        *static_cast<IUnknown**>(to) = p;
        return S_OK;
    }
    case VT_VARIANT: {
        VARIANT* dest = static_cast<VARIANT*>(to);
        VariantInit(dest);
        return VariantCopy(dest, static_cast<const VARIANT*>(from));
    }
    default: std::memcpy(to, from, element_size(vt)); return S_OK;
    }
}

} // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound)
{
    ULONG size = element_size(vt);
    if (size == 0 || cDims == 0 || cDims > 0xFFFF || rgsabound == nullptr)
        return nullptr;
    SAFEARRAY* psa = allocate_descriptor(cDims);
    if (psa == nullptr)
        return nullptr;
    header_of(psa)->vt = vt;
    psa->cDims = static_cast<USHORT>(cDims);
    psa->fFeatures = features_of(vt);
    psa->cbElements = size;
    for (UINT i = 0; i < cDims; ++i) {
        psa->rgsabound[cDims - 1 - i] = rgsabound[i];
    }
    std::size_t count = 0;
    if (!total_elements(psa, count) || count > std::numeric_limits<std::size_t>::max() / size) {
        free_descriptor(psa);
        return nullptr;
    }
    if (count != 0) {
        psa->pvData = std::calloc(count, size);
        if (psa->pvData == nullptr) {
            free_descriptor(psa);
            return nullptr;
        }
    }
    return psa;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements)
{
    SAFEARRAYBOUND bound{cElements, lLbound};
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroyData(SAFEARRAY* psa)
{
    if (psa == nullptr)
        return E_INVALIDARG;
    if (psa->cLocks != 0)
        return DISP_E_ARRAYISLOCKED;
    std::size_t count = 0;
    total_elements(psa, count);
    clear_elements(psa, 0, count);
    std::free(psa->pvData);
    psa->pvData = nullptr;
    return S_OK;
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa)
{
    if (psa == nullptr)
        return S_OK;
    HRESULT hr = SafeArrayDestroyData(psa);
    if (FAILED(hr))
        return hr;
    free_descriptor(psa);
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa) { return psa == nullptr ? 0 : psa->cDims; }

UINT SafeArrayGetElemsize(SAFEARRAY* psa) { return psa == nullptr ? 0 : psa->cbElements; }

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound)
{
    if (psa == nullptr || plLbound == nullptr)
        return E_INVALIDARG;
    if (nDim == 0 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    *plLbound = psa->rgsabound[psa->cDims - nDim].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound)
{
    if (psa == nullptr || plUbound == nullptr)
        return E_INVALIDARG;
    if (nDim == 0 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& b = psa->rgsabound[psa->cDims - nDim];
    *plUbound = static_cast<LONG>(static_cast<LONGLONG>(b.lLbound) + b.cElements - 1);
    return S_OK;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt)
{
    if (psa == nullptr || pvt == nullptr)
        return E_INVALIDARG;
    *pvt = header_of(psa)->vt;
    return S_OK;
}

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData)
{
    if (psa == nullptr || rgIndices == nullptr || ppvData == nullptr)
        return E_INVALIDARG;
    std::size_t offset = 0;
    HRESULT hr = offset_of(psa, rgIndices, offset);
    if (FAILED(hr))
        return hr;
    *ppvData = static_cast<char*>(psa->pvData) + offset * psa->cbElements;
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv)
{
    if (psa == nullptr || rgIndices == nullptr || pv == nullptr)
        return E_INVALIDARG;
    void* element = nullptr;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &element);
    if (FAILED(hr))
        return hr;
    return copy_element(header_of(psa)->vt, element, pv);
}

HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv)
{
    if (psa == nullptr || rgIndices == nullptr)
        return E_INVALIDARG;
    VARTYPE vt = header_of(psa)->vt;
    if (pv == nullptr && vt != VT_BSTR && vt != VT_UNKNOWN && vt != VT_DISPATCH)
        return E_INVALIDARG;
    void* element = nullptr;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &element);
    if (FAILED(hr))
        return hr;
    switch (vt) {
    case VT_BSTR: {
        BSTR src = static_cast<BSTR>(pv);
        BSTR copy = nullptr;
        if (src != nullptr) {
            copy = SysAllocStringByteLen(reinterpret_cast<const char*>(src), SysStringByteLen(src));
            if (copy == nullptr)
                return E_OUTOFMEMORY;
        }
        BSTR* slot = static_cast<BSTR*>(element);
        SysFreeString(*slot);
        *slot = copy;
        return S_OK;
    }
    case VT_UNKNOWN:
    case VT_DISPATCH: {
        IUnknown* p = static_cast<IUnknown*>(pv);
        if (p != nullptr)
            p->AddRef();
        IUnknown** slot = static_cast<IUnknown**>(element);
        if (*slot != nullptr)
            (*slot)->Release();
        *slot = p;
        return S_OK;
    }
    case VT_VARIANT: return VariantCopy(static_cast<VARIANT*>(element), static_cast<VARIANT*>(pv));
    default: std::memcpy(element, pv, psa->cbElements); return S_OK;
    }
}

HRESULT SafeArrayRedim(SAFEARRAY* psa, SAFEARRAYBOUND* psaboundNew)
{
    if (psa == nullptr || psaboundNew == nullptr || psa->cDims == 0)
        return E_INVALIDARG;
    if (psa->cLocks != 0)
        return DISP_E_ARRAYISLOCKED;
    if (psa->fFeatures & FADF_FIXEDSIZE)
        return DISP_E_ARRAYISLOCKED;
    std::size_t old_count = 0;
    total_elements(psa, old_count);
    // The rightmost dimension is rgsabound[0] and varies slowest, so resizing it keeps the
    // elements in place and cuts or adds at the end.
    SAFEARRAYBOUND old_bound = psa->rgsabound[0];
    psa->rgsabound[0] = *psaboundNew;
    std::size_t new_count = 0;
    if (!total_elements(psa, new_count) || new_count > std::numeric_limits<std::size_t>::max() / psa->cbElements) {
        psa->rgsabound[0] = old_bound;
        return E_OUTOFMEMORY;
    }
    if (new_count == old_count)
        return S_OK;
    if (new_count == 0) {
        clear_elements(psa, 0, old_count);
        std::free(psa->pvData);
        psa->pvData = nullptr;
        return S_OK;
    }
    void* fresh = std::calloc(new_count, psa->cbElements);
    if (fresh == nullptr) {
        psa->rgsabound[0] = old_bound;
        return E_OUTOFMEMORY;
    }
    std::size_t kept = new_count < old_count ? new_count : old_count;
    if (psa->pvData != nullptr) {
        std::memcpy(fresh, psa->pvData, kept * psa->cbElements);
        clear_elements(psa, kept, old_count);
        std::free(psa->pvData);
    }
    psa->pvData = fresh;
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* psa)
{
    if (psa == nullptr)
        return E_INVALIDARG;
    if (psa->cLocks == 0xFFFFFFFFu)
        return E_UNEXPECTED;
    ++psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* psa)
{
    if (psa == nullptr)
        return E_INVALIDARG;
    if (psa->cLocks == 0)
        return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData)
{
    if (psa == nullptr || ppvData == nullptr)
        return E_INVALIDARG;
    HRESULT hr = SafeArrayLock(psa);
    if (FAILED(hr))
        return hr;
    *ppvData = psa->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut)
{
    if (ppsaOut == nullptr)
        return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (psa == nullptr)
        return S_OK;
    VARTYPE vt = header_of(psa)->vt;
    SAFEARRAY* copy = allocate_descriptor(psa->cDims);
    if (copy == nullptr)
        return E_OUTOFMEMORY;
    header_of(copy)->vt = vt;
    copy->cDims = psa->cDims;
    copy->fFeatures = static_cast<USHORT>(psa->fFeatures & ~(FADF_AUTO | FADF_STATIC | FADF_EMBEDDED));
    copy->cbElements = psa->cbElements;
    for (USHORT i = 0; i < psa->cDims; ++i) {
        copy->rgsabound[i] = psa->rgsabound[i];
    }
    std::size_t count = 0;
    total_elements(psa, count);
    if (count != 0 && psa->pvData != nullptr) {
        copy->pvData = std::calloc(count, psa->cbElements);
        if (copy->pvData == nullptr) {
            free_descriptor(copy);
            return E_OUTOFMEMORY;
        }
        const char* from = static_cast<const char*>(psa->pvData);
        char* to = static_cast<char*>(copy->pvData);
        for (std::size_t i = 0; i < count; ++i) {
            HRESULT hr = copy_element(vt, from + i * psa->cbElements, to + i * psa->cbElements);
            if (FAILED(hr)) {
                SafeArrayDestroy(copy);
                return hr;
            }
        }
    }
    *ppsaOut = copy;
    return S_OK;
}
