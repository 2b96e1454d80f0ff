#include "platform/com/atl/registrar.h"

#include "tests/platform/com/registry_probe.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char16_t* const script = uR"(HKCR
{
    Test.Thing.1 = s 'Thing Class'
    {
        CLSID = s '{11111111-2222-3333-4444-555555555555}'
    }
    NoRemove CLSID
    {
        ForceRemove {11111111-2222-3333-4444-555555555555} = s 'Thing Class'
        {
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Free'
                val Count = d '0x10'
            }
            'Programmable'
            Quoted = s 'it''s 100%%'
        }
    }
})";

TEST(Registrar, RegistersValuesWithReplacements)
{
    ostrel::test::temp_registry registry;
    ASSERT_EQ(com::registrar::run_script(script, true, {{u"MODULE", u"/opt/lib/thing.so"}}), S_OK);
    const std::u16string clsid = u"CLSID\\{11111111-2222-3333-4444-555555555555}";
    EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, u"Test.Thing.1"), u"Thing Class");
    EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, clsid + u"\\InprocServer32"), u"/opt/lib/thing.so");
    EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, clsid + u"\\InprocServer32", u"ThreadingModel"), u"Free");
    EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, clsid + u"\\Quoted"), u"it's 100%");
    EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, clsid + u"\\Programmable"));
}

TEST(Registrar, ForceRemoveClearsOldContentOnRegister)
{
    ostrel::test::temp_registry registry;
    const std::u16string stale = u"CLSID\\{11111111-2222-3333-4444-555555555555}\\Stale";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, stale.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(com::registrar::run_script(script, true, {{u"MODULE", u"m"}}), S_OK);
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, stale));
}

TEST(Registrar, UnregisterKeepsNoRemoveAndOtherKeys)
{
    ostrel::test::temp_registry registry;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"CLSID\\{99999999-0000-0000-0000-000000000000}", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(com::registrar::run_script(script, true, {{u"MODULE", u"m"}}), S_OK);
    ASSERT_EQ(com::registrar::run_script(script, false, {{u"MODULE", u"m"}}), S_OK);
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, u"Test.Thing.1"));
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, u"CLSID\\{11111111-2222-3333-4444-555555555555}"));
    EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, u"CLSID"));
    EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, u"CLSID\\{99999999-0000-0000-0000-000000000000}"));
    // Unregistering what is not there is not an error.
    EXPECT_EQ(com::registrar::run_script(script, false, {{u"MODULE", u"m"}}), S_OK);
}

TEST(Registrar, MalformedScriptsWriteNothing)
{
    ostrel::test::temp_registry registry;
    const char16_t* const bad[] = {
        u"HKCR { A = s 'unterminated }", u"HKXX { A }",
        u"HKCR { A = q 'x' }",           u"HKCR { A { B }",
        u"HKCR { A = s '%UNKNOWN%' }",   u"HKCR { val X = s 'y' }",
    };
    for (const char16_t* text : bad) {
        SCOPED_TRACE(::testing::PrintToString(std::u16string(text)));
        EXPECT_EQ(com::registrar::run_script(text, true, {}), E_INVALIDARG);
    }
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, u"A"));
}

// Registering and unregistering a script are one save each; a registry failure half-way
// through writes nothing of the script, the file byte for byte as it was.
TEST(Registrar, AScriptIsWrittenInOneSaveOrNotAtAll)
{
    struct Case {
        const char* what;
        const char16_t* text;
        bool do_register;
        HRESULT result;
        int saves;
    };
    const Case cases[] = {
        {"registering", script, true, S_OK, 1},
        {"unregistering", script, false, S_OK, 1},
        {"a key name the registry refuses after others",
         u"HKCR { Test.Before = s 'x' { CLSID = s 'y' } 'Bad\\\\Name' = s 'z' }", true,
         HRESULT_FROM_WIN32(ERROR_BAD_PATHNAME), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ostrel::test::temp_registry registry;
        if (!c.do_register) {
            ASSERT_EQ(com::registrar::run_script(script, true, {{u"MODULE", u"m"}}), S_OK);
        }
        const std::string before = registry.text();
        registry.saves();
        EXPECT_EQ(com::registrar::run_script(c.text, c.do_register, {{u"MODULE", u"m"}}), c.result);
        EXPECT_EQ(registry.saves(), c.saves);
        if (c.saves == 0) {
            EXPECT_EQ(registry.text(), before);
            EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, u"Test.Before"));
        } else {
            EXPECT_EQ(key_exists(HKEY_CLASSES_ROOT, u"Test.Thing.1"), c.do_register);
        }
    }
}

} // namespace
