#include "platform/win32/entry_name.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char16_t* name;
    const char16_t* host;
    bool credentials;
    const char16_t* user;
    bool password_given;
    const char16_t* password;
    const char16_t* shown;
};

TEST(EntryName, SplitsHostUserAndPasswordAndNeverShowsThePassword)
{
    const Case cases[] = {
        {u"test.local", u"test.local", false, u"", false, u"", u"test.local"},
        {u"dc1/reader", u"dc1", true, u"reader", false, u"", u"dc1/reader"},
        {u"dc1/reader/", u"dc1", true, u"reader", true, u"", u"dc1/reader"},
        {u"dc1/reader/Pa55", u"dc1", true, u"reader", true, u"Pa55", u"dc1/reader"},
        {u"dc1/reader/a/b/c", u"dc1", true, u"reader", true, u"a/b/c", u"dc1/reader"},
        {u"dc1//secret", u"dc1", true, u"", true, u"secret", u"dc1/"},
        {u"", u"", false, u"", false, u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        const win32::entry_name entry = win32::parse_entry_name(c.name);
        EXPECT_EQ(entry.host, c.host);
        EXPECT_EQ(entry.has_credentials(), c.credentials);
        EXPECT_EQ(entry.user.value_or(u""), c.user);
        EXPECT_EQ(entry.password_given, c.password_given);
        EXPECT_EQ(entry.password, c.password);
        EXPECT_EQ(entry.shown(), c.shown);
    }
}

} // namespace
