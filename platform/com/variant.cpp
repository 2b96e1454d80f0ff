#include "platform/com/variant.h"

#include "platform/com/dispatch.h"
#include "platform/com/safearray.h"
#include "platform/win32/text.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

bool is_known_scalar(VARTYPE t)
{
    switch (t) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_INT:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_VARIANT:
    case VT_UNKNOWN:
    case VT_DECIMAL: return true;
    default: return false;
    }
}

bool is_valid_type(VARTYPE vt)
{
    VARTYPE base = vt & VT_TYPEMASK;
    if (vt & (VT_VECTOR | VT_RESERVED))
        return false;
    if ((vt & (VT_ARRAY | VT_BYREF)) == 0)
        return base != VT_VARIANT && is_known_scalar(base);
    if (base == VT_EMPTY || base == VT_NULL)
        return false;
    return is_known_scalar(base);
}

// The value of a scalar variant reduced to one of a few kinds, for conversion.
struct scalar {
    enum kind_t { empty, null, integer, unsigned_integer, currency, real, boolean, text, object, error } kind;
    LONGLONG i = 0; // an integer, or a currency amount times 10000
    ULONGLONG u = 0;
    double d = 0;
    bool b = false;
    BSTR s = nullptr;        // borrowed
    IUnknown* obj = nullptr; // borrowed
    VARTYPE object_type = VT_EMPTY;
    SCODE scode = 0;
    // Text of a whole number no 64-bit integer holds: read as a real, yet too large for any integer type.
    bool whole_beyond_64_bits = false;
};

ULONGLONG magnitude_of(LONGLONG v)
{
    return v < 0 ? static_cast<ULONGLONG>(-(v + 1)) + 1 : static_cast<ULONGLONG>(v);
}

constexpr LONGLONG kCurrencyScale = 10000;

HRESULT read_scalar(const VARIANT* v, scalar& out)
{
    const VARTYPE vt = v->vt;
    const bool ref = (vt & VT_BYREF) != 0;
    switch (vt & ~VT_BYREF) {
    case VT_EMPTY: out.kind = scalar::empty; return S_OK;
    case VT_NULL: out.kind = scalar::null; return S_OK;
    case VT_I1:
        out.kind = scalar::integer;
        out.i = ref ? *v->pcVal : v->cVal;
        return S_OK;
    case VT_I2:
        out.kind = scalar::integer;
        out.i = ref ? *v->piVal : v->iVal;
        return S_OK;
    case VT_I4:
        out.kind = scalar::integer;
        out.i = ref ? *v->plVal : v->lVal;
        return S_OK;
    case VT_INT:
        out.kind = scalar::integer;
        out.i = ref ? *v->pintVal : v->intVal;
        return S_OK;
    case VT_I8:
        out.kind = scalar::integer;
        out.i = ref ? *v->pllVal : v->llVal;
        return S_OK;
    case VT_UI1:
        out.kind = scalar::unsigned_integer;
        out.u = ref ? *v->pbVal : v->bVal;
        return S_OK;
    case VT_UI2:
        out.kind = scalar::unsigned_integer;
        out.u = ref ? *v->puiVal : v->uiVal;
        return S_OK;
    case VT_UI4:
        out.kind = scalar::unsigned_integer;
        out.u = ref ? *v->pulVal : v->ulVal;
        return S_OK;
    case VT_UINT:
        out.kind = scalar::unsigned_integer;
        out.u = ref ? *v->puintVal : v->uintVal;
        return S_OK;
    case VT_UI8:
        out.kind = scalar::unsigned_integer;
        out.u = ref ? *v->pullVal : v->ullVal;
        return S_OK;
    case VT_R4:
        out.kind = scalar::real;
        out.d = ref ? *v->pfltVal : v->fltVal;
        return S_OK;
    case VT_R8:
        out.kind = scalar::real;
        out.d = ref ? *v->pdblVal : v->dblVal;
        return S_OK;
    case VT_DATE:
        out.kind = scalar::real;
        out.d = ref ? *v->pdate : v->date;
        return S_OK;
    case VT_CY:
        // Kept as its 64-bit count of ten-thousandths: a double loses the last digits of large amounts.
        out.kind = scalar::currency;
        out.i = ref ? v->pcyVal->int64 : v->cyVal.int64;
        return S_OK;
    case VT_BOOL:
        out.kind = scalar::boolean;
        out.b = (ref ? *v->pboolVal : v->boolVal) != 0;
        return S_OK;
    case VT_BSTR:
        out.kind = scalar::text;
        out.s = ref ? *v->pbstrVal : v->bstrVal;
        return S_OK;
    case VT_ERROR:
        out.kind = scalar::error;
        out.scode = ref ? *v->pscode : v->scode;
        return S_OK;
    case VT_DISPATCH:
        out.kind = scalar::object;
        out.obj = ref ? reinterpret_cast<IUnknown*>(*v->ppdispVal) : reinterpret_cast<IUnknown*>(v->pdispVal);
        out.object_type = VT_DISPATCH;
        return S_OK;
    case VT_UNKNOWN:
        out.kind = scalar::object;
        out.obj = ref ? *v->ppunkVal : v->punkVal;
        out.object_type = VT_UNKNOWN;
        return S_OK;
    default: return DISP_E_TYPEMISMATCH;
    }
}

