// A registry batch: many changes saved once, or, after a failure anywhere in it, not at all,
// the file then byte for byte as it was.

#include "platform/win32/registry.h"

#include "platform/win32/win_errors.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

constexpr LONG ok = ERROR_SUCCESS;

LONG set_text(const std::u16string& path, const std::u16string& text)
{
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (rc != ok)
        return rc;
    rc = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
    RegCloseKey(key);
    return rc;
}

// The default value of HKCR\<path>, or "<missing>".
std::u16string text_of(const std::u16string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ok)
        return u"<missing>";
    char16_t buffer[256];
    DWORD size = sizeof buffer;
    const LONG rc = RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return rc == ok ? std::u16string(buffer, size / sizeof(char16_t) - 1) : u"<missing>";
}

HRESULT hr_of(LONG rc) { return rc == ok ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(rc)); }

// Twenty keys, as a registration writes them; the first failure ends it.
HRESULT write_twenty()
{
    for (int i = 0; i < 20; ++i) {
        const std::u16string n(1, static_cast<char16_t>(u'A' + i));
        if (const LONG rc = set_text(u"Batch\\" + n, u"value " + n); rc != ok)
            return hr_of(rc);
    }
    return S_OK;
}

struct Case {
    const char* what;
    std::function<HRESULT()> changes;
    HRESULT result;
    int saves;             // of the registry file, by the batch
    const char16_t* after; // HKCR\Batch\T afterwards
};

TEST(RegistryBatch, SavesOnceOrNotAtAll)
{
    const Case cases[] = {
        {"many changes are one save", [] { return write_twenty(); }, S_OK, 1, u"value T"},
        {"the batch reads its own changes",
         [] {
             const HRESULT hr = write_twenty();
             return SUCCEEDED(hr) && text_of(u"Batch\\T") == u"value T" && text_of(u"Before") == u"kept" ? hr
                                                                                                        : E_FAIL;
         },
         S_OK, 1, u"value T"},
        {"reads alone save nothing", [] { return text_of(u"Before") == u"kept" ? S_OK : E_FAIL; }, S_OK, 0,
         u"<missing>"},
        {"a failed change after others writes none of them",
         [] {
             const HRESULT hr = write_twenty();
             HKEY read_only = nullptr;
             if (RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Before", 0, KEY_READ, &read_only) != ok)
                 return E_UNEXPECTED;
             const LONG rc = RegSetValueExW(read_only, u"x", 0, REG_SZ, reinterpret_cast<const BYTE*>(u"y"), 4);
             RegCloseKey(read_only);
             return FAILED(hr) ? hr : hr_of(rc);
         },
         HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), 0, u"<missing>"},
        {"changes that fail on their own say so and write nothing", [] { return write_twenty(), E_ABORT; },
         E_ABORT, 0, u"<missing>"},
        {"an inner batch joins the outer one's save",
         [] { return SUCCEEDED(write_twenty()) ? win32::registry_batch(write_twenty) : E_FAIL; }, S_OK, 1,
         u"value T"},
        {"a failed inner batch fails the outer one, though it goes on",
         [] {
             write_twenty();
             win32::registry_batch([] { return hr_of(set_text(u"Inner", u"inner")), E_FAIL; });
             return S_OK;
         },
         HRESULT_FROM_WIN32(ERROR_CANCELLED), 0, u"<missing>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ostrel::test::temp_registry registry;
        ASSERT_EQ(set_text(u"Before", u"kept"), ok);
        const std::string before = registry.text();
        registry.saves();

        EXPECT_EQ(win32::registry_batch(c.changes), c.result);
        EXPECT_EQ(registry.saves(), c.saves);
        EXPECT_EQ(text_of(u"Batch\\T"), c.after);
        EXPECT_EQ(text_of(u"Inner"), u"<missing>");
        EXPECT_EQ(text_of(u"Before"), u"kept");
        if (c.saves == 0)
            EXPECT_EQ(registry.text(), before);
        else
            EXPECT_NE(registry.text().find("[HKEY_CLASSES_ROOT\\Batch\\T]\n@ = sz \"value T\"\n"), std::string::npos)
                << registry.text();
    }
}

TEST(RegistryBatch, ChangesThatThrowWriteNothing)
{
    ostrel::test::temp_registry registry;
    ASSERT_EQ(set_text(u"Before", u"kept"), ok);
    const std::string before = registry.text();
    registry.saves();
    EXPECT_THROW(win32::registry_batch([]() -> HRESULT {
                     write_twenty();
                     throw std::runtime_error("a registration that throws");
                 }),
                 std::runtime_error);
    EXPECT_EQ(registry.saves(), 0);
    EXPECT_EQ(registry.text(), before);
    EXPECT_EQ(text_of(u"Batch\\T"), u"<missing>");
    // The store is free again for the next change.
    EXPECT_EQ(set_text(u"After", u"written"), ok);
    EXPECT_EQ(registry.saves(), 1);
}

TEST(RegistryBatch, AnUnreadableRegistryRunsNothing)
{
    ostrel::test::temp_registry registry;
    const std::string garbage = "this is no registry\n";
    registry.write(garbage);
    bool ran = false;
    EXPECT_EQ(win32::registry_batch([&] {
                  ran = true;
                  return S_OK;
              }),
              HRESULT_FROM_WIN32(ERROR_REGISTRY_CORRUPT));
    EXPECT_FALSE(ran);
    EXPECT_EQ(registry.text(), garbage);
    EXPECT_NE(win32::registry_failure().find("line 1 is not a registry line"), std::string::npos)
        << win32::registry_failure();
}

} // namespace
