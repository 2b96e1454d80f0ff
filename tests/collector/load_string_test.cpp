#include "collector/collector_strings.h"
#include "collector/load_string.h"

#include <gtest/gtest.h>

namespace {

TEST(LoadString, TextsByNumber)
{
    struct Case {
        UINT id;
        const char16_t* text;
    };
    const Case cases[] = {
        {100, u"OstrelCollector"},
        {101, u"Timeout expired"},
        {103, u"Collection of domain \"%s\" failed due to the following reason: %s"},
        {104, u"(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4.803:=512))"},
        {105, u"(&(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4.803:=512)"
              u"(!userAccountControl:1.2.840.113556.1.4.803:=2)))"},
        {107, u"(&(objectCategory=group)(groupType:1.2.840.113556.1.4.804:=10))"},
        {108, u"(&(objectCategory=group)(groupType:1.2.840.113556.1.4.803:=4))"},
        {109, u"(&(objectCategory=computer)(!(primaryGroupId=516))(operatingSystem=*)(!(operatingSystem=*Server*)))"},
        {110, u"(&(objectCategory=computer)(primaryGroupId=516))"},
        {111, u"(&(objectCategory=computer)(!(primaryGroupId=516))(operatingSystem=*Server*))"},
        {112, u"(objectCategory=msExchExchangeServer)"},
        {113, u"(&(objectCategory=person)(objectClass=user)(mail=*))"},
        {114, u"(&(mailnickname=*)(objectCategory=person)(objectClass=user)(|(homeMDB=*)(msExchHomeServerName=*)))"},
        {115, u"(&(objectCategory=group)(mail=*))"},
        {116, u"(&(objectCategory=person)(objectClass=contact)(mail=*))"},
        {117, u"(objectClass=Computer)"},
        {118, u"(objectClass=organizationalPerson)"},
        {119, u"(objectClass=organization)"},
        {120, u"No Exchange Organization found on server "},
        {121, u"(&(objectCategory=computer)(!(primaryGroupId=516))(!(operatingSystem=*)))"},
        {122, u"(&(objectCategory=group)(groupType:1.2.840.113556.1.4.803:=8))"},
        {123, u"(&(objectClass=Computer)(cn=%s))"},
        {124, u"(&(objectCategory=msDS-ManagedServiceAccount)(objectClass=msDS-ManagedServiceAccount))"},
        {125, u"(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4.803:=512)"
              u"(!userAccountControl:1.2.840.113556.1.4.803:=2)(msRTCSIP-UserEnabled=TRUE))"},
    };
    for (const auto& c : cases) {
        std::u16string text;
        EXPECT_TRUE(utils::load_string(c.id, text)) << c.id;
        EXPECT_EQ(text, c.text) << c.id;
    }
    EXPECT_EQ(collector_strings::entries().size(), std::size(cases));
}

TEST(LoadString, MissingIdLeavesTextUnchanged)
{
    for (UINT id : {102u, 106u, 126u, 0u}) {
        SCOPED_TRACE(id);
        std::u16string text = u"kept";
        EXPECT_FALSE(utils::load_string(id, text)) << id;
        EXPECT_EQ(text, u"kept");
        std::vector<WCHAR> chars{u'k'};
        EXPECT_FALSE(utils::load_string(id, chars)) << id;
        EXPECT_EQ(chars.size(), 1u);
    }
}

TEST(LoadString, TerminatorIsPartOfTheTextWhenAsked)
{
    std::u16string text;
    ASSERT_TRUE(utils::load_string(100, text, true));
    EXPECT_EQ(text, std::u16string(u"OstrelCollector", 16));
    std::vector<WCHAR> chars;
    ASSERT_TRUE(utils::load_string(117, chars));
    ASSERT_EQ(chars.size(), 23u);
    EXPECT_EQ(chars.back(), u'\0');
    EXPECT_EQ(std::u16string(chars.data()), u"(objectClass=Computer)");
}

} // namespace
