#include "platform/win32/module.h"

#include "platform/win32/last_error.h"
#include "platform/win32/string_table.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>

namespace {

std::u16string module_file_name(HMODULE module)
{
    WCHAR buffer[4096];
    const DWORD n = GetModuleFileNameW(module, buffer, 4096);
    return std::u16string(buffer, n);
}

std::filesystem::path canonical(const std::u16string& path)
{
    return std::filesystem::canonical(win32::utf16_to_utf8(path));
}

class loaded_probe {
public:
    loaded_probe() : handle_(dlopen(OSTREL_PROBE_MODULE, RTLD_NOW | RTLD_LOCAL)) {}
    ~loaded_probe() { close(); }
    loaded_probe(const loaded_probe&) = delete;
    loaded_probe& operator=(const loaded_probe&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    HMODULE module_handle() const
    {
        auto* fn = reinterpret_cast<HMODULE (*)()>(dlsym(handle_, "probe_module_handle"));
        return fn ? fn() : nullptr;
    }
    void close()
    {
        if (handle_)
            dlclose(handle_);
        handle_ = nullptr;
    }

private:
    void* handle_;
};

TEST(Module, ExecutableHandleAndPath)
{
    const HMODULE self = win32::current_module();
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(self, win32::executable_module());
    EXPECT_EQ(self, GetModuleHandleW(nullptr));
    const std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe");
    EXPECT_EQ(canonical(module_file_name(nullptr)), exe);
    EXPECT_EQ(canonical(module_file_name(self)), exe);
}

TEST(Module, SharedLibraryGetsItsOwnHandleAndPath)
{
    loaded_probe probe;
    ASSERT_TRUE(probe.loaded()) << dlerror();
    const HMODULE module = probe.module_handle();
    ASSERT_NE(module, nullptr);
    EXPECT_NE(module, win32::current_module());
    EXPECT_EQ(canonical(module_file_name(module)), std::filesystem::canonical(OSTREL_PROBE_MODULE));
    EXPECT_EQ(GetModuleHandleW(u"libwin32_probe_module.so"), module);
}

TEST(Module, FileNameTruncatesToTheBuffer)
{
    const std::u16string full = module_file_name(nullptr);
    ASSERT_GT(full.size(), 4u);
    WCHAR buffer[5] = {u'x', u'x', u'x', u'x', u'x'};
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 5), 5u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(buffer), full.substr(0, 4));
}

TEST(Module, UnknownHandleIsRefused)
{
    WCHAR buffer[64];
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameW(reinterpret_cast<HMODULE>(0x10), buffer, 64), 0u);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(GetModuleHandleW(u"no-such-module.so"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

TEST(StringTable, ModuleTableIsRegisteredWhileTheModuleIsLoaded)
{
    loaded_probe probe;
    ASSERT_TRUE(probe.loaded()) << dlerror();
    const HMODULE module = probe.module_handle();
    WCHAR buffer[64];
    EXPECT_EQ(LoadStringW(module, 101, buffer, 64), 12);
    EXPECT_EQ(std::u16string(buffer), u"Probe module");
    // The executable's table does not hold the module's texts.
    EXPECT_EQ(LoadStringW(win32::current_module(), 101, buffer, 64), 0);
    probe.close();
    EXPECT_EQ(LoadStringW(module, 101, buffer, 64), 0);
}

class StringTableTest : public ::testing::Test {
protected:
    static constexpr win32::string_resource kTable[] = {
        {1, u"One"},
        {7, u"Seven characters"},
        {9, u""},
    };
    const win32::string_table_registration registration_{win32::current_module(), kTable};
};

TEST_F(StringTableTest, CopiesAndTruncates)
{
    const struct {
        UINT id;
        INT cch;
        INT result;
        const char16_t* text;
    } cases[] = {
        {1, 64, 3, u"One"},
        {7, 64, 16, u"Seven characters"},
        {7, 17, 16, u"Seven characters"},
        {7, 6, 5, u"Seven"},
        {7, 1, 0, u""},
        {9, 64, 0, u""},
    };
    for (const auto& c : cases) {
        WCHAR buffer[64];
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        EXPECT_EQ(LoadStringW(win32::current_module(), c.id, buffer, c.cch), c.result) << c.id << "/" << c.cch;
        EXPECT_EQ(std::u16string(buffer), c.text) << c.id << "/" << c.cch;
    }
}

TEST_F(StringTableTest, MissingIdGivesZeroAndAnEmptyBuffer)
{
    WCHAR buffer[8] = {u'x'};
    SetLastError(0);
    EXPECT_EQ(LoadStringW(win32::current_module(), 2, buffer, 8), 0);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_EQ(LoadStringW(win32::current_module(), 1, nullptr, 8), 0);
}

TEST_F(StringTableTest, ZeroSizeHandsOutAReadOnlyPointer)
{
    const WCHAR* text = nullptr;
    EXPECT_EQ(LoadStringW(win32::current_module(), 7, reinterpret_cast<LPWSTR>(&text), 0), 16);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text, 16), u"Seven characters");
}

} // namespace
