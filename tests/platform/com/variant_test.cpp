#include "platform/com/safearray.h"
#include "platform/com/variant.h"

#include <gtest/gtest.h>

#include <cctype>
#include <limits>
#include <ostream>
#include <string>

namespace {

// A variant of a type CComVariant has no constructor for.
template <class Set>
CComVariant typed(VARTYPE vt, Set set)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    set(v);
    return CComVariant(v);
}

CComVariant i1(CHAR x)
{
    return typed(VT_I1, [x](VARIANT& v) { v.cVal = x; });
}
CComVariant ui2(USHORT x)
{
    return typed(VT_UI2, [x](VARIANT& v) { v.uiVal = x; });
}
CComVariant ui4(ULONG x)
{
    return typed(VT_UI4, [x](VARIANT& v) { v.ulVal = x; });
}
CComVariant ui8(ULONGLONG x)
{
    return typed(VT_UI8, [x](VARIANT& v) { v.ullVal = x; });
}
CComVariant uint_(UINT x)
{
    return typed(VT_UINT, [x](VARIANT& v) { v.uintVal = x; });
}
// A currency amount given as its value times 10000.
CComVariant cy(LONGLONG scaled)
{
    return typed(VT_CY, [scaled](VARIANT& v) { v.cyVal.int64 = scaled; });
}
CComVariant date(double days) { return CComVariant(days, VT_DATE); }

struct conversion_case {
    const char* name;
    CComVariant from;
    VARTYPE to;
    USHORT flags;
    HRESULT result;
    CComVariant expected;
};

// What a failing row shows of a variant: its type, its text when it has one, else its bits.
std::string describe(const VARIANT& v)
{
    std::string out = "vt " + std::to_string(v.vt);
    if (v.vt == VT_BSTR) {
        const std::u16string_view text = com::bstr_view(v.bstrVal);
        return out + " \"" + std::string(text.begin(), text.end()) + "\"";
    }
    return out + " bits " + std::to_string(v.llVal);
}

void PrintTo(const conversion_case& c, std::ostream* os) { *os << c.name; }

