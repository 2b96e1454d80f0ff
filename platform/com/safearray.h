#pragma once
// SAFEARRAY: a self-describing array of one element type with per-dimension bounds.
// Dimensions are numbered from 1 (the leftmost) in the calls; as on Windows, rgsabound holds
// them in reverse order (rgsabound[0] is the rightmost), and the leftmost index varies
// fastest in memory. The element type is remembered beside the descriptor.

#include "platform/com/variant.h"

struct SAFEARRAYBOUND {
    ULONG cElements;
    LONG lLbound;
};
using LPSAFEARRAYBOUND = SAFEARRAYBOUND*;

struct SAFEARRAY {
    USHORT cDims;
    USHORT fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    PVOID pvData;
    SAFEARRAYBOUND rgsabound[1];
};
using LPSAFEARRAY = SAFEARRAY*;

inline constexpr USHORT FADF_AUTO = 0x0001;
inline constexpr USHORT FADF_STATIC = 0x0002;
inline constexpr USHORT FADF_EMBEDDED = 0x0004;
inline constexpr USHORT FADF_FIXEDSIZE = 0x0010;
inline constexpr USHORT FADF_RECORD = 0x0020;
inline constexpr USHORT FADF_HAVEIID = 0x0040;
inline constexpr USHORT FADF_HAVEVARTYPE = 0x0080;
inline constexpr USHORT FADF_BSTR = 0x0100;
inline constexpr USHORT FADF_UNKNOWN = 0x0200;
inline constexpr USHORT FADF_DISPATCH = 0x0400;
inline constexpr USHORT FADF_VARIANT = 0x0800;

// Element types: VT_I1, VT_I2, VT_I4, VT_I8, VT_UI1, VT_UI2, VT_UI4, VT_UI8, VT_INT, VT_UINT,
// VT_R4, VT_R8, VT_CY, VT_DATE, VT_BSTR, VT_DISPATCH, VT_ERROR, VT_BOOL, VT_VARIANT,
// VT_UNKNOWN. Null for any other type, zero or too many dimensions, or no memory.
SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound);
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements);
// Frees the elements (strings, references, variants) and the array. DISP_E_ARRAYISLOCKED
// while locked.
HRESULT SafeArrayDestroy(SAFEARRAY* psa);
HRESULT SafeArrayDestroyData(SAFEARRAY* psa);
UINT SafeArrayGetDim(SAFEARRAY* psa);
UINT SafeArrayGetElemsize(SAFEARRAY* psa);
// DISP_E_BADINDEX for a dimension outside 1..cDims.
HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound);
HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound);
HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt);
// rgIndices has one index per dimension, leftmost first. A copy of the element is written
// to pv (a new BSTR, an added reference, a VariantCopy); DISP_E_BADINDEX outside the bounds.
HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv);
// pv is the value itself for BSTR (a BSTR), VT_UNKNOWN and VT_DISPATCH (the pointer), and a
// pointer to the value for all other types (VARIANT* for VT_VARIANT). The array stores a
// copy and frees the element it replaces.
HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv);
HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData);
// Changes the rightmost dimension's bounds; elements cut off are freed, new ones are zero
// (empty strings are null, variants VT_EMPTY). DISP_E_ARRAYISLOCKED while locked.
HRESULT SafeArrayRedim(SAFEARRAY* psa, SAFEARRAYBOUND* psaboundNew);
HRESULT SafeArrayLock(SAFEARRAY* psa);
// E_UNEXPECTED when not locked.
HRESULT SafeArrayUnlock(SAFEARRAY* psa);
HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData);
HRESULT SafeArrayUnaccessData(SAFEARRAY* psa);
// A deep copy; a null psa gives a null copy and S_OK.
HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut);
