// A domain counted over the management calls against the fixture's Samba AD domain
// controller: the engine is given the management back end beside a directory half whose
// bind always fails, so the LDAP path is never taken. The administrator's Kerberos ticket is
// the caller's own credentials.

#include "collector/netapi/netapi_network_backend.h"
#include "collector/ostrel_collector_impl.h"

#include "engine_run.h"

#include "platform/com/bstr.h"
#include "platform/com/runtime.h"
#include "platform/com/safearray.h"
#include "platform/win32/text.h"
#include "tests/support/dc_ticket.h"
#include "tests/support/server_env.h"

#include <gtest/gtest.h>

#include <arpa/nameser.h>
#include <netinet/in.h>
#include <resolv.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace {

using netcol_test::clock_type;
using ostrel::test::dc_count;
using ostrel::test::env;

LONG count_of(const COstrelCollectorImpl::domain_info& info, oxcOstrelCounter counter)
{
    const auto found = info.counts.find(counter);
    return found == info.counts.end() ? -1 : found->second;
}

std::vector<std::u16string> sorted_lines(const std::u16string& text)
{
    std::vector<std::u16string> lines = netcol_test::lines_of(text);
    std::sort(lines.begin(), lines.end());
    return lines;
}

class NetapiCollectorsAddc : public ::testing::Test {
protected:
    void SetUp() override
    {
        OSTREL_REQUIRE_SAMBA_DC();
        // Once per process, before the first management call opens the session.
        static std::string why;
        static const bool taken = ostrel::test::take_dc_ticket(why);
        ASSERT_TRUE(taken) << why;
        // The locator finds the controller from the domain's service records and the address
        // of its host in the DC's DNS (no hosts file); the fixture registers that address.
        unsigned char answer[512];
        ASSERT_GT(res_query(env("SAMBA_DC_FQDN")->c_str(), C_IN, T_A, answer, sizeof answer), 0)
            << "the DC's DNS has no address record of " << *env("SAMBA_DC_FQDN")
            << ": no locator can find the controller";
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        // The domain's DNS name: a flat name is located over NetBIOS, which is off here.
        domain_ = utf8_to_utf16(*env("SAMBA_DC_REALM"));
    }
    void TearDown() override
    {
        if (!IsSkipped())
            CoUninitialize();
    }

    std::vector<COstrelCollectorImpl::domain_info> collect(const std::vector<std::u16string>& names,
                                                           std::vector<clock_type::time_point>* collected_at = nullptr)
    {
        return netcol_test::collect_over(backend_, names, collected_at);
    }

    // No directory back end: every bind fails.
    std::shared_ptr<network_backend> backend_ = std::make_shared<netapi_network_backend>();
    std::u16string domain_;
};

TEST_F(NetapiCollectorsAddc, DomainWithoutLdapIsCountedOverTheManagementCalls)
{
    const auto infos = collect({domain_});
    ASSERT_EQ(infos.size(), 1u);
    const auto& info = infos[0];

    EXPECT_EQ(count_of(info, oxcDC), dc_count("COUNT_DC"));
    // No controller serves a browse list, so the servers fail with its text and the
    // workstations are the machine accounts (service accounts included) less the controllers.
    EXPECT_EQ(count_of(info, oxcServer), -1);
    EXPECT_EQ(count_of(info, oxcWorkstation), dc_count("COUNT_SAM_MACHINE_ACCOUNT") - dc_count("COUNT_DC"));
    EXPECT_EQ(info.error, u"error while enumerating computers (servers): The list of servers for this workgroup is "
                          u"not currently available\r\n");

    EXPECT_EQ(count_of(info, oxcUser), dc_count("COUNT_SAM_USER_ACCOUNT"));
    // Samba's controller reports the account flags of display information level 1 as 0 for
    // every account, disabled ones included, so over the management calls the enabled count
    // equals the total there (the directory knows COUNT_ENABLED_USER of them are enabled).
    EXPECT_EQ(count_of(info, oxcEnabledUser), dc_count("COUNT_SAM_USER_ACCOUNT"));

    EXPECT_EQ(count_of(info, oxcGlobalGroup), dc_count("COUNT_SAM_GLOBAL_GROUP"));
    EXPECT_EQ(count_of(info, oxcLocalGroup), dc_count("COUNT_SAM_LOCAL_GROUP"));

    // What the management calls do not count stays without data.
    for (oxcOstrelCounter counter : {oxcUnknownComputerType, oxcUniversalGroup, oxcMSA, oxcLyncEnabledUser,
                                     oxcExchangeServer, oxcMailEnabledUser, oxcContact})
        EXPECT_EQ(count_of(info, counter), -1) << counter;
}

TEST_F(NetapiCollectorsAddc, DomainNobodyAnswersForFailsWithinSecondsAndTheRunGoesOn)
{
    const std::u16string nobody = u"nosuch.example.invalid";
    std::vector<clock_type::time_point> collected_at;
    const auto start = clock_type::now();
    const auto infos = collect({nobody, domain_}, &collected_at);
    ASSERT_EQ(infos.size(), 2u);
    ASSERT_EQ(collected_at.size(), 2u);
    EXPECT_LT(std::chrono::duration<double>(collected_at[0] - start).count(), 10.0)
        << "three controller lookups, one per collector";

    const std::u16string not_found = u"Could not find domain controller for this domain.\r\n";
    // Every line has the lookup's reason, the workstations too, whose count of machine
    // accounts meets the lookup's cached failure.
    EXPECT_EQ(sorted_lines(infos[0].error),
              sorted_lines(u"error while enumerating computers (domain controllers): " + not_found +
                           u"error while enumerating computers (servers): " + not_found +
                           u"error while enumerating computers (workstations): " + not_found +
                           u"Error while enumerating users: " + not_found + u"Error while enumerating global groups: " +
                           not_found + u"Error while enumerating local groups: " + not_found));
    for (oxcOstrelCounter counter :
         {oxcDC, oxcServer, oxcWorkstation, oxcUser, oxcEnabledUser, oxcGlobalGroup, oxcLocalGroup})
        EXPECT_EQ(count_of(infos[0], counter), -1) << counter;

    EXPECT_EQ(infos[1].name, domain_);
    EXPECT_EQ(count_of(infos[1], oxcUser), dc_count("COUNT_SAM_USER_ACCOUNT"));
    EXPECT_EQ(count_of(infos[1], oxcDC), dc_count("COUNT_DC"));
}

TEST_F(NetapiCollectorsAddc, NetworkWithoutBrowseMasterListsTheConfiguredDomain)
{
    COstrelCollectorImpl engine(nullptr, backend_);
    VARIANT domains;
    VariantInit(&domains);
    domains.vt = VT_I4;
    EXPECT_EQ(engine.EnumerateDomains(&domains), S_OK);
    // The client's krb5.conf and smb.conf name the DC's realm; no browse list adds to it.
    ASSERT_EQ(domains.vt, VT_ARRAY | VT_BSTR);
    LONG upper = -1;
    ASSERT_EQ(SafeArrayGetUBound(domains.parray, 1, &upper), S_OK);
    ASSERT_EQ(upper, 0);
    BSTR first = nullptr;
    LONG index = 0;
    ASSERT_EQ(SafeArrayGetElement(domains.parray, &index, &first), S_OK);
    EXPECT_EQ(std::u16string(first), u"test.local");
    SysFreeString(first);
    VariantClear(&domains);
}

} // namespace
