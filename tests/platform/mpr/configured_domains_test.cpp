// The domains this machine is configured for: the realm of an smb.conf's [global] section, the
// default realm of the Kerberos configuration KRB5_CONFIG names, and how the two and the browse
// list's names make one list.

#include "platform/mpr/configured_domains.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

class ConfiguredDomainsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/ostrel-mpr-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        if (const char* old = std::getenv("KRB5_CONFIG"))
            saved_krb5_config_ = old;
    }
    void TearDown() override
    {
        if (saved_krb5_config_)
            setenv("KRB5_CONFIG", saved_krb5_config_->c_str(), 1);
        else
            unsetenv("KRB5_CONFIG");
        for (const char* name : {"smb.conf", "krb5.conf"})
            std::remove((dir_ + "/" + name).c_str());
        rmdir(dir_.c_str());
    }

    std::string write(const char* name, const std::string& text)
    {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path) << text;
        return path;
    }

    std::string dir_;
    std::optional<std::string> saved_krb5_config_;
};

TEST_F(ConfiguredDomainsTest, SmbConfRealmIsTheGlobalSectionsSetting)
{
    const struct {
        const char* text;
        const char* realm;
    } cases[] = {
        {"[global]\n\tworkgroup = TEST\n\trealm = TEST.LOCAL\n", "TEST.LOCAL"},
        {"[Global]\n  Re alm=Example.Org  \r\n", "Example.Org"},
        {"realm = BEFORE.SECTIONS\n[homes]\n", "BEFORE.SECTIONS"},
        {"[global]\n; realm = COMMENTED\n# realm = COMMENTED\n", ""},
        {"[share]\n\trealm = NOT.GLOBAL\n", ""},
        {"[global]\n\trealm = FIRST\n[share]\n\tpath = /x\n[global]\n\trealm = LAST\n", "LAST"},
        {"[global]\n\trealm = CONTINUED.\\\nLINE\n", "CONTINUED.LINE"},
        {"[global]\n\tworkgroup = TEST\n", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mpr::smb_conf_realm(write("smb.conf", c.text)), c.realm) << c.text;
    EXPECT_EQ(mpr::smb_conf_realm(dir_ + "/missing.conf"), "");
}

TEST_F(ConfiguredDomainsTest, KerberosRealmFirstThenSmbConfAsLowerCaseDnsNames)
{
    setenv("KRB5_CONFIG", write("krb5.conf", "[libdefaults]\n\tdefault_realm = KERBEROS.TEST\n").c_str(), 1);
    EXPECT_EQ(mpr::kerberos_default_realm(), "KERBEROS.TEST");
    EXPECT_EQ(mpr::configured_domains(write("smb.conf", "[global]\n\trealm = SAMBA.TEST\n")),
              (std::vector<std::string>{"kerberos.test", "samba.test"}));
    EXPECT_EQ(mpr::configured_domains(write("smb.conf", "[global]\n\trealm = Kerberos.Test\n")),
              (std::vector<std::string>{"kerberos.test"}))
        << "one realm named by both is listed once";
    EXPECT_EQ(mpr::configured_domains(write("smb.conf", "[global]\n\tworkgroup = TEST\n")),
              (std::vector<std::string>{"kerberos.test"}));
}

TEST(MergeDomainNames, FirstListLeadsAndRepeatsGo)
{
    EXPECT_EQ(mpr::merge_domain_names({"test.local", "other.test"}, {"TEST", "Test.Local", "WORKGROUP", "TEST"}),
              (std::vector<std::string>{"test.local", "other.test", "TEST", "WORKGROUP"}));
    EXPECT_EQ(mpr::merge_domain_names({"", "a.test"}, {""}), (std::vector<std::string>{"a.test"}));
    EXPECT_EQ(mpr::merge_domain_names({}, {}), std::vector<std::string>{});
}

} // namespace
