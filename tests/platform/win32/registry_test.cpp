#include "platform/win32/registry.h"
#include "platform/win32/registry_tree.h"

#include "platform/win32/win_errors.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr LONG ok = ERROR_SUCCESS;

LONG set_string(HKEY key, const char16_t* name, std::u16string_view text)
{
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
}

LONG set_dword(HKEY key, const char16_t* name, DWORD value)
{
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// The string value, or "<error n>".
std::u16string get_string(HKEY key, const char16_t* name)
{
    WCHAR buffer[512];
    DWORD type = 0;
    DWORD size = sizeof buffer;
    const LONG rc = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (rc != ok)
        return u"<error " + std::u16string(1, static_cast<char16_t>(u'0' + rc % 10)) + u">";
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size % 2, 0u);
    EXPECT_EQ(buffer[size / 2 - 1], u'\0');
    return std::u16string(buffer, size / 2 - 1);
}

HKEY create(HKEY root, const char16_t* path, REGSAM access = KEY_ALL_ACCESS)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, access, nullptr, &key, nullptr), ok);
    return key;
}

LONG open(HKEY root, const char16_t* path, REGSAM access, HKEY& key)
{
    return RegOpenKeyExW(root, path, 0, access, &key);
}

class RegistryTest : public ::testing::Test {
protected:
    ostrel::test::temp_registry test_registry_;
};

TEST_F(RegistryTest, StringsDwordsAndTheDefaultValue)
{
    DWORD disposition = 0;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"CLSID\\{0001}\\InprocServer32", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, &disposition),
              ok);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    EXPECT_EQ(set_string(key, nullptr, u"/opt/lib/libx.so"), ok);
    EXPECT_EQ(set_string(key, u"ThreadingModel", u"Free"), ok);
    EXPECT_EQ(set_dword(key, u"Flags", 0x2A), ok);

    EXPECT_EQ(get_string(key, nullptr), u"/opt/lib/libx.so");
    EXPECT_EQ(get_string(key, u""), u"/opt/lib/libx.so"); // null and empty name: the default value
    EXPECT_EQ(get_string(key, u"threadingmodel"), u"Free");
    DWORD value = 0, type = 0, size = sizeof value;
    EXPECT_EQ(RegQueryValueExW(key, u"FLAGS", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ok);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(value, 0x2Au);
    EXPECT_EQ(RegCloseKey(key), ok);

    // Another spelling of the same path opens the same key.
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"clsid\\{0001}\\INPROCSERVER32", 0, nullptr, 0, KEY_READ, nullptr,
                              &key, &disposition),
              ok);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(get_string(key, u"ThreadingModel"), u"Free");
    EXPECT_EQ(RegCloseKey(key), ok);

    const std::string text = test_registry_.text();
    EXPECT_NE(text.find("[HKEY_CLASSES_ROOT\\CLSID\\{0001}\\InprocServer32]\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"ThreadingModel\" = sz \"Free\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("@ = sz \"/opt/lib/libx.so\"\n"), std::string::npos) << text;
}

TEST_F(RegistryTest, MissingKeysAndValues)
{
    HKEY key = nullptr;
    EXPECT_EQ(open(HKEY_CLASSES_ROOT, u"NoSuchKey", KEY_READ, key), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(key, nullptr);
    key = create(HKEY_CURRENT_USER, u"Software\\Ostrel");
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, nullptr, nullptr, &size),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    // A key without a default value has none, not an empty one.
    EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &size),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(RegDeleteValueW(key, u"Missing"), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    RegCloseKey(key);
}