std::u16string trim(std::u16string_view s)
{
    std::size_t a = 0;
    std::size_t b = s.size();
    while (a < b && (s[a] == u' ' || s[a] == u'\t'))
        ++a;
    while (b > a && (s[b - 1] == u' ' || s[b - 1] == u'\t'))
        --b;
    return std::u16string(s.substr(a, b - a));
}

bool equals_no_case(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i];
        char16_t y = b[i];
        if (x >= u'A' && x <= u'Z')
            x = static_cast<char16_t>(x + 32);
        if (y >= u'A' && y <= u'Z')
            y = static_cast<char16_t>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

// Text to a number: decimal (with fraction and exponent) or &H hexadecimal.
HRESULT parse_number(BSTR s, scalar& out)
{
    std::u16string t = trim(com::bstr_view(s));
    if (t.empty())
        return DISP_E_TYPEMISMATCH;
    std::string narrow;
    for (char16_t c : t) {
        if (c > 0x7F)
            return DISP_E_TYPEMISMATCH;
        narrow.push_back(static_cast<char>(c));
    }
    if (narrow.size() > 2 && narrow[0] == '&' && (narrow[1] == 'H' || narrow[1] == 'h')) {
        errno = 0;
        char* end = nullptr;
        unsigned long long v = std::strtoull(narrow.c_str() + 2, &end, 16);
        if (*end != '\0' || errno == ERANGE || narrow[2] == '-' || narrow[2] == '+')
            return DISP_E_TYPEMISMATCH;
        // Hex literals of up to 32 bits are signed 32-bit values, as in the automation languages.
        out.kind = scalar::integer;
        out.i = v <= 0xFFFFFFFFull ? static_cast<LONG>(static_cast<ULONG>(v)) : static_cast<LONGLONG>(v);
        return S_OK;
    }
    // Whole numbers are read exactly: a double holds only 53 bits of them.
    const std::size_t first_digit = narrow[0] == '-' || narrow[0] == '+' ? 1 : 0;
    if (narrow.size() > first_digit &&
        narrow.find_first_not_of("0123456789", first_digit) == std::string::npos) {
        errno = 0;
        if (narrow[0] == '-') {
            long long v = std::strtoll(narrow.c_str(), nullptr, 10);
            if (errno != ERANGE) {
                out.kind = scalar::integer;
                out.i = v;
                return S_OK;
            }
        } else {
            unsigned long long v = std::strtoull(narrow.c_str(), nullptr, 10);
            if (errno != ERANGE && v <= static_cast<ULONGLONG>(std::numeric_limits<LONGLONG>::max())) {
                out.kind = scalar::integer;
                out.i = static_cast<LONGLONG>(v);
                return S_OK;
            }
            if (errno != ERANGE) {
                out.kind = scalar::unsigned_integer;
                out.u = v;
                return S_OK;
            }
        }
        out.whole_beyond_64_bits = true;
    }
    errno = 0;
    char* end = nullptr;
    double d = std::strtod(narrow.c_str(), &end);
    if (end == narrow.c_str() || *end != '\0')
        return DISP_E_TYPEMISMATCH;
    // strtod also reads "inf", "nan" and hex floats; none of them is a number here.
    for (char c : narrow) {
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' ||
              c == 'E')) {
            return DISP_E_TYPEMISMATCH;
        }
    }
    if (errno == ERANGE && std::isinf(d))
        return DISP_E_OVERFLOW;
    out.kind = scalar::real;
    out.d = d;
    return S_OK;
}

