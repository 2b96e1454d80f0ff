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
    for (const char* f : {"(objectClass=Computer)",
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

} // namespace
