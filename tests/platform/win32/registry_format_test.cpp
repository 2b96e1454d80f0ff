#include "platform/win32/registry_format.h"

#include "platform/win32/registry.h"

#include <gtest/gtest.h>

namespace {

using win32::registry_detail::registry_format;
using win32::registry_detail::registry_root;
using win32::registry_detail::registry_tree;

TEST(RegistryFormat, RejectsTextThatIsNotARegistry)
{
    const struct {
        const char* label;
        const char* text;
        std::size_t line;
    } cases[] = {
        {"value before any key", "\"a\" = sz \"b\"\n", 1},
        {"unknown root", "# c\n[HKEY_NOWHERE\\A]\n", 2},
        {"unterminated key line", "[HKEY_CLASSES_ROOT\\A\n", 1},
        {"empty key name", "[HKEY_CLASSES_ROOT\\A\\\\B]\n", 1},
        {"unknown type", "[HKEY_CLASSES_ROOT]\n@ = text \"x\"\n", 2},
        {"unterminated string", "[HKEY_CLASSES_ROOT]\n@ = sz \"x\n", 2},
        {"bad escape", "[HKEY_CLASSES_ROOT]\n@ = sz \"\\q\"\n", 2},
        {"bad dword", "[HKEY_CLASSES_ROOT]\n@ = dword 12\n", 2},
        {"odd hex", "[HKEY_CLASSES_ROOT]\n@ = hex 3 abc\n", 2},
        {"trailing text", "[HKEY_CLASSES_ROOT]\n@ = dword 0x1 more\n", 2},
        {"bad percent escape", "[HKEY_CLASSES_ROOT\\a%4]\n", 1},
        {"short surrogate escape", "[HKEY_CLASSES_ROOT\\a%uD80]\n", 1},
    };
    for (const auto& c : cases) {
        registry_tree tree;
        std::size_t line = 0;
        EXPECT_FALSE(registry_format::read(c.text, tree, line)) << c.label;
        EXPECT_EQ(line, c.line) << c.label;
    }
}

TEST(RegistryFormat, KeysDeeperThanTheLimitAreRefused)
{
    const auto key_line = [](std::size_t depth) {
        std::string line = "[HKEY_CLASSES_ROOT";
        for (std::size_t i = 0; i < depth; ++i)
            line += "\\k";
        return line + "]\n";
    };
    registry_tree tree;
    std::size_t line = 0;
    EXPECT_TRUE(registry_format::read(key_line(win32::registry_detail::kMaxKeyDepth), tree, line));
    // The writer writes what it read.
    registry_tree again;
    EXPECT_TRUE(registry_format::read(registry_format::write(tree), again, line));
    for (const std::size_t depth : {win32::registry_detail::kMaxKeyDepth + 1, std::size_t{40000}}) {
        EXPECT_FALSE(registry_format::read("# deep\n" + key_line(depth), tree, line)) << depth;
        EXPECT_EQ(line, 2u) << depth;
    }
}

TEST(RegistryFormat, ReadsCommentsBlankLinesAndCrLf)
{
    registry_tree tree;
    std::size_t line = 0;
    ASSERT_TRUE(registry_format::read("# comment\r\n\r\n[HKEY_LOCAL_MACHINE\\A\\B]\r\n  \"n\" = dword 0x0000000a\r\n",
                                      tree, line));
    const auto* key = tree.find(registry_root::local_machine, {u"a", u"b"});
    ASSERT_NE(key, nullptr);
    const auto* v = key->find_value(u"N");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->type, REG_DWORD);
    EXPECT_EQ(v->data, (std::vector<BYTE>{10, 0, 0, 0}));
}

TEST(RegistryFormat, WritesWhatItReads)
{
    const std::string text =
        "# Ostrel registry. One [key] line per key, then its values: \"name\" = type data (@ = default).\n"
        "[HKEY_CLASSES_ROOT\\A%25]\n"
        "[HKEY_CLASSES_ROOT\\A%25\\Empty]\n"
        "[HKEY_CLASSES_ROOT\\B]\n"
        "@ = sz \"x\\\"y\"\n"
        "\"q\" = hex 11 0102030405060708\n";
    registry_tree tree;
    std::size_t line = 0;
    ASSERT_TRUE(registry_format::read(text, tree, line));
    EXPECT_EQ(registry_format::write(tree), text);
}

TEST(RegistryFormat, EveryKeyNameSurvivesWriteAndRead)
{
    const std::u16string names[] = {
        u"a\\b",        u"%5C",       u"a%5Cb%25",   u"%",      u"%u0041",   u"\\",
        u"tab\there",   u"\r\n",      u"\x01\x7f",   u"]",      u"[x]",      u" blank ",
        u"#not a note", u"caf\u00E9", u"\U0001F600", u"\xD800", u"a\xDC00z", u"%FF",
    };
    for (const auto& name : names) {
        SCOPED_TRACE(::testing::PrintToString(name));
        [&] { // an ASSERT ends this row only
            registry_tree tree;
            bool created = false;
            tree.root(registry_root::current_user).ensure_subkey(u"Software", created).ensure_subkey(name, created);
            const std::string text = registry_format::write(tree);
            registry_tree back;
            std::size_t line = 0;
            ASSERT_TRUE(registry_format::read(text, back, line)) << text;
            const auto* key = back.find(registry_root::current_user, {u"Software", name});
            ASSERT_NE(key, nullptr) << text;
            EXPECT_EQ(key->name, name) << text;
            EXPECT_EQ(registry_format::write(back), text);
        }();
    }
}

TEST(RegistryFormat, AnEscapedSeparatorStaysInItsName)
{
    const std::string text =
        "# Ostrel registry. One [key] line per key, then its values: \"name\" = type data (@ = default).\n"
        "[HKEY_CLASSES_ROOT\\a%5Cb]\n"
        "@ = sz \"x\"\n";
    registry_tree tree;
    std::size_t line = 0;
    ASSERT_TRUE(registry_format::read(text, tree, line));
    EXPECT_NE(tree.find(registry_root::classes_root, {u"a\\b"}), nullptr);
    EXPECT_EQ(tree.find(registry_root::classes_root, {u"a"}), nullptr);
    // Written back with the escape, not as a separator (hex digits are written in lower case).
    std::string expected = text;
    expected.replace(expected.find("%5C"), 3, "%5c");
    EXPECT_EQ(registry_format::write(tree), expected);
}

} // namespace
