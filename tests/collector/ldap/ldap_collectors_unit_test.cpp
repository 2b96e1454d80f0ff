// The logic of the LDAP collectors in isolation: filter value escaping, the bind paths of
// GetADsObject, error descriptions, and the count arithmetic over a scripted searcher.

#include "tests/collector/ldap/scripted_searcher.h"

#include "collector/collector_strings.h"
#include "collector/ldap/computers_collector_ad.h"
#include "collector/ldap/filter_value_escape.h"
#include "collector/ldap/get_ads_object.h"
#include "collector/ldap/users_collector_ad.h"
#include "collector/load_string.h"

#include <gtest/gtest.h>

using namespace ldap_collectors;
using namespace ldap_collectors_test;

namespace {

std::u16string filter(UINT id)
{
    std::u16string text;
    EXPECT_TRUE(utils::load_string(id, text));
    return text;
}

const std::u16string kSizeLimitLine = u"The size limit for this request was exceeded.\r\n";

} // namespace

TEST(FilterValueEscape, WritesFilterSyntaxCharactersAsEscapes)
{
    const struct {
        std::u16string value, escaped;
    } cases[] = {
        {u"EXCH1", u"EXCH1"},
        {u"", u""},
        {u"EX*", u"EX\\2a"},
        {u"EX(1)", u"EX\\281\\29"},
        {u"a\\b", u"a\\5cb"},
        {std::u16string(u"a\0b", 3), u"a\\00b"},
        {u"*)(cn=*", u"\\2a\\29\\28cn=\\2a"},
        {u"Zürich", u"Zürich"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.value));
        EXPECT_EQ(escape_filter_value(c.value), c.escaped);
    }
}

TEST(GetADsObjectPath, BuildsPathAndCredentialsFromTheName)
{
    const struct {
        const char16_t* name;
        const char16_t* server;
        const char16_t* suffix;
        std::u16string path;
        bool credentials;
        std::u16string user, password;
    } cases[] = {
        {u"test.local", nullptr, nullptr, u"LDAP://test.local", false, u"", u""},
        {u"test.local", nullptr, u"/RootDSE", u"LDAP://test.local/RootDSE", false, u"", u""},
        {u"test.local", nullptr, u"CN=Configuration,DC=test,DC=local",
         u"LDAP://test.local/CN=Configuration,DC=test,DC=local", false, u"", u""},
        {u"test.local", u"dc1:636", nullptr, u"LDAP://dc1:636", false, u"", u""},
        {u"dc1/admin/pa/ss", nullptr, u"/RootDSE", u"LDAP://dc1/RootDSE", true, u"admin", u"pa/ss"},
        {u"dc1/admin", nullptr, nullptr, u"LDAP://dc1", true, u"admin", u""},
        {u"dc1/admin/", nullptr, nullptr, u"LDAP://dc1", true, u"admin", u""},
        {u"dc1/admin/secret", u"other", nullptr, u"LDAP://other", true, u"admin", u"secret"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::u16string(c.name)));
        [&] { // an ASSERT ends this row only
            const ads_bind_request request = make_bind_request(c.name, c.server, c.suffix);
            EXPECT_EQ(request.path, c.path) << std::string(c.path.begin(), c.path.end());
            ASSERT_EQ(request.user.has_value(), c.credentials);
            if (c.credentials) {
                EXPECT_EQ(*request.user, c.user);
                EXPECT_EQ(request.password, c.password);
            }
        }();
    }
}

TEST(GetADsObjectPath, NullArgumentsAreRefused)
{
    void* object = nullptr;
    EXPECT_EQ(GetADsObject(nullptr, nullptr, nullptr, IID_IDirectorySearch, &object), E_POINTER);
    EXPECT_EQ(GetADsObject(u"x", nullptr, nullptr, IID_IDirectorySearch, nullptr), E_POINTER);
}

TEST(CollectorAdConnect, ANameHoldingANulIsRefusedNotCutShort)
{
    const std::u16string name(u"127.0.0.1\0evil", 14);
    std::u16string error;
    EXPECT_EQ(collector_ad::Connect(name, error), nullptr);
    // The line shows the NUL as its picture: a line of the log holds no control character.
    EXPECT_EQ(error, u"error while connecting to LDAP server '127.0.0.1\u2400evil': An invalid directory pathname "
                     u"was passed\r\n");
}

TEST(CollectorAdErrorDescription, EndsInOneLineBreak)
{
    EXPECT_EQ(collector_ad::GetErrorDescription(HRESULT_FROM_WIN32(8227)), kSizeLimitLine);
    EXPECT_EQ(collector_ad::GetErrorDescription(E_ADS_BAD_PATHNAME), u"An invalid directory pathname was passed\r\n");
    // A code without any text gives the line break alone.
    EXPECT_EQ(collector_ad::GetErrorDescription(static_cast<HRESULT>(0x8004F123u)), u"\r\n");
}

