#include "platform/com/safearray.h"
#include "platform/com/variant.h"

#include <gtest/gtest.h>

namespace {

struct conversion_case {
    const char* name;
    CComVariant from;
    VARTYPE to;
    USHORT flags;
    HRESULT result;
    CComVariant expected;
};

TEST(Variant, ChangeTypeTable)
{
    const conversion_case cases[] = {
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
        {"date to bstr", CComVariant(2.5, VT_DATE), VT_BSTR, 0, S_OK, CComVariant(u"1/1/1900 12:00:00 PM")},
        {"i4 to unknown", CComVariant(1), VT_UNKNOWN, 0, DISP_E_TYPEMISMATCH, CComVariant()},
    };
    for (const auto& c : cases) {
        CComVariant out;
        EXPECT_EQ(VariantChangeType(&out, &c.from, c.flags, c.to), c.result) << c.name;
        if (c.result == S_OK) {
            EXPECT_TRUE(out == c.expected) << c.name;
        } else {
            EXPECT_EQ(out.vt, VT_EMPTY) << c.name;
        }
    }
}

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