HRESULT to_double(const scalar& s, double& out)
{
    switch (s.kind) {
    case scalar::empty: out = 0; return S_OK;
    case scalar::integer: out = static_cast<double>(s.i); return S_OK;
    case scalar::unsigned_integer: out = static_cast<double>(s.u); return S_OK;
    case scalar::currency: out = static_cast<double>(s.i) / kCurrencyScale; return S_OK;
    case scalar::real: out = s.d; return S_OK;
    case scalar::boolean: out = s.b ? -1.0 : 0.0; return S_OK;
    case scalar::text: {
        scalar n{};
        HRESULT hr = parse_number(s.s, n);
        if (FAILED(hr))
            return hr;
        return to_double(n, out);
    }
    default: return DISP_E_TYPEMISMATCH;
    }
}

// An integer in [lo, hi]; reals round half to even.
HRESULT to_integer(const scalar& s, LONGLONG lo, ULONGLONG hi, bool& negative, ULONGLONG& magnitude)
{
    switch (s.kind) {
    case scalar::empty:
        negative = false;
        magnitude = 0;
        break;
    case scalar::boolean:
        negative = s.b;
        magnitude = s.b ? 1 : 0;
        break;
    case scalar::integer:
        negative = s.i < 0;
        magnitude = magnitude_of(s.i);
        break;
    case scalar::unsigned_integer:
        negative = false;
        magnitude = s.u;
        break;
    case scalar::currency: {
        negative = s.i < 0;
        const ULONGLONG scaled = magnitude_of(s.i);
        const ULONGLONG rest = scaled % kCurrencyScale;
        magnitude = scaled / kCurrencyScale;
        if (rest > kCurrencyScale / 2 || (rest == kCurrencyScale / 2 && magnitude % 2 != 0))
            ++magnitude;
        break;
    }
    case scalar::real: {
        if (std::isnan(s.d))
            return DISP_E_OVERFLOW;
        double r = std::nearbyint(s.d);
        // -2^63 itself is a 64-bit integer; 2^64 is not.
        if (r >= 18446744073709551616.0 || r < -9223372036854775808.0)
            return DISP_E_OVERFLOW;
        negative = r < 0;
        magnitude = static_cast<ULONGLONG>(negative ? -r : r);
        break;
    }
    case scalar::text: {
        scalar n{};
        HRESULT hr = parse_number(s.s, n);
        if (FAILED(hr))
            return hr;
        if (n.whole_beyond_64_bits)
            return DISP_E_OVERFLOW;
        return to_integer(n, lo, hi, negative, magnitude);
    }
    default: return DISP_E_TYPEMISMATCH;
    }
    if (negative && magnitude == 0)
        negative = false;
    if (negative) {
        ULONGLONG limit = lo < 0 ? static_cast<ULONGLONG>(-(lo + 1)) + 1 : 0;
        if (magnitude > limit)
            return DISP_E_OVERFLOW;
    } else if (magnitude > hi) {
        return DISP_E_OVERFLOW;
    }
    return S_OK;
}

std::string format_real(double d, int digits)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, d);
    return buffer;
}

// The exact amount: "-1.5" for -15000, "0.0001" for 1, no trailing zeros.
std::string format_currency(LONGLONG scaled)
{
    const ULONGLONG magnitude = magnitude_of(scaled);
    std::string out = (scaled < 0 ? "-" : "") + std::to_string(magnitude / kCurrencyScale);
    std::string digits = std::to_string(magnitude % kCurrencyScale);
    digits.insert(0, 4 - digits.size(), '0');
    digits.erase(digits.find_last_not_of('0') + 1);
    if (!digits.empty())
        out += '.' + digits;
    return out;
}

