#include "collector/safe_vector.h"

#include "platform/com/bstr.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

namespace {

TEST(CSafeVector, CreateAndRedim)
{
    CSafeVector v;
    EXPECT_EQ(v.GetArraySize(), 1u); // no array
    EXPECT_EQ(v.GetArrayPtr(), nullptr);
    EXPECT_FALSE(v.CreateSimpleVector(VT_BSTR, 0, 0));
    EXPECT_EQ(v.variant().vt, VT_EMPTY);
    ASSERT_TRUE(v.CreateSimpleVector(VT_BSTR, 1, 0));
    EXPECT_EQ(v.variant().vt, VT_ARRAY | VT_BSTR);
    EXPECT_TRUE(v.IsArray());
    EXPECT_EQ(v.GetType(), VT_BSTR);
    EXPECT_EQ(v.Redim(2, 0), S_OK);
    EXPECT_EQ(v.GetLBound(), 0);
    EXPECT_EQ(v.GetUBound(), 1);
    EXPECT_EQ(v.GetArraySize(), 2u);
}

TEST(CSafeVector, FlaggedArrayWithoutDataHasSizeZero)
{
    CSafeVector v;
    v.variant().vt = VT_ARRAY | VT_BSTR;
    v.variant().parray = nullptr;
    EXPECT_EQ(v.GetArraySize(), 0u);
    EXPECT_EQ(v.GetLBound(), 0);
    v.variant().vt = VT_EMPTY;
}

TEST(CSafeVector, PutAndGetElementsByType)
{
    CSafeVector strings;
    ASSERT_TRUE(strings.CreateSimpleVector(VT_BSTR, 2, 5));
    VARIANT s;
    VariantInit(&s);
    s.vt = VT_BSTR;
    s.bstrVal = SysAllocString(u"dom");
    EXPECT_TRUE(strings.PutElem(5, s));
    EXPECT_FALSE(strings.PutElem(7, s)); // outside the bounds
    VARIANT wrong;
    VariantInit(&wrong);
    wrong.vt = VT_I4;
    wrong.lVal = 3;
    EXPECT_FALSE(strings.PutElem(6, wrong)); // no conversion
    VariantClear(&s);
    VARIANT out;
    VariantInit(&out);
    ASSERT_TRUE(strings.GetElem(5, &out));
    EXPECT_EQ(out.vt, VT_BSTR);
    EXPECT_EQ(std::u16string(out.bstrVal), u"dom");
    EXPECT_FALSE(strings.GetElem(4, &out));
    VariantClear(&out);

    CSafeVector ints;
    ASSERT_TRUE(ints.CreateSimpleVector(VT_I4, 1, 0));
    EXPECT_TRUE(ints.PutElem(0, wrong));
    VARIANT got = ints.GetElem(0);
    EXPECT_EQ(got.vt, VT_I4);
    EXPECT_EQ(got.lVal, 3);

    CSafeVector shorts;
    ASSERT_TRUE(shorts.CreateSimpleVector(VT_I2, 1, 0));
    EXPECT_FALSE(shorts.GetElem(0, &out)); // 16-bit integers are not handled

    CSafeVector variants;
    ASSERT_TRUE(variants.CreateSimpleVector(VT_VARIANT, 1, 0));
    EXPECT_TRUE(variants.PutElem(0, wrong)); // an array of variants stores the variant itself
    ASSERT_TRUE(variants.GetElem(0, &out));
    EXPECT_EQ(out.vt, VT_I4);
    EXPECT_EQ(out.lVal, 3);
}

TEST(CSafeVector, WithoutArrayAndByReference)
{
    CSafeVector plain;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = 9;
    EXPECT_FALSE(plain.PutElem(0, value)); // becomes a copy, reports false
    VARIANT out;
    VariantInit(&out);
    ASSERT_TRUE(plain.GetElem(0, &out)); // a copy of the variant itself
    EXPECT_EQ(out.lVal, 9);

    CSafeVector owner;
    ASSERT_TRUE(owner.CreateSimpleVector(VT_I4, 3, 0));
    CSafeVector by_ref;
    by_ref.variant().vt = VT_BYREF | VT_ARRAY | VT_I4;
    by_ref.variant().pparray = &owner.variant().parray;
    EXPECT_EQ(by_ref.GetArrayPtr(), owner.variant().parray);
    EXPECT_EQ(by_ref.GetArraySize(), 3u);
    EXPECT_EQ(by_ref.GetType(), VT_I4);
    by_ref.variant().vt = VT_EMPTY;

    VARIANT target;
    VariantInit(&target);
    EXPECT_EQ(owner.Detach(&target), S_OK);
    EXPECT_EQ(owner.variant().vt, VT_EMPTY);
    EXPECT_EQ(target.vt, VT_ARRAY | VT_I4);
    VariantClear(&target);
}

} // namespace