TEST_F(RegistryTest, RootsAreSeparateTrees)
{
    HKEY key = create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Classes\\Thing");
    RegCloseKey(key);
    HKEY other = nullptr;
    EXPECT_EQ(open(HKEY_CLASSES_ROOT, u"Thing", KEY_READ, other), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(open(HKEY_CURRENT_USER, u"SOFTWARE\\Classes\\Thing", KEY_READ, other),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
}

TEST_F(RegistryTest, AccessRightsOfTheHandleAreEnforced)
{
    HKEY key = create(HKEY_CLASSES_ROOT, u"Ostrel.Test\\Sub");
    EXPECT_EQ(set_string(key, u"Name", u"kept"), ok);
    RegCloseKey(key);

    HKEY reader = nullptr;
    ASSERT_EQ(open(HKEY_CLASSES_ROOT, u"Ostrel.Test", KEY_READ, reader), ok);
    const LONG denied = ERROR_ACCESS_DENIED;
    EXPECT_EQ(set_string(reader, u"Name", u"changed"), denied);
    EXPECT_EQ(RegDeleteValueW(reader, u"Name"), denied);
    HKEY sub = nullptr;
    EXPECT_EQ(RegCreateKeyExW(reader, u"New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr), denied);
    EXPECT_EQ(RegDeleteKeyW(reader, u"Sub"), denied);
    EXPECT_EQ(RegDeleteTreeW(reader, nullptr), denied);
    // Opening an existing subkey through a read-only parent is no write.
    EXPECT_EQ(RegCreateKeyExW(reader, u"Sub", 0, nullptr, 0, KEY_READ, nullptr, &sub, nullptr), ok);
    EXPECT_EQ(get_string(sub, u"Name"), u"kept");
    RegCloseKey(sub);
    RegCloseKey(reader);

    HKEY writer = nullptr;
    ASSERT_EQ(open(HKEY_CLASSES_ROOT, u"Ostrel.Test\\Sub", KEY_WRITE, writer), ok);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(writer, u"Name", nullptr, nullptr, nullptr, &size), denied);
    EXPECT_EQ(set_string(writer, u"Name", u"changed"), ok);
    RegCloseKey(writer);
}

TEST_F(RegistryTest, DeleteKeyRefusesKeysWithSubkeysDeleteTreeDoesNot)
{
    RegCloseKey(create(HKEY_CLASSES_ROOT, u"A\\B\\C"));
    EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, u"A"), static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, u"A\\B\\C"), ok);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, u"A\\B\\C"), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    RegCloseKey(create(HKEY_CLASSES_ROOT, u"A\\B\\C"));
    EXPECT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, u"a"), ok);
    HKEY key = nullptr;
    EXPECT_EQ(open(HKEY_CLASSES_ROOT, u"A", KEY_READ, key), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, u"A"), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
}

TEST_F(RegistryTest, DeleteTreeWithoutSubkeyEmptiesTheKey)
{
    HKEY key = create(HKEY_CLASSES_ROOT, u"Holder");
    RegCloseKey(create(key, u"Child\\Grandchild"));
    EXPECT_EQ(set_string(key, u"V", u"x"), ok);
    EXPECT_EQ(RegDeleteTreeW(key, nullptr), ok);
    DWORD subkeys = 9, values = 9;
    EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                               nullptr, nullptr),
              ok);
    EXPECT_EQ(subkeys, 0u);
    EXPECT_EQ(values, 0u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, HandleOfADeletedKeyAndClosedHandles)
{
    HKEY key = create(HKEY_CLASSES_ROOT, u"Gone");
    EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, u"Gone"), ok);
    EXPECT_EQ(set_string(key, u"V", u"x"), static_cast<LONG>(ERROR_KEY_DELETED));
    EXPECT_EQ(RegCloseKey(key), ok);
    EXPECT_EQ(RegCloseKey(key), static_cast<LONG>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(set_string(key, u"V", u"x"), static_cast<LONG>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(RegCloseKey(HKEY_CLASSES_ROOT), ok); // predefined roots stay usable
    EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, u""), static_cast<LONG>(ERROR_ACCESS_DENIED));
}

