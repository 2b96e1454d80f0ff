#include "platform/com/safearray.h"

#include <gtest/gtest.h>

namespace {

TEST(SafeArray, BoundsAndBadIndex)
{
    SAFEARRAY* psa = SafeArrayCreateVector(VT_I4, 5, 3);
    ASSERT_NE(psa, nullptr);
    LONG lo = 0;
    LONG hi = 0;
    EXPECT_EQ(SafeArrayGetLBound(psa, 1, &lo), S_OK);
    EXPECT_EQ(SafeArrayGetUBound(psa, 1, &hi), S_OK);
    EXPECT_EQ(lo, 5);
    EXPECT_EQ(hi, 7);
    EXPECT_EQ(SafeArrayGetLBound(psa, 2, &lo), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayGetDim(psa), 1u);
    EXPECT_EQ(SafeArrayGetElemsize(psa), 4u);
    VARTYPE vt = 0;
    EXPECT_EQ(SafeArrayGetVartype(psa, &vt), S_OK);
    EXPECT_EQ(vt, VT_I4);
    for (LONG index : {4, 8}) {
        LONG value = 1;
        EXPECT_EQ(SafeArrayPutElement(psa, &index, &value), DISP_E_BADINDEX) << index;
        EXPECT_EQ(SafeArrayGetElement(psa, &index, &value), DISP_E_BADINDEX) << index;
    }
    LONG index = 7;
    LONG value = 42;
    EXPECT_EQ(SafeArrayPutElement(psa, &index, &value), S_OK);
    value = 0;
    EXPECT_EQ(SafeArrayGetElement(psa, &index, &value), S_OK);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
}

TEST(SafeArray, EmptyArrayHasUpperBoundBelowLower)
{
    SAFEARRAY* psa = SafeArrayCreateVector(VT_VARIANT, 0, 0);
    ASSERT_NE(psa, nullptr);
    LONG hi = 0;
    EXPECT_EQ(SafeArrayGetUBound(psa, 1, &hi), S_OK);
    EXPECT_EQ(hi, -1);
    SafeArrayDestroy(psa);
}

TEST(SafeArray, RedimKeepsAndFreesElements)
{
    SAFEARRAY* psa = SafeArrayCreateVector(VT_BSTR, 0, 1);
    LONG i = 0;
    CComBSTR first(u"first");
    ASSERT_EQ(SafeArrayPutElement(psa, &i, first.m_str), S_OK);
    SAFEARRAYBOUND grow{3, 0};
    ASSERT_EQ(SafeArrayRedim(psa, &grow), S_OK);
    LONG hi = 0;
    SafeArrayGetUBound(psa, 1, &hi);
    EXPECT_EQ(hi, 2);
    BSTR got = nullptr;
    ASSERT_EQ(SafeArrayGetElement(psa, &i, &got), S_OK);
    EXPECT_EQ(com::bstr_view(got), u"first");
    SysFreeString(got);
    i = 2;
    ASSERT_EQ(SafeArrayGetElement(psa, &i, &got), S_OK);
    EXPECT_EQ(got, nullptr);
    SAFEARRAYBOUND shrink{1, 0};
    EXPECT_EQ(SafeArrayRedim(psa, &shrink), S_OK);
    SafeArrayGetUBound(psa, 1, &hi);
    EXPECT_EQ(hi, 0);
    SafeArrayDestroy(psa);
}

TEST(SafeArray, LockedArrayRefusesRedimAndDestroy)
{
    SAFEARRAY* psa = SafeArrayCreateVector(VT_I2, 0, 2);
    void* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(psa, &data), S_OK);
    EXPECT_NE(data, nullptr);
    SAFEARRAYBOUND b{4, 0};
    EXPECT_EQ(SafeArrayRedim(psa, &b), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(SafeArrayDestroy(psa), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(SafeArrayUnaccessData(psa), S_OK);
    EXPECT_EQ(SafeArrayUnaccessData(psa), E_UNEXPECTED);
    EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
}

TEST(SafeArray, TwoDimensionsLeftmostVariesFastest)
{
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {3, 1}};
    SAFEARRAY* psa = SafeArrayCreate(VT_I4, 2, bounds);
    ASSERT_NE(psa, nullptr);
    LONG hi = 0;
    SafeArrayGetUBound(psa, 2, &hi);
    EXPECT_EQ(hi, 3);
    LONG idx[2] = {1, 1};
    LONG v = 11;
    ASSERT_EQ(SafeArrayPutElement(psa, idx, &v), S_OK);
    EXPECT_EQ(static_cast<LONG*>(psa->pvData)[1], 11);
    SafeArrayDestroy(psa);
}

TEST(SafeArray, VariantElementsAreCopies)
{
    SAFEARRAY* psa = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    CComVariant value(u"x");
    LONG i = 0;
    ASSERT_EQ(SafeArrayPutElement(psa, &i, &value), S_OK);
    CComVariant got;
    ASSERT_EQ(SafeArrayGetElement(psa, &i, &got), S_OK);
    EXPECT_TRUE(got == value);
    EXPECT_NE(got.bstrVal, value.bstrVal);
    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(psa, &copy), S_OK);
    SafeArrayDestroy(psa);
    CComVariant again;
    ASSERT_EQ(SafeArrayGetElement(copy, &i, &again), S_OK);
    EXPECT_TRUE(again == value);
    SafeArrayDestroy(copy);
    EXPECT_EQ(SafeArrayCreateVector(VT_RECORD, 0, 1), nullptr);
}

} // namespace