// Days since 1899-12-30 to a civil date (proleptic Gregorian).
void civil_from_days(LONGLONG day, int& y, unsigned& m, unsigned& d)
{
    LONGLONG z = day - 25569 + 719468; // to days since 1970-01-01, then since 0000-03-01
    LONGLONG era = (z >= 0 ? z : z - 146096) / 146097;
    auto doe = static_cast<unsigned>(z - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    LONGLONG year = static_cast<LONGLONG>(yoe) + era * 400;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(year + (m <= 2 ? 1 : 0));
}

// The US English form: "M/D/YYYY", "h:mm:ss AM", or both; midnight of day 0 is "12:00:00 AM".
std::string format_date(double date)
{
    double fraction = std::fabs(date - std::trunc(date));
    auto seconds = static_cast<LONGLONG>(std::llround(fraction * 86400.0));
    LONGLONG day = static_cast<LONGLONG>(std::trunc(date));
    if (seconds >= 86400) {
        seconds -= 86400;
        day += date < 0 ? -1 : 1;
    }
    std::string out;
    char buffer[64];
    if (day != 0) {
        int y = 0;
        unsigned m = 0;
        unsigned d = 0;
        civil_from_days(day, y, m, d);
        std::snprintf(buffer, sizeof buffer, "%u/%u/%d", m, d, y);
        out = buffer;
    }
    if (seconds != 0 || day == 0) {
        auto h = static_cast<int>(seconds / 3600);
        auto mi = static_cast<int>(seconds / 60 % 60);
        auto s = static_cast<int>(seconds % 60);
        int h12 = h % 12 == 0 ? 12 : h % 12;
        std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", h12, mi, s, h < 12 ? "AM" : "PM");
        if (!out.empty())
            out += ' ';
        out += buffer;
    }
    return out;
}

HRESULT to_text(const scalar& s, VARTYPE source_type, USHORT flags, BSTR& out)
{
    std::string text;
    switch (s.kind) {
    case scalar::empty: break;
    case scalar::integer: text = std::to_string(s.i); break;
    case scalar::unsigned_integer: text = std::to_string(s.u); break;
    case scalar::currency: text = format_currency(s.i); break;
    case scalar::real:
        if ((source_type & VT_TYPEMASK) == VT_DATE) {
            text = format_date(s.d);
        } else {
            text = format_real(s.d, (source_type & VT_TYPEMASK) == VT_R4 ? 7 : 15);
        }
        break;
    case scalar::boolean:
        if (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL)) {
            text = s.b ? "True" : "False";
        } else {
            text = s.b ? "-1" : "0";
        }
        break;
    case scalar::text: {
        BSTR copy = SysAllocStringLen(s.s, SysStringLen(s.s));
        if (copy == nullptr)
            return E_OUTOFMEMORY;
        out = copy;
        return S_OK;
    }
    default: return DISP_E_TYPEMISMATCH;
    }
    out = com::bstr_from_utf8(text);
    return out == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT to_bool(const scalar& s, bool& out)
{
    if (s.kind == scalar::text) {
        std::u16string t = trim(com::bstr_view(s.s));
        if (equals_no_case(t, u"true")) {
            out = true;
            return S_OK;
        }
        if (equals_no_case(t, u"false")) {
            out = false;
            return S_OK;
        }
        scalar n{};
        HRESULT hr = parse_number(s.s, n);
        if (FAILED(hr))
            return hr;
        return to_bool(n, out);
    }
    switch (s.kind) {
    case scalar::empty: out = false; return S_OK;
    case scalar::boolean: out = s.b; return S_OK;
    case scalar::integer: out = s.i != 0; return S_OK;
    case scalar::unsigned_integer: out = s.u != 0; return S_OK;
    case scalar::currency: out = s.i != 0; return S_OK;
    case scalar::real:
        if (std::isnan(s.d))
            return DISP_E_TYPEMISMATCH;
        out = s.d != 0;
        return S_OK;
    default: return DISP_E_TYPEMISMATCH;
    }
}

// A currency amount times 10000: integers and currency exactly, other values through a double.
HRESULT to_currency(const scalar& s, LONGLONG& out)
{
    switch (s.kind) {
    case scalar::currency: out = s.i; return S_OK;
    case scalar::integer:
    case scalar::unsigned_integer: {
        constexpr LONGLONG whole_limit = std::numeric_limits<LONGLONG>::max() / kCurrencyScale;
        bool negative = false;
        ULONGLONG m = 0;
        HRESULT hr = to_integer(s, -whole_limit, whole_limit, negative, m);
        if (FAILED(hr))
            return hr;
        out = (negative ? -static_cast<LONGLONG>(m) : static_cast<LONGLONG>(m)) * kCurrencyScale;
        return S_OK;
    }
    case scalar::text: {
        scalar n{};
        HRESULT hr = parse_number(s.s, n);
        if (FAILED(hr))
            return hr;
        return to_currency(n, out);
    }
    default: {
        double d = 0;
        HRESULT hr = to_double(s, d);
        if (FAILED(hr))
            return hr;
        double scaled = std::nearbyint(d * kCurrencyScale);
        if (!(std::fabs(scaled) < 9.2233720368547758e18))
            return DISP_E_OVERFLOW;
        out = static_cast<LONGLONG>(scaled);
        return S_OK;
    }
    }
}

// Converts a scalar to vt into result (which is VT_EMPTY on entry).
HRESULT convert(const scalar& s, VARTYPE source_type, USHORT flags, VARTYPE vt, VARIANT& result)
{
    if (s.kind == scalar::null) {
        if (vt == VT_NULL) {
            result.vt = VT_NULL;
            return S_OK;
        }
        return DISP_E_TYPEMISMATCH;
    }
    if (s.kind == scalar::error && vt != VT_ERROR)
        return DISP_E_TYPEMISMATCH;
    bool negative = false;
    ULONGLONG m = 0;
    auto integer = [&](LONGLONG lo, ULONGLONG hi) { return to_integer(s, lo, hi, negative, m); };
    auto signed_value = [&]() -> LONGLONG {
        return negative ? -static_cast<LONGLONG>(m - 1) - 1 : static_cast<LONGLONG>(m);
    };
    HRESULT hr = S_OK;
    switch (vt) {
    case VT_EMPTY: return S_OK;
    case VT_NULL: return DISP_E_TYPEMISMATCH;
    case VT_I1:
        if (FAILED(hr = integer(-128, 127)))
            return hr;
        result.cVal = static_cast<CHAR>(signed_value());
        break;
    case VT_I2:
        if (FAILED(hr = integer(-32768, 32767)))
            return hr;
        result.iVal = static_cast<SHORT>(signed_value());
        break;
    case VT_I4:
    case VT_INT:
        if (FAILED(hr = integer(std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max())))
            return hr;
        result.lVal = static_cast<LONG>(signed_value());
        break;
    case VT_I8:
        if (FAILED(hr = integer(std::numeric_limits<LONGLONG>::min(),
                                static_cast<ULONGLONG>(std::numeric_limits<LONGLONG>::max()))))
            return hr;
        result.llVal = signed_value();
        break;
    case VT_UI1:
        if (FAILED(hr = integer(0, 255)))
            return hr;
        result.bVal = static_cast<BYTE>(m);
        break;
    case VT_UI2:
        if (FAILED(hr = integer(0, 65535)))
            return hr;
        result.uiVal = static_cast<USHORT>(m);
        break;
    case VT_UI4:
    case VT_UINT:
        if (FAILED(hr = integer(0, 0xFFFFFFFFull)))
            return hr;
        result.ulVal = static_cast<ULONG>(m);
        break;
    case VT_UI8:
        if (FAILED(hr = integer(0, std::numeric_limits<ULONGLONG>::max())))
            return hr;
        result.ullVal = m;
        break;
    case VT_R4: {
        double d = 0;
        if (FAILED(hr = to_double(s, d)))
            return hr;
        // Infinity and NaN fit no float range; a float that already is one passes through as itself.
        if (source_type != VT_R4 && !(std::fabs(d) <= std::numeric_limits<float>::max()))
            return DISP_E_OVERFLOW;
        result.fltVal = static_cast<float>(d);
        break;
    }
    case VT_R8:
    case VT_DATE: {
        double d = 0;
        if (s.kind == scalar::text && vt == VT_DATE)
            return DISP_E_TYPEMISMATCH;
        if (FAILED(hr = to_double(s, d)))
            return hr;
        // 1 January 100 to 31 December 9999. A negative date's fraction is its time of day counted
        // forward, so the whole first day reaches down to (not including) -657435.
        if (vt == VT_DATE && !(d > -657435.0 && d < 2958466.0))
            return DISP_E_OVERFLOW;
        if (vt == VT_R8)
            result.dblVal = d;
        else
            result.date = d;
        break;
    }
    case VT_CY:
        if (FAILED(hr = to_currency(s, result.cyVal.int64)))
            return hr;
        break;
    case VT_BOOL: {
        bool b = false;
        if (FAILED(hr = to_bool(s, b)))
            return hr;
        result.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    }
    case VT_BSTR:
        if (FAILED(hr = to_text(s, source_type, flags, result.bstrVal)))
            return hr;
        break;
    case VT_ERROR:
        if (s.kind != scalar::error)
            return DISP_E_TYPEMISMATCH;
        result.scode = s.scode;
        break;
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        if (s.kind != scalar::object)
            return DISP_E_TYPEMISMATCH;
        if (s.obj == nullptr) {
            result.punkVal = nullptr;
            break;
        }
        void* p = nullptr;
        hr = s.obj->QueryInterface(vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &p);
        if (FAILED(hr))
            return hr;
        result.punkVal = static_cast<IUnknown*>(p);
        break;
    }
    default: return DISP_E_BADVARTYPE;
    }
    result.vt = vt;
    return S_OK;
}

} // namespace