TEST(CollectorAdCount, CountsRowsAndAFailureAtAnyPointIsNoData)
{
    const struct {
        scripted_search search;
        LONG count;
        bool error;
    } cases[] = {
        {{S_OK, 0, S_ADS_NOMORE_ROWS}, 0, false}, // nothing found is 0, not -1
        {{S_OK, 1234, S_ADS_NOMORE_ROWS}, 1234, false},    {{HRESULT_FROM_WIN32(8227), 0, S_ADS_NOMORE_ROWS}, -1, true},
        {{S_OK, 0, HRESULT_FROM_WIN32(8227)}, -1, true},   // the server's refusal comes with the first row
        {{S_OK, 250, HRESULT_FROM_WIN32(8227)}, -1, true}, // cut short: the rows read are no count
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        scripted_searcher searcher;
        searcher.script[u"(cn=x)"] = c.search;
        users_collector_ad collector;
        collector.Init(&searcher);
        std::u16string error = u"earlier\r\n";
        EXPECT_EQ(collector.CollectItemCount(u"(cn=x)", error), c.count);
        EXPECT_EQ(error,
                  c.error ? u"earlier\r\nerror processing LDAP query '(cn=x)': " + kSizeLimitLine : u"earlier\r\n");
        EXPECT_EQ(searcher.open_handles, 0);
    }
}

TEST(CollectorAdCount, SetsTheFivePreferencesBeforeEverySearch)
{
    scripted_searcher searcher;
    users_collector_ad collector;
    collector.Init(&searcher);
    std::u16string error;
    collector.CollectItemCount(u"(cn=a)", error);
    collector.CollectItemCount(u"(cn=b)", error);
    ASSERT_EQ(searcher.preferences.size(), 2u);
    const auto& prefs = searcher.preferences[1];
    ASSERT_EQ(prefs.size(), 5u);
    const struct {
        ADS_SEARCHPREF pref;
        ADSTYPE type;
        DWORD value;
    } expected[] = {
        {ADS_SEARCHPREF_PAGESIZE, ADSTYPE_INTEGER, 100},
        {ADS_SEARCHPREF_SEARCH_SCOPE, ADSTYPE_INTEGER, ADS_SCOPE_SUBTREE},
        {ADS_SEARCHPREF_ATTRIBTYPES_ONLY, ADSTYPE_BOOLEAN, 0},
        {ADS_SEARCHPREF_CACHE_RESULTS, ADSTYPE_BOOLEAN, 0},
        {ADS_SEARCHPREF_CACHE_RESULTS, ADSTYPE_INTEGER, 96},
    };
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(prefs[i].dwSearchPref, expected[i].pref) << i;
        EXPECT_EQ(prefs[i].vValue.dwType, expected[i].type) << i;
        EXPECT_EQ(prefs[i].vValue.Integer, expected[i].value) << i;
    }
}

TEST(CollectorAdCount, WithoutSearcherFailsWithALine)
{
    users_collector_ad collector;
    std::u16string error;
    EXPECT_EQ(collector.CollectItemCount(u"(cn=x)", error), -1);
    EXPECT_EQ(error.rfind(u"error processing LDAP query '(cn=x)': ", 0), 0u);
}

TEST(ComputersCollectorAd, ServerCountAddsTheControllersUnlessAFailureSaysOtherwise)
{
    const HRESULT failure = HRESULT_FROM_WIN32(8227);
    const struct {
        scripted_search dc, server;
        LONG pushed_dc, pushed_server;
    } cases[] = {
        {{S_OK, 3}, {S_OK, 7}, 3, 10},
        {{failure}, {S_OK, 7}, -1, 7},
        {{S_OK, 3}, {failure}, 3, -1},
        {{S_OK, 0}, {S_OK, 0}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        scripted_searcher searcher;
        searcher.script[filter(collector_strings::IDS_FILTER_DC)] = c.dc;
        searcher.script[filter(collector_strings::IDS_FILTER_SERVER)] = c.server;
        searcher.script[filter(collector_strings::IDS_FILTER_WORKSTATION)] = {S_OK, 150};
        computers_collector_ad collector;
        collector.Init(&searcher);
        collector::pairs pairs{{oxcUser, 1}};
        std::u16string error;
        const bool ok = collector.Collect(u"test.local", pairs, error);
        const collector::pairs expected{
            {oxcDC, c.pushed_dc}, {oxcServer, c.pushed_server}, {oxcWorkstation, 150}, {oxcUnknownComputerType, 0}};
        EXPECT_EQ(pairs, expected);
        EXPECT_EQ(ok, error.empty());
        EXPECT_EQ(ok, c.dc.execute == S_OK && c.server.execute == S_OK);
    }
}
