#include "platform/ads/filter_syntax.h"

#include <gtest/gtest.h>

namespace {

TEST(FilterSyntax, BareNotOperandsGetParentheses)
{
    // Filters 105 and 125 of the collector's string table.
    EXPECT_EQ(ads::to_rfc4515_filter("(&(&(objectCategory=person)(objectClass=user)"
                                     "(userAccountControl:1.2.840.113556.1.4.803:=512)"
                                     "(!userAccountControl:1.2.840.113556.1.4.803:=2)))"),
              "(&(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4.803:=512)"
              "(!(userAccountControl:1.2.840.113556.1.4.803:=2))))");
    EXPECT_EQ(ads::to_rfc4515_filter("(&(objectCategory=person)(objectClass=user)"
                                     "(userAccountControl:1.2.840.113556.1.4.803:=512)"
                                     "(!userAccountControl:1.2.840.113556.1.4.803:=2)(msRTCSIP-UserEnabled=TRUE))"),
              "(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4.803:=512)"
              "(!(userAccountControl:1.2.840.113556.1.4.803:=2))(msRTCSIP-UserEnabled=TRUE))");
    EXPECT_EQ(ads::to_rfc4515_filter("(!cn=x)"), "(!(cn=x))");
}

TEST(FilterSyntax, Rfc4515FiltersPassUnchanged)
{
    for (const char* f :
         {"(objectClass=Computer)",
          "(&(objectCategory=computer)(!(primaryGroupId=516))(operatingSystem=*)(!(operatingSystem=*Server*)))",
          "(&(mailnickname=*)(objectCategory=person)(objectClass=user)(|(homeMDB=*)(msExchHomeServerName=*)))",
          "(cn=a\\29b)", "(!(!(cn=x)))"})
        EXPECT_EQ(ads::to_rfc4515_filter(f), f);
}

TEST(FilterSyntax, UnbalancedFiltersAreRefused)
{
    for (const char* f : {"", "cn=x", "(cn=x", "(cn=x))", "(&)", "(!)", "()", "(&(cn=x)", "(cn=(x))", "(cn=x)(cn=y)"})
        EXPECT_FALSE(ads::to_rfc4515_filter(f).has_value()) << f;
}

TEST(FilterSyntax, ItemsThatCompareNothingAreRefusedNotRewritten)
{
    // Each would come out as a filter that libldap rejects, "(!(&a=b))" say.
    for (const char* f : {"(!&a=b)", "(!|a=b)", "(!!a=b)", "(!=b)", "(!cn)", "(cn)", "(&(cn=x)(!&a=b))"})
        EXPECT_FALSE(ads::to_rfc4515_filter(f).has_value()) << f;
    // The other comparisons stay items.
    for (const char* f : {"(cn~=x)", "(cn>=x)", "(:1.2.840.113556.1.4.803:=2)", "(cn:dn:=x)"})
        EXPECT_EQ(ads::to_rfc4515_filter(f), f);
}

TEST(FilterSyntax, NestingBeyondTheLimitIsRefusedAtAnyDepth)
{
    const auto nested = [](int levels, const std::string& op) {
        std::string f;
        for (int i = 1; i < levels; ++i)
            f += "(" + op;
        f += "(cn=x)";
        f += std::string(static_cast<std::size_t>(levels - 1), ')');
        return f;
    };
    for (const std::string op : {"&", "|", "!"}) {
        EXPECT_TRUE(ads::to_rfc4515_filter(nested(ads::kMaxFilterNesting, op)).has_value()) << op;
        EXPECT_FALSE(ads::to_rfc4515_filter(nested(ads::kMaxFilterNesting + 1, op)).has_value()) << op;
        // Far deeper than any stack would follow: refused, not a crash.
        EXPECT_FALSE(ads::to_rfc4515_filter(nested(200000, op)).has_value()) << op;
    }
}

} // namespace
