#include "platform/com/atl/enum_on_stl.h"
#include "platform/com/enum_variant.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using variant_enum = CComEnumOnSTL<IEnumVARIANT, &IID_IEnumVARIANT, VARIANT, _Copy<VARIANT>, std::vector<CComVariant>>;

TEST(EnumOnStl, NextSkipResetClone)
{
    std::vector<CComVariant> items{CComVariant(1), CComVariant(u"two"), CComVariant(3)};
    CComObject<variant_enum>* e = nullptr;
    ASSERT_EQ(CComObject<variant_enum>::CreateInstance(&e), S_OK);
    e->AddRef();
    e->Init(nullptr, items);
    VARIANT out[2];
    ULONG fetched = 0;
    ASSERT_EQ(e->Next(2, out, &fetched), S_OK);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(out[0].lVal, 1);
    EXPECT_EQ(com::bstr_view(out[1].bstrVal), u"two");
    VariantClear(&out[0]);
    VariantClear(&out[1]);
    CComPtr<IEnumVARIANT> clone;
    ASSERT_EQ(e->Clone(&clone), S_OK);
    ASSERT_EQ(e->Next(2, out, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 1u);
    VariantClear(&out[0]);
    EXPECT_EQ(e->Next(1, out, nullptr), S_FALSE);
    // The clone kept its own position.
    ASSERT_EQ(clone->Next(1, out, nullptr), S_OK);
    EXPECT_EQ(out[0].lVal, 3);
    EXPECT_EQ(e->Reset(), S_OK);
    EXPECT_EQ(e->Skip(5), S_FALSE);
    e->Reset();
    EXPECT_EQ(e->Skip(1), S_OK);
    EXPECT_EQ(e->Next(2, nullptr, &fetched), E_POINTER);
    // A collection that shrinks under the enumerator ends it, never reads past it.
    items.clear();
    EXPECT_EQ(e->Next(1, out, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    clone.Release();
    e->Release();
}

} // namespace