void VariantInit(VARIANTARG* v)
{
    if (v == nullptr)
        return;
    v->vt = VT_EMPTY;
    v->wReserved1 = v->wReserved2 = v->wReserved3 = 0;
    v->llVal = 0;
}

HRESULT VariantClear(VARIANTARG* v)
{
    if (v == nullptr)
        return E_INVALIDARG;
    if (v->vt != VT_EMPTY && !is_valid_type(v->vt))
        return DISP_E_BADVARTYPE;
    if ((v->vt & VT_BYREF) == 0) {
        if (v->vt & VT_ARRAY) {
            HRESULT hr = SafeArrayDestroy(v->parray);
            if (FAILED(hr))
                return hr;
        } else if (v->vt == VT_BSTR) {
            SysFreeString(v->bstrVal);
        } else if (v->vt == VT_DISPATCH || v->vt == VT_UNKNOWN) {
            if (v->punkVal != nullptr)
                v->punkVal->Release();
        }
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* src)
{
    if (dest == nullptr || src == nullptr)
        return E_INVALIDARG;
    if (src->vt != VT_EMPTY && !is_valid_type(src->vt))
        return DISP_E_BADVARTYPE;
    if (dest == src)
        return S_OK;
    VARIANT copy;
    VariantInit(&copy);
    copy.vt = src->vt;
    copy.llVal = src->llVal;
    if ((src->vt & VT_BYREF) == 0) {
        if (src->vt & VT_ARRAY) {
            HRESULT hr = SafeArrayCopy(src->parray, &copy.parray);
            if (FAILED(hr))
                return hr;
        } else if (src->vt == VT_BSTR && src->bstrVal != nullptr) {
            copy.bstrVal = SysAllocStringByteLen(reinterpret_cast<const char*>(src->bstrVal),
                                                 SysStringByteLen(src->bstrVal));
            if (copy.bstrVal == nullptr)
                return E_OUTOFMEMORY;
        } else if ((src->vt == VT_DISPATCH || src->vt == VT_UNKNOWN) && src->punkVal != nullptr) {
            src->punkVal->AddRef();
        } else if (src->vt == VT_DECIMAL) {
            // A decimal overlays the whole variant.
            std::memcpy(&copy, src, sizeof(VARIANT));
        }
    }
    HRESULT hr = VariantClear(dest);
    if (FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    std::memcpy(static_cast<void*>(dest), &copy, sizeof(VARIANT));
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* dest, const VARIANTARG* src)
{
    if (dest == nullptr || src == nullptr)
        return E_INVALIDARG;
    if ((src->vt & VT_BYREF) == 0)
        return VariantCopy(dest, src);
    if (!is_valid_type(src->vt))
        return DISP_E_BADVARTYPE;
    if (src->byref == nullptr)
        return E_INVALIDARG;
    VARIANT value;
    VariantInit(&value);
    VARTYPE base = src->vt & ~VT_BYREF;
    if (base == VT_VARIANT) {
        const VARIANT* inner = src->pvarVal;
        if (inner->vt == (VT_VARIANT | VT_BYREF))
            return E_INVALIDARG;
        return VariantCopyInd(dest, inner);
    }
    value.vt = base;
    if (base & VT_ARRAY) {
        value.parray = *src->pparray;
    } else {
        std::size_t size = 0;
        switch (base) {
        case VT_I1:
        case VT_UI1: size = 1; break;
        case VT_I2:
        case VT_UI2:
        case VT_BOOL: size = 2; break;
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_R4:
        case VT_ERROR: size = 4; break;
        case VT_DECIMAL: return DISP_E_BADVARTYPE;
        case VT_BSTR:
        case VT_DISPATCH:
        case VT_UNKNOWN: size = sizeof(void*); break;
        default: size = 8; break;
        }
        std::memcpy(&value.llVal, src->byref, size);
    }
    // value borrows what src refers to; VariantCopy makes dest's own copy of it.
    HRESULT hr = S_OK;
    VARIANT copy;
    VariantInit(&copy);
    hr = VariantCopy(&copy, &value);
    if (FAILED(hr))
        return hr;
    hr = VariantClear(dest);
    if (FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    std::memcpy(static_cast<void*>(dest), &copy, sizeof(VARIANT));
    return S_OK;
}

HRESULT VariantChangeTypeEx(VARIANTARG* dest, const VARIANTARG* src, LCID, USHORT flags, VARTYPE vt)
{
    if (dest == nullptr || src == nullptr)
        return E_INVALIDARG;
    if (src->vt != VT_EMPTY && !is_valid_type(src->vt))
        return DISP_E_BADVARTYPE;
    if ((vt & (VT_BYREF | VT_VECTOR | VT_RESERVED)) || !is_valid_type(vt)) {
        if (vt != VT_EMPTY)
            return DISP_E_BADVARTYPE;
    }
    VARIANT result;
    VariantInit(&result);
    VARTYPE source_type = src->vt & ~VT_BYREF;
    if ((src->vt & VT_ARRAY) || (vt & VT_ARRAY)) {
        // Arrays convert only to their own type.
        if (source_type != vt)
            return DISP_E_TYPEMISMATCH;
        HRESULT hr = VariantCopyInd(&result, src);
        if (FAILED(hr))
            return hr;
    } else if (source_type == VT_VARIANT) {
        // A reference to a variant: convert what it holds.
        if (src->pvarVal == nullptr)
            return E_INVALIDARG;
        return VariantChangeTypeEx(dest, src->pvarVal, 0, flags, vt);
    } else {
        scalar s{};
        HRESULT hr = read_scalar(src, s);
        if (FAILED(hr))
            return hr;
        CComVariant value_holder;
        if (s.kind == scalar::object && vt != VT_DISPATCH && vt != VT_UNKNOWN && vt != VT_EMPTY) {
            // An object converts through its value property.
            if ((flags & VARIANT_NOVALUEPROP) || s.obj == nullptr)
                return DISP_E_TYPEMISMATCH;
            IDispatch* disp = nullptr;
            if (FAILED(s.obj->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp)))) {
                return DISP_E_TYPEMISMATCH;
            }
            DISPPARAMS none{nullptr, nullptr, 0, 0};
            hr = disp->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value_holder,
                              nullptr, nullptr);
            disp->Release();
            if (FAILED(hr))
                return hr;
            if (value_holder.vt == VT_DISPATCH || value_holder.vt == VT_UNKNOWN)
                return DISP_E_TYPEMISMATCH;
            return VariantChangeTypeEx(dest, &value_holder, 0, flags, vt);
        }
        hr = convert(s, source_type, flags, vt, result);
        if (FAILED(hr))
            return hr;
    }
    HRESULT hr = VariantClear(dest);
    if (FAILED(hr)) {
        VariantClear(&result);
        return hr;
    }
    std::memcpy(static_cast<void*>(dest), &result, sizeof(VARIANT));
    return S_OK;
}

HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* src, USHORT flags, VARTYPE vt)
{
    return VariantChangeTypeEx(dest, src, LOCALE_USER_DEFAULT, flags, vt);
}