// "i4 to bstr" -> "i4_to_bstr": a row's name as a test name.
std::string row_name(const ::testing::TestParamInfo<conversion_case>& info)
{
    std::string name;
    for (const char* p = info.param.name; *p != '\0'; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

class VariantChangeTypeTable : public ::testing::TestWithParam<conversion_case> {};

TEST_P(VariantChangeTypeTable, ConvertsOrRefuses)
{
    const conversion_case& c = GetParam();
    CComVariant out;
    EXPECT_EQ(VariantChangeType(&out, &c.from, c.flags, c.to), c.result);
    if (c.result == S_OK) {
        EXPECT_TRUE(out == c.expected) << "got " << describe(out) << ", expected " << describe(c.expected);
    } else {
        EXPECT_EQ(out.vt, VT_EMPTY) << "a refused conversion leaves the target empty";
    }
}

constexpr LONGLONG kI8Max = std::numeric_limits<LONGLONG>::max();
constexpr ULONGLONG kUI8Max = std::numeric_limits<ULONGLONG>::max();
constexpr LONGLONG kI8Min = std::numeric_limits<LONGLONG>::min();
constexpr double kTwoTo63 = 9223372036854775808.0;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The last second of a day, as a DATE fraction.
constexpr double kLastSecond = 86399.0 / 86400.0;

const conversion_case kConversions[] = {
    {"i4 to bstr", CComVariant(42), VT_BSTR, 0, S_OK, CComVariant(u"42")},
    {"negative i4 to bstr", CComVariant(-7), VT_BSTR, 0, S_OK, CComVariant(u"-7")},
    {"bstr to i4", CComVariant(u" 123 "), VT_I4, 0, S_OK, CComVariant(123)},
    {"hex bstr to i4", CComVariant(u"&H1F"), VT_I4, 0, S_OK, CComVariant(31)},
    {"text to i4", CComVariant(u"abc"), VT_I4, 0, DISP_E_TYPEMISMATCH, CComVariant()},
    {"empty bstr to i4", CComVariant(u""), VT_I4, 0, DISP_E_TYPEMISMATCH, CComVariant()},
    {"r8 rounds half even", CComVariant(2.5), VT_I4, 0, S_OK, CComVariant(2)},
    {"r8 rounds half even up", CComVariant(3.5), VT_I4, 0, S_OK, CComVariant(4)},
    {"i4 overflow to i2", CComVariant(40000), VT_I2, 0, DISP_E_OVERFLOW, CComVariant()},
    {"negative to ui1", CComVariant(-1), VT_UI1, 0, DISP_E_OVERFLOW, CComVariant()},
    {"bool to i4", CComVariant(true), VT_I4, 0, S_OK, CComVariant(-1)},
    {"bool to bstr", CComVariant(true), VT_BSTR, 0, S_OK, CComVariant(u"-1")},
    {"bool to alpha bstr", CComVariant(false), VT_BSTR, VARIANT_ALPHABOOL, S_OK, CComVariant(u"False")},
    {"bstr True to bool", CComVariant(u"true"), VT_BOOL, 0, S_OK, CComVariant(true)},
    {"bstr 0 to bool", CComVariant(u"0"), VT_BOOL, 0, S_OK, CComVariant(false)},
    {"i4 to bool", CComVariant(5), VT_BOOL, 0, S_OK, CComVariant(true)},
    {"empty to i4", CComVariant(), VT_I4, 0, S_OK, CComVariant(0)},
    {"empty to bstr", CComVariant(), VT_BSTR, 0, S_OK, CComVariant(u"")},
    {"r8 to bstr", CComVariant(1.5), VT_BSTR, 0, S_OK, CComVariant(u"1.5")},
    {"date to bstr", date(2.5), VT_BSTR, 0, S_OK, CComVariant(u"1/1/1900 12:00:00 PM")},
    {"i4 to unknown", CComVariant(1), VT_UNKNOWN, 0, DISP_E_TYPEMISMATCH, CComVariant()},

    // Signed 8-bit: -128 to 127.
    {"i4 127 to i1", CComVariant(127), VT_I1, 0, S_OK, i1(127)},
    {"i4 -128 to i1", CComVariant(-128), VT_I1, 0, S_OK, i1(-128)},
    {"i4 128 to i1", CComVariant(128), VT_I1, 0, DISP_E_OVERFLOW, CComVariant()},
    {"i4 -129 to i1", CComVariant(-129), VT_I1, 0, DISP_E_OVERFLOW, CComVariant()},
    {"bstr to i1", CComVariant(u"-5"), VT_I1, 0, S_OK, i1(-5)},
    {"r8 -0.5 to i1 rounds to zero", CComVariant(-0.5), VT_I1, 0, S_OK, i1(0)},
    {"text to i1", CComVariant(u"x"), VT_I1, 0, DISP_E_TYPEMISMATCH, CComVariant()},
    {"i1 to bstr", i1(-5), VT_BSTR, 0, S_OK, CComVariant(u"-5")},
    {"i1 to i4", i1(-128), VT_I4, 0, S_OK, CComVariant(-128)},

    // Unsigned 16-bit: 0 to 65535.
    {"i4 65535 to ui2", CComVariant(65535), VT_UI2, 0, S_OK, ui2(65535)},
    {"i4 65536 to ui2", CComVariant(65536), VT_UI2, 0, DISP_E_OVERFLOW, CComVariant()},
    {"i4 -1 to ui2", CComVariant(-1), VT_UI2, 0, DISP_E_OVERFLOW, CComVariant()},
    {"bstr to ui2", CComVariant(u"65535"), VT_UI2, 0, S_OK, ui2(65535)},
    {"bstr exponent over ui2", CComVariant(u"1e5"), VT_UI2, 0, DISP_E_OVERFLOW, CComVariant()},
    {"bool false to ui2", CComVariant(false), VT_UI2, 0, S_OK, ui2(0)},
    {"text to ui2", CComVariant(u"many"), VT_UI2, 0, DISP_E_TYPEMISMATCH, CComVariant()},
    {"ui2 to i2 overflow", ui2(40000), VT_I2, 0, DISP_E_OVERFLOW, CComVariant()},
    {"ui2 to bstr", ui2(65535), VT_BSTR, 0, S_OK, CComVariant(u"65535")},

    // Unsigned 32-bit: 0 to 4294967295.
    {"i8 4294967295 to ui4", CComVariant(LONGLONG{4294967295}), VT_UI4, 0, S_OK, ui4(4294967295u)},
    {"i8 4294967296 to ui4", CComVariant(LONGLONG{4294967296}), VT_UI4, 0, DISP_E_OVERFLOW, CComVariant()},
    {"i4 -1 to ui4", CComVariant(-1), VT_UI4, 0, DISP_E_OVERFLOW, CComVariant()},
    {"bstr to ui4", CComVariant(u"4294967295"), VT_UI4, 0, S_OK, ui4(4294967295u)},
    {"r8 rounds half even to ui4", CComVariant(4294967294.5), VT_UI4, 0, S_OK, ui4(4294967294u)},
    {"text to ui4", CComVariant(u"4G"), VT_UI4, 0, DISP_E_TYPEMISMATCH, CComVariant()},
    {"ui4 to i4 overflow", ui4(2147483648u), VT_I4, 0, DISP_E_OVERFLOW, CComVariant()},
    {"ui4 to bstr", ui4(4294967295u), VT_BSTR, 0, S_OK, CComVariant(u"4294967295")},
    {"i4 to uint", CComVariant(7), VT_UINT, 0, S_OK, uint_(7)},
    {"i4 -1 to uint", CComVariant(-1), VT_UINT, 0, DISP_E_OVERFLOW, CComVariant()},
    {"i4 to int", CComVariant(-7), VT_INT, 0, S_OK, CComVariant(-7, VT_INT)},

    // Signed 64-bit.
    {"i8 max to i8", CComVariant(kI8Max), VT_I8, 0, S_OK, CComVariant(kI8Max)},
    {"i8 max to bstr", CComVariant(kI8Max), VT_BSTR, 0, S_OK, CComVariant(u"9223372036854775807")},
    {"i8 min to bstr", CComVariant(std::numeric_limits<LONGLONG>::min()), VT_BSTR, 0, S_OK,
     CComVariant(u"-9223372036854775808")},
    {"i8 to i4 overflow", CComVariant(LONGLONG{2147483648}), VT_I4, 0, DISP_E_OVERFLOW, CComVariant()},
    {"i4 to i8", CComVariant(-42), VT_I8, 0, S_OK, CComVariant(LONGLONG{-42})},
    {"bstr to i8", CComVariant(u"-42"), VT_I8, 0, S_OK, CComVariant(LONGLONG{-42})},
    {"r8 rounds half even to i8", CComVariant(2.5), VT_I8, 0, S_OK, CComVariant(LONGLONG{2})},
    {"r8 1e19 to i8", CComVariant(1e19), VT_I8, 0, DISP_E_OVERFLOW, CComVariant()},
    {"ui8 max to i8", ui8(kUI8Max), VT_I8, 0, DISP_E_OVERFLOW, CComVariant()},
    {"text to i8", CComVariant(u"1x"), VT_I8, 0, DISP_E_TYPEMISMATCH, CComVariant()},
    {"r8 minus 2 to the 63 to i8", CComVariant(-kTwoTo63), VT_I8, 0, S_OK, CComVariant(kI8Min)},
    {"r8 below minus 2 to the 63 to i8", CComVariant(-9223372036854777856.0), VT_I8, 0, DISP_E_OVERFLOW,
     CComVariant()},
    {"r8 2 to the 63 to i8", CComVariant(kTwoTo63), VT_I8, 0, DISP_E_OVERFLOW, CComVariant()},
    {"bstr i8 max to i8", CComVariant(u"9223372036854775807"), VT_I8, 0, S_OK, CComVariant(kI8Max)},
    {"bstr i8 min to i8", CComVariant(u"-9223372036854775808"), VT_I8, 0, S_OK, CComVariant(kI8Min)},
    {"bstr over i8 max to i8", CComVariant(u"9223372036854775808"), VT_I8, 0, DISP_E_OVERFLOW, CComVariant()},
    {"bstr under i8 min to i8", CComVariant(u"-9223372036854775809"), VT_I8, 0, DISP_E_OVERFLOW, CComVariant()},
    {"bstr beyond 53 bits to i8 is exact", CComVariant(u"9007199254740993"), VT_I8, 0, S_OK,
     CComVariant(LONGLONG{9007199254740993})},
    {"bstr with sign and blanks to i8", CComVariant(u" +7 "), VT_I8, 0, S_OK, CComVariant(LONGLONG{7})},
    {"bstr with exponent to i8", CComVariant(u"1.5e3"), VT_I8, 0, S_OK, CComVariant(LONGLONG{1500})},
    {"bstr beyond 64 bits to r8", CComVariant(u"100000000000000000000"), VT_R8, 0, S_OK, CComVariant(1e20)},

    // Unsigned 64-bit.
    {"ui8 max to bstr", ui8(kUI8Max), VT_BSTR, 0, S_OK, CComVariant(u"18446744073709551615")},
    {"i8 max to ui8", CComVariant(kI8Max), VT_UI8, 0, S_OK, ui8(static_cast<ULONGLONG>(kI8Max))},
    {"i8 -1 to ui8", CComVariant(LONGLONG{-1}), VT_UI8, 0, DISP_E_OVERFLOW, CComVariant()},
    {"r8 1e19 to ui8", CComVariant(1e19), VT_UI8, 0, S_OK, ui8(10000000000000000000ull)},
    {"r8 2 to the 64 to ui8", CComVariant(18446744073709551616.0), VT_UI8, 0, DISP_E_OVERFLOW, CComVariant()},
    {"bstr to ui8", CComVariant(u"12345"), VT_UI8, 0, S_OK, ui8(12345)},
    {"text to ui8", CComVariant(u"-"), VT_UI8, 0, DISP_E_TYPEMISMATCH, CComVariant()},
    {"bstr ui8 max to ui8", CComVariant(u"18446744073709551615"), VT_UI8, 0, S_OK, ui8(kUI8Max)},
    {"bstr over ui8 max to ui8", CComVariant(u"18446744073709551616"), VT_UI8, 0, DISP_E_OVERFLOW, CComVariant()},
    {"bstr -1 to ui8", CComVariant(u"-1"), VT_UI8, 0, DISP_E_OVERFLOW, CComVariant()},
    {"bstr ui8 max to i8", CComVariant(u"18446744073709551615"), VT_I8, 0, DISP_E_OVERFLOW, CComVariant()},

    // Single precision: up to about 3.4e38 either way.
    {"r8 to r4", CComVariant(1.5), VT_R4, 0, S_OK, CComVariant(1.5f)},
    {"r8 float max to r4", CComVariant(static_cast<double>(std::numeric_limits<float>::max())), VT_R4, 0, S_OK,
     CComVariant(std::numeric_limits<float>::max())},
    {"r8 1e39 to r4", CComVariant(1e39), VT_R4, 0, DISP_E_OVERFLOW, CComVariant()},
    {"r8 -1e39 to r4", CComVariant(-1e39), VT_R4, 0, DISP_E_OVERFLOW, CComVariant()},
    {"r8 infinity to r4", CComVariant(kInfinity), VT_R4, 0, DISP_E_OVERFLOW, CComVariant()},
    {"r8 minus infinity to r4", CComVariant(-kInfinity), VT_R4, 0, DISP_E_OVERFLOW, CComVariant()},
    {"r8 nan to r4", CComVariant(std::numeric_limits<double>::quiet_NaN()), VT_R4, 0, DISP_E_OVERFLOW,
     CComVariant()},
    {"r4 infinity stays r4", CComVariant(std::numeric_limits<float>::infinity()), VT_R4, 0, S_OK,
     CComVariant(std::numeric_limits<float>::infinity())},
    {"i4 to r4 rounds to nearest", CComVariant(16777217), VT_R4, 0, S_OK, CComVariant(16777216.0f)},
    {"bstr to r4", CComVariant(u"0.25"), VT_R4, 0, S_OK, CComVariant(0.25f)},
    {"bstr 1e39 to r4", CComVariant(u"1e39"), VT_R4, 0, DISP_E_OVERFLOW, CComVariant()},
    {"text to r4", CComVariant(u"1.5.2"), VT_R4, 0, DISP_E_TYPEMISMATCH, CComVariant()},
    {"r4 to bstr has seven digits", CComVariant(0.1f), VT_BSTR, 0, S_OK, CComVariant(u"0.1")},
    {"r4 to r8", CComVariant(0.5f), VT_R8, 0, S_OK, CComVariant(0.5)},

    // Currency: the value times 10000 in 64 bits.
    {"i4 to cy", CComVariant(5), VT_CY, 0, S_OK, cy(50000)},
    {"r8 to cy keeps four decimals", CComVariant(1.23456), VT_CY, 0, S_OK, cy(12346)},
    {"bstr to cy", CComVariant(u"12.5"), VT_CY, 0, S_OK, cy(125000)},
    {"bool to cy", CComVariant(true), VT_CY, 0, S_OK, cy(-10000)},
    {"r8 large in cy range", CComVariant(900000000000000.0), VT_CY, 0, S_OK, cy(9000000000000000000)},
    {"r8 1e15 to cy", CComVariant(1e15), VT_CY, 0, DISP_E_OVERFLOW, CComVariant()},
    {"r8 -1e15 to cy", CComVariant(-1e15), VT_CY, 0, DISP_E_OVERFLOW, CComVariant()},
    {"text to cy", CComVariant(u"$5"), VT_CY, 0, DISP_E_TYPEMISMATCH, CComVariant()},
    {"cy to i4 rounds half even", cy(25000), VT_I4, 0, S_OK, CComVariant(2)},
    {"cy to i4 rounds half even up", cy(35000), VT_I4, 0, S_OK, CComVariant(4)},
    {"cy to r8", cy(123456), VT_R8, 0, S_OK, CComVariant(12.3456)},
    {"cy to bstr", cy(15000), VT_BSTR, 0, S_OK, CComVariant(u"1.5")},
    {"cy max to cy", cy(kI8Max), VT_CY, 0, S_OK, cy(kI8Max)},
    {"cy min to cy", cy(kI8Min), VT_CY, 0, S_OK, cy(kI8Min)},
    {"cy max to bstr", cy(kI8Max), VT_BSTR, 0, S_OK, CComVariant(u"922337203685477.5807")},
    {"cy min to bstr", cy(kI8Min), VT_BSTR, 0, S_OK, CComVariant(u"-922337203685477.5808")},
    {"cy smallest step to bstr", cy(-1), VT_BSTR, 0, S_OK, CComVariant(u"-0.0001")},
    {"cy whole to bstr", cy(-20000), VT_BSTR, 0, S_OK, CComVariant(u"-2")},
    {"cy max to i8 rounds", cy(kI8Max), VT_I8, 0, S_OK, CComVariant(LONGLONG{922337203685478})},
    {"cy min to i8 rounds", cy(kI8Min), VT_I8, 0, S_OK, CComVariant(LONGLONG{-922337203685478})},
    {"cy just over a half to i8 rounds up", cy(9007199254740985001), VT_I8, 0, S_OK,
     CComVariant(LONGLONG{900719925474099})},
    {"cy just under a half to i8 rounds down", cy(4503599627370494999), VT_I8, 0, S_OK,
     CComVariant(LONGLONG{450359962737049})},
    {"negative cy half to i8 rounds to even", cy(-9007199254740995000), VT_I8, 0, S_OK,
     CComVariant(LONGLONG{-900719925474100})},
    {"cy just over a half to ui8 rounds up", cy(9007199254740985001), VT_UI8, 0, S_OK, ui8(900719925474099)},
    {"cy max to ui8", cy(kI8Max), VT_UI8, 0, S_OK, ui8(922337203685478)},
    {"negative cy to ui8", cy(-10000), VT_UI8, 0, DISP_E_OVERFLOW, CComVariant()},
    {"i8 largest whole cy to cy", CComVariant(LONGLONG{922337203685477}), VT_CY, 0, S_OK, cy(9223372036854770000)},
    {"i8 smallest whole cy to cy", CComVariant(LONGLONG{-922337203685477}), VT_CY, 0, S_OK,
     cy(-9223372036854770000)},
    {"i8 over cy to cy", CComVariant(LONGLONG{922337203685478}), VT_CY, 0, DISP_E_OVERFLOW, CComVariant()},
    {"ui8 max to cy", ui8(kUI8Max), VT_CY, 0, DISP_E_OVERFLOW, CComVariant()},
    {"bstr largest whole cy to cy", CComVariant(u"922337203685477"), VT_CY, 0, S_OK, cy(9223372036854770000)},

    // Dates: day 0 is 1899-12-30; from 1 January 100 (-657434) to 31 December 9999 (2958465).
    {"r8 to date", CComVariant(36526.5), VT_DATE, 0, S_OK, date(36526.5)},
    {"i4 to date", CComVariant(1), VT_DATE, 0, S_OK, date(1.0)},
    {"first date", CComVariant(-657434.0), VT_DATE, 0, S_OK, date(-657434.0)},
    {"last day", CComVariant(2958465.0), VT_DATE, 0, S_OK, date(2958465.0)},
    {"last day late", CComVariant(2958465.75), VT_DATE, 0, S_OK, date(2958465.75)},
    {"after the last day", CComVariant(2958466.0), VT_DATE, 0, DISP_E_OVERFLOW, CComVariant()},
    {"before the first day", CComVariant(-657435.0), VT_DATE, 0, DISP_E_OVERFLOW, CComVariant()},
    // A negative date's fraction is still the time of day counted forward: -657434.5 is noon of 1/1/100.
    {"first day noon", CComVariant(-657434.5), VT_DATE, 0, S_OK, date(-657434.5)},
    {"first day last second", CComVariant(-657434.0 - kLastSecond), VT_DATE, 0, S_OK, date(-657434.0 - kLastSecond)},
    {"last day last second", CComVariant(2958465.0 + kLastSecond), VT_DATE, 0, S_OK, date(2958465.0 + kLastSecond)},
    {"just before the first day", CComVariant(-657435.0 - kLastSecond), VT_DATE, 0, DISP_E_OVERFLOW, CComVariant()},
    {"just after the last day", CComVariant(2958466.0 + 1.0 / 86400.0), VT_DATE, 0, DISP_E_OVERFLOW, CComVariant()},
    {"text to date", CComVariant(u"abc"), VT_DATE, 0, DISP_E_TYPEMISMATCH, CComVariant()},
    {"date 2000 to bstr", date(36526.5), VT_BSTR, 0, S_OK, CComVariant(u"1/1/2000 12:00:00 PM")},
    {"day 1 to bstr", date(1.0), VT_BSTR, 0, S_OK, CComVariant(u"12/31/1899")},
    {"first date to bstr", date(-657434.0), VT_BSTR, 0, S_OK, CComVariant(u"1/1/100")},
    {"last day to bstr", date(2958465.0), VT_BSTR, 0, S_OK, CComVariant(u"12/31/9999")},
    {"first day noon to bstr", date(-657434.5), VT_BSTR, 0, S_OK, CComVariant(u"1/1/100 12:00:00 PM")},
    {"last second to bstr", date(2958465.0 + kLastSecond), VT_BSTR, 0, S_OK,
     CComVariant(u"12/31/9999 11:59:59 PM")},
    {"date to i4 rounds half even", date(2.5), VT_I4, 0, S_OK, CComVariant(2)},
    {"date to r8", date(36526.25), VT_R8, 0, S_OK, CComVariant(36526.25)},
};

INSTANTIATE_TEST_SUITE_P(Rows, VariantChangeTypeTable, ::testing::ValuesIn(kConversions), row_name);

TEST(Variant, NullConvertsToNothingButNull)
{
    CComVariant null_value;
    null_value.vt = VT_NULL;
    CComVariant out;
    EXPECT_EQ(VariantChangeType(&out, &null_value, 0, VT_BSTR), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(VariantChangeType(&out, &null_value, 0, VT_NULL), S_OK);
}

TEST(Variant, ChangeTypeInPlaceAndFromReference)
{
    CComVariant v(u"17");
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_I4), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 17);
    LONG target = 99;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_I4 | VT_BYREF;
    ref.plVal = &target;
    CComVariant text;
    ASSERT_EQ(VariantChangeType(&text, &ref, 0, VT_BSTR), S_OK);
    EXPECT_EQ(com::bstr_view(text.bstrVal), u"99");
}

TEST(Variant, CopyIsDeepAndCopyIndDereferences)
{
    CComVariant s(u"text");
    CComVariant copy;
    ASSERT_EQ(VariantCopy(&copy, &s), S_OK);
    EXPECT_NE(copy.bstrVal, s.bstrVal);
    EXPECT_TRUE(copy == s);

    BSTR owned = SysAllocString(u"by ref");
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BSTR | VT_BYREF;
    ref.pbstrVal = &owned;
    CComVariant shallow;
    ASSERT_EQ(VariantCopy(&shallow, &ref), S_OK);
    EXPECT_EQ(shallow.vt, VT_BSTR | VT_BYREF);
    EXPECT_EQ(shallow.pbstrVal, &owned);
    CComVariant deep;
    ASSERT_EQ(VariantCopyInd(&deep, &ref), S_OK);
    EXPECT_EQ(deep.vt, VT_BSTR);
    EXPECT_NE(deep.bstrVal, owned);
    EXPECT_EQ(com::bstr_view(deep.bstrVal), u"by ref");
    // Clearing a by-reference variant leaves the referenced string alone.
    EXPECT_EQ(VariantClear(&shallow), S_OK);
    EXPECT_EQ(com::bstr_view(owned), u"by ref");
    SysFreeString(owned);
}

TEST(Variant, CopyOfArrayDuplicatesTheArray)
{
    CComVariant v;
    v.vt = VT_ARRAY | VT_BSTR;
    v.parray = SafeArrayCreateVector(VT_BSTR, 0, 1);
    LONG i = 0;
    CComBSTR name(u"dom");
    ASSERT_EQ(SafeArrayPutElement(v.parray, &i, name.m_str), S_OK);
    CComVariant copy(v);
    ASSERT_EQ(copy.vt, VT_ARRAY | VT_BSTR);
    EXPECT_NE(copy.parray, v.parray);
    BSTR got = nullptr;
    ASSERT_EQ(SafeArrayGetElement(copy.parray, &i, &got), S_OK);
    EXPECT_EQ(com::bstr_view(got), u"dom");
    SysFreeString(got);
}

TEST(Variant, ClearRefusesUnknownType)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = 0x0FF0;
    EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE);
}

} // namespace