TEST_F(RegistryTest, QueryReportsSizesAndMoreData)
{
    HKEY key = create(HKEY_CLASSES_ROOT, u"Sizes");
    EXPECT_EQ(set_string(key, u"S", u"12345"), ok);
    DWORD size = 0, type = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"S", nullptr, &type, nullptr, &size), ok);
    EXPECT_EQ(size, 12u); // five characters and the NUL
    EXPECT_EQ(type, REG_SZ);
    BYTE small[4];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExW(key, u"S", nullptr, nullptr, small, &size), static_cast<LONG>(ERROR_MORE_DATA));
    EXPECT_EQ(size, 12u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, StringsAreStoredWithExactlyOneTerminator)
{
    HKEY key = create(HKEY_CLASSES_ROOT, u"Strings");
    const char16_t unterminated[] = {u'a', u'b', u'c'};
    EXPECT_EQ(RegSetValueExW(key, u"NoNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), 6), ok);
    EXPECT_EQ(get_string(key, u"NoNul"), u"abc");
    const char16_t inner[] = u"ab\0cd";
    EXPECT_EQ(RegSetValueExW(key, u"Inner", 0, REG_SZ, reinterpret_cast<const BYTE*>(inner), sizeof inner), ok);
    EXPECT_EQ(get_string(key, u"Inner"), u"ab");
    EXPECT_EQ(RegSetValueExW(key, u"Empty", 0, REG_SZ, nullptr, 0), ok);
    EXPECT_EQ(get_string(key, u"Empty"), u"");
    RegCloseKey(key);
}

TEST_F(RegistryTest, BadArgumentsAreRefused)
{
    HKEY key = create(HKEY_CLASSES_ROOT, u"Args");
    const LONG invalid = ERROR_INVALID_PARAMETER;
    const BYTE two[2] = {1, 2};
    EXPECT_EQ(RegSetValueExW(key, u"D", 0, REG_DWORD, two, 2), invalid);
    EXPECT_EQ(RegSetValueExW(key, u"D", 0, REG_SZ, nullptr, 4), invalid);
    HKEY sub = nullptr;
    EXPECT_EQ(RegCreateKeyExW(key, u"\\Lead", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
              static_cast<LONG>(ERROR_BAD_PATHNAME));
    EXPECT_EQ(RegCreateKeyExW(key, u"A\\\\B", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
              static_cast<LONG>(ERROR_BAD_PATHNAME));
    EXPECT_EQ(RegCreateKeyExW(key, u"A", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, nullptr, nullptr), invalid);
    // Deeper than a root may hold (Args is one level already), and nothing of it is created.
    std::u16string deep = u"D";
    for (std::size_t i = 1; i < win32::registry_detail::kMaxKeyDepth; ++i)
        deep += u"\\D";
    EXPECT_EQ(RegCreateKeyExW(key, deep.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr), invalid);
    EXPECT_EQ(RegOpenKeyExW(key, u"D", 0, KEY_READ, &sub), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(RegOpenKeyExW(reinterpret_cast<HKEY>(0x12345), u"A", 0, KEY_READ, &sub),
              static_cast<LONG>(ERROR_INVALID_HANDLE));
    RegCloseKey(key);
}

TEST_F(RegistryTest, EnumerationKeepsSpellingInCaseInsensitiveOrder)
{
    HKEY key = create(HKEY_CLASSES_ROOT, u"Enum");
    for (const char16_t* name : {u"beta", u"Alpha", u"GAMMA"})
        RegCloseKey(create(key, name));
    EXPECT_EQ(set_dword(key, u"Zed", 1), ok);
    EXPECT_EQ(set_dword(key, u"alpha", 2), ok);
    EXPECT_EQ(set_dword(key, u"ALPHA", 3), ok); // the same value; its first spelling stays

    std::vector<std::u16string> keys;
    for (DWORD i = 0;; ++i) {
        WCHAR name[64];
        DWORD cch = 64;
        const LONG rc = RegEnumKeyExW(key, i, name, &cch, nullptr, nullptr, nullptr, nullptr);
        if (rc == static_cast<LONG>(ERROR_NO_MORE_ITEMS))
            break;
        ASSERT_EQ(rc, ok);
        keys.emplace_back(name, cch);
    }
    EXPECT_EQ(keys, (std::vector<std::u16string>{u"Alpha", u"beta", u"GAMMA"}));

    std::vector<std::pair<std::u16string, DWORD>> values;
    for (DWORD i = 0;; ++i) {
        WCHAR name[64];
        DWORD cch = 64, data = 0, size = sizeof data, type = 0;
        const LONG rc = RegEnumValueW(key, i, name, &cch, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
        if (rc == static_cast<LONG>(ERROR_NO_MORE_ITEMS))
            break;
        ASSERT_EQ(rc, ok);
        values.emplace_back(std::u16string(name, cch), data);
    }
    EXPECT_EQ(values, (std::vector<std::pair<std::u16string, DWORD>>{{u"alpha", 3}, {u"Zed", 1}}));

    WCHAR tiny[5];
    DWORD cch = 5; // "Alpha" needs six with its NUL
    EXPECT_EQ(RegEnumKeyExW(key, 0, tiny, &cch, nullptr, nullptr, nullptr, nullptr),
              static_cast<LONG>(ERROR_MORE_DATA));
    RegCloseKey(key);
}

TEST_F(RegistryTest, ChangesOfAnotherProcessAreSeen)
{
    HKEY key = create(HKEY_CLASSES_ROOT, u"Shared");
    EXPECT_EQ(set_string(key, u"V", u"parent"), ok);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HKEY k = nullptr;
        const bool good = RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Shared", 0, KEY_ALL_ACCESS, &k) == ok &&
                          set_string(k, u"V", u"child") == ok;
        _exit(good ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(get_string(key, u"V"), u"child");
    RegCloseKey(key);
}

TEST_F(RegistryTest, ConcurrentWritersOfSeveralProcessesAndThreadsLoseNothing)
{
    constexpr int kProcesses = 3, kThreads = 3, kValues = 15;
    RegCloseKey(create(HKEY_CLASSES_ROOT, u"Race"));
    auto write_values = [](int process, int thread) {
        HKEY k = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Race", 0, KEY_ALL_ACCESS, &k) != ok)
            return false;
        bool good = true;
        for (int i = 0; i < kValues; ++i) {
            const std::string name = "p" + std::to_string(process) + "t" + std::to_string(thread) + "v" +
                                     std::to_string(i);
            const std::u16string wide(name.begin(), name.end());
            good = good && set_dword(k, wide.c_str(), static_cast<DWORD>(i)) == ok;
        }
        return RegCloseKey(k) == ok && good;
    };
    auto run_threads = [&](int process) {
        std::vector<std::thread> threads;
        std::vector<char> results(kThreads, 0);
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] { results[t] = write_values(process, t); });
        for (auto& th : threads)
            th.join();
        return std::all_of(results.begin(), results.end(), [](char r) { return r != 0; });
    };
    std::vector<pid_t> children;
    for (int p = 1; p < kProcesses; ++p) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            _exit(run_threads(p) ? 0 : 1);
        children.push_back(child);
    }
    EXPECT_TRUE(run_threads(0));
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    HKEY key = nullptr;
    ASSERT_EQ(open(HKEY_CLASSES_ROOT, u"Race", KEY_READ, key), ok);
    DWORD values = 0;
    EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                               nullptr, nullptr),
              ok);
    EXPECT_EQ(values, static_cast<DWORD>(kProcesses * kThreads * kValues));
    RegCloseKey(key);
}

TEST_F(RegistryTest, AFileThatIsNotARegistryIsReportedAndKept)
{
    const std::string garbage = "[HKEY_CLASSES_ROOT\\X]\nthis is not a value line\n";
    test_registry_.write(garbage);
    HKEY key = nullptr;
    EXPECT_EQ(open(HKEY_CLASSES_ROOT, u"X", KEY_READ, key), static_cast<LONG>(ERROR_REGISTRY_CORRUPT));
    EXPECT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"Y", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              static_cast<LONG>(ERROR_REGISTRY_CORRUPT));
    EXPECT_EQ(test_registry_.text(), garbage);
}

TEST_F(RegistryTest, EveryKindOfNameAndValueSurvivesTheFile)
{
    const std::u16string odd_text = u"quote \" backslash \\ tab \t line\r\n \u00E9\u4E2D\U0001F600 %41";
    const std::u16string lone_surrogate = std::u16string(u"x") + char16_t(0xD800) + u"y";
    const std::u16string odd_key = u"100% [odd] key\u00E9";
    const BYTE blob[] = {0, 1, 2, 0xFE, 0xFF};
    {
        HKEY key = create(HKEY_CURRENT_USER, (u"Software\\" + odd_key).c_str());
        EXPECT_EQ(set_string(key, u"text \"name\"", odd_text), ok);
        EXPECT_EQ(set_string(key, u"surrogate", lone_surrogate), ok);
        EXPECT_EQ(RegSetValueExW(key, u"blob", 0, REG_BINARY, blob, sizeof blob), ok);
        EXPECT_EQ(RegSetValueExW(key, u"expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(u"%HOME%"), 14), ok);
        RegCloseKey(key);
    }
    // Read it back through a copy of the file under a new name, so that nothing comes from
    // this process's cache.
    const auto copy = test_registry_.dir() / "copy.txt";
    std::filesystem::copy_file(test_registry_.file(), copy);
    test_registry_.use_file(copy);
    HKEY key = nullptr;
    ASSERT_EQ(open(HKEY_CURRENT_USER, (u"software\\" + odd_key).c_str(), KEY_READ, key), ok) << test_registry_.text();
    EXPECT_EQ(get_string(key, u"TEXT \"NAME\""), odd_text);
    EXPECT_EQ(get_string(key, u"surrogate"), lone_surrogate);
    BYTE data[16];
    DWORD size = sizeof data, type = 0;
    ASSERT_EQ(RegQueryValueExW(key, u"blob", nullptr, &type, data, &size), ok);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(std::vector<BYTE>(data, data + size), std::vector<BYTE>(std::begin(blob), std::end(blob)));
    WCHAR text[16];
    size = sizeof text;
    ASSERT_EQ(RegQueryValueExW(key, u"expand", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ok);
    EXPECT_EQ(type, REG_EXPAND_SZ);
    EXPECT_EQ(std::u16string(text), u"%HOME%");
    RegCloseKey(key);
}

} // namespace

namespace {

TEST_F(RegistryTest, AnsiFormsReadUtf8)
{
    HKEY key = create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Tools\\Info");
    EXPECT_EQ(set_string(key, u"PATH", u"/opt/caf\u00E9/info"), ok);
    EXPECT_EQ(set_dword(key, u"Count", 0x01020304), ok);
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\tools\\info", 0, 0x2003F, &key), ok);
    char buffer[64];
    DWORD type = 0, size = sizeof buffer;
    ASSERT_EQ(RegQueryValueExA(key, "path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size), ok);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 16u); // 14 characters, one of them two bytes, and the NUL
    EXPECT_EQ(std::string(buffer), "/opt/caf\xC3\xA9/info");
    DWORD number = 0;
    size = sizeof number;
    ASSERT_EQ(RegQueryValueExA(key, "COUNT", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size), ok);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(number, 0x01020304u);
    size = 4;
    EXPECT_EQ(RegQueryValueExA(key, "PATH", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
              static_cast<LONG>(ERROR_MORE_DATA));
    EXPECT_EQ(size, 16u);
    RegCloseKey(key);
}

} // namespace
