#pragma once
// VARIANT: a type tag (vt) and a value. The numbers of the VT_* tags and the member names
// are those of OLE Automation. By-reference variants (VT_BYREF) point at storage they do not
// own; array variants (VT_ARRAY) own their SAFEARRAY.

#include "platform/com/bstr.h"
#include "platform/com/unknown.h"

struct IDispatch;
struct SAFEARRAY;

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_VOID = 24,
    VT_HRESULT = 25,
    VT_PTR = 26,
    VT_SAFEARRAY = 27,
    VT_CARRAY = 28,
    VT_USERDEFINED = 29,
    VT_LPSTR = 30,
    VT_LPWSTR = 31,
    VT_RECORD = 36,
    VT_VECTOR = 0x1000,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_RESERVED = 0x8000,
    VT_ILLEGAL = 0xFFFF,
    VT_ILLEGALMASKED = 0x0FFF,
    VT_TYPEMASK = 0x0FFF,
};

// A currency amount: the value times 10000.
union CY {
    LONGLONG int64;
};

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONGLONG llVal;
        LONG lVal;
        BYTE bVal;
        SHORT iVal;
        FLOAT fltVal;
        DOUBLE dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        CY cyVal;
        DATE date;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        SAFEARRAY* parray;
        BYTE* pbVal;
        SHORT* piVal;
        LONG* plVal;
        LONGLONG* pllVal;
        FLOAT* pfltVal;
        DOUBLE* pdblVal;
        VARIANT_BOOL* pboolVal;
        SCODE* pscode;
        CY* pcyVal;
        DATE* pdate;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        SAFEARRAY** pparray;
        VARIANT* pvarVal;
        PVOID byref;
        CHAR cVal;
        USHORT uiVal;
        ULONG ulVal;
        ULONGLONG ullVal;
        INT intVal;
        UINT uintVal;
        CHAR* pcVal;
        USHORT* puiVal;
        ULONG* pulVal;
        ULONGLONG* pullVal;
        INT* pintVal;
        UINT* puintVal;
    };
};
using VARIANTARG = VARIANT;
using LPVARIANT = VARIANT*;
using LPVARIANTARG = VARIANT*;

// Accessors in the Windows style.
#define V_VT(v) ((v)->vt)
#define V_ISBYREF(v) (((v)->vt & VT_BYREF) != 0)
#define V_ISARRAY(v) (((v)->vt & VT_ARRAY) != 0)
#define V_I2(v) ((v)->iVal)
#define V_I4(v) ((v)->lVal)
#define V_UI1(v) ((v)->bVal)
#define V_R4(v) ((v)->fltVal)
#define V_R8(v) ((v)->dblVal)
#define V_BOOL(v) ((v)->boolVal)
#define V_DATE(v) ((v)->date)
#define V_ERROR(v) ((v)->scode)
#define V_BSTR(v) ((v)->bstrVal)
#define V_UNKNOWN(v) ((v)->punkVal)
#define V_DISPATCH(v) ((v)->pdispVal)
#define V_ARRAY(v) ((v)->parray)
#define V_BYREF(v) ((v)->byref)
#define V_VARIANTREF(v) ((v)->pvarVal)
#define V_BSTRREF(v) ((v)->pbstrVal)
#define V_I4REF(v) ((v)->plVal)
#define V_BOOLREF(v) ((v)->pboolVal)
#define V_ARRAYREF(v) ((v)->pparray)

// Flags of VariantChangeType.
inline constexpr USHORT VARIANT_NOVALUEPROP = 0x01;
inline constexpr USHORT VARIANT_ALPHABOOL = 0x02;
inline constexpr USHORT VARIANT_NOUSEROVERRIDE = 0x04;
inline constexpr USHORT VARIANT_LOCALBOOL = 0x10;

void VariantInit(VARIANTARG* v);
// Frees what v owns (string, reference, array) and leaves VT_EMPTY. DISP_E_BADVARTYPE for
// a tag this system does not know (v is then left as it was).
HRESULT VariantClear(VARIANTARG* v);
// dest becomes an independent copy of src (strings and arrays duplicated, references
// added); a by-reference src is copied as the reference.
HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* src);
// As VariantCopy, but a by-reference src is copied as the value it refers to.
HRESULT VariantCopyInd(VARIANT* dest, const VARIANTARG* src);
// Converts src (by-reference allowed) to vt into dest; dest may be src. On failure dest is
// unchanged. DISP_E_TYPEMISMATCH for a conversion that does not exist or text that is not a
// number, DISP_E_OVERFLOW for a value out of the target's range. Numbers round half to
// even; booleans are -1/0 (as text "-1"/"0", or "True"/"False" with VARIANT_ALPHABOOL);
// text "True"/"False" (any case) converts to booleans; an object converts through its
// value property (DISPID_VALUE) unless VARIANT_NOVALUEPROP is given.
HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* src, USHORT flags, VARTYPE vt);
HRESULT VariantChangeTypeEx(VARIANTARG* dest, const VARIANTARG* src, LCID lcid, USHORT flags, VARTYPE vt);

// A VARIANT that clears itself.
class CComVariant : public VARIANT {
public:
    CComVariant() noexcept { VariantInit(this); }
    ~CComVariant() { Clear(); }
    CComVariant(const VARIANT& src);
    CComVariant(const CComVariant& src);
    CComVariant(CComVariant&& src) noexcept;
    CComVariant(const OLECHAR* text);
    CComVariant(const CComBSTR& text);
    CComVariant(const char* utf8);
    CComVariant(bool value) noexcept;
    CComVariant(int value, VARTYPE type = VT_I4) noexcept;
    CComVariant(BYTE value) noexcept;
    CComVariant(SHORT value) noexcept;
    CComVariant(double value, VARTYPE type = VT_R8) noexcept;
    CComVariant(float value) noexcept;
    CComVariant(LONGLONG value) noexcept;
    CComVariant(IDispatch* value) noexcept;
    CComVariant(IUnknown* value) noexcept;
    CComVariant(const SAFEARRAY* array);

    CComVariant& operator=(const CComVariant& src);
    CComVariant& operator=(CComVariant&& src) noexcept;
    CComVariant& operator=(const VARIANT& src);
    CComVariant& operator=(const OLECHAR* text);
    CComVariant& operator=(bool value);
    CComVariant& operator=(int value);

    HRESULT Clear() { return VariantClear(this); }
    HRESULT Copy(const VARIANT* src) { return VariantCopy(this, src); }
    // Takes over src (which is left VT_EMPTY).
    HRESULT Attach(VARIANT* src);
    // Moves the value into dest (cleared first) and leaves this VT_EMPTY.
    HRESULT Detach(VARIANT* dest);
    HRESULT ChangeType(VARTYPE vt, const VARIANT* src = nullptr);
    HRESULT CopyTo(BSTR* out) const;

    // Same type and value (strings by contents, objects by identity).
    bool operator==(const VARIANT& other) const noexcept;
};
