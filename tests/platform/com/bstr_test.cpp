#include "platform/com/bstr.h"

#include <gtest/gtest.h>

namespace {

TEST(Bstr, NullIsNotEmpty)
{
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    BSTR empty = SysAllocString(u"");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SysStringLen(empty), 0u);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(empty[0], u'\0');
    SysFreeString(empty);
    SysFreeString(nullptr);
}

TEST(Bstr, LengthPrefixAllowsEmbeddedNul)
{
    const OLECHAR text[] = {u'a', u'\0', u'b'};
    BSTR s = SysAllocStringLen(text, 3);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(SysStringByteLen(s), 6u);
    EXPECT_EQ(reinterpret_cast<const std::uint32_t*>(s)[-1], 6u);
    EXPECT_EQ(s[3], u'\0');
    SysFreeString(s);
    BSTR odd = SysAllocStringByteLen("abc", 3);
    EXPECT_EQ(SysStringByteLen(odd), 3u);
    EXPECT_EQ(SysStringLen(odd), 1u);
    SysFreeString(odd);
}

TEST(Bstr, ReAllocFromItsOwnBuffer)
{
    BSTR s = SysAllocString(u"hello world");
    ASSERT_TRUE(SysReAllocString(&s, s + 6));
    EXPECT_EQ(com::bstr_view(s), u"world");
    ASSERT_TRUE(SysReAllocString(&s, nullptr));
    EXPECT_EQ(s, nullptr);
}

TEST(CComBstr, CopyAppendAndCompare)
{
    CComBSTR a(u"abc");
    CComBSTR b = a;
    EXPECT_NE(a.m_str, b.m_str);
    EXPECT_TRUE(a == b);
    b.Append(u"def");
    EXPECT_EQ(b.view(), u"abcdef");
    CComBSTR null_one;
    EXPECT_TRUE(!null_one);
    EXPECT_EQ(null_one.Copy(), nullptr);
    CComBSTR utf8("h\xC3\xA9");
    EXPECT_EQ(utf8.view(), u"h\u00e9");
    EXPECT_EQ(utf8.to_utf8(), "h\xC3\xA9");
    BSTR out = nullptr;
    EXPECT_EQ(a.CopyTo(&out), S_OK);
    EXPECT_EQ(com::bstr_view(out), u"abc");
    SysFreeString(out);
    EXPECT_EQ(a.CopyTo(nullptr), E_POINTER);
}

} // namespace
