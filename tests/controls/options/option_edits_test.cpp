#include "controls/options/ky_tree_functions.h"
#include "controls/options/option_edits.h"
#include "controls/options/option_tree_text.h"

#include <gtest/gtest.h>

namespace {

using options::RenameResult;

// General holds a container Net (one page Proxy) and a page Files; General remembers Proxy.
// Display holds one page Straße.
const QString kTree = QStringLiteral(" \t_GENERAL\t0\tGeneral\t0\t_GENERAL\\NET\\PROXY\r\n"
                                     "_GENERAL\t_GENERAL\\NET\t0\tNet\t0\t_GENERAL\\NET\\PROXY\r\n"
                                     "_GENERAL\\NET\t_GENERAL\\NET\\PROXY\t1\tProxy\t1\r\n"
                                     "_GENERAL\t_GENERAL\\FILES\t1\tFiles\t2\r\n"
                                     " \t_DISPLAY\t0\tDisplay\t0\t_DISPLAY\\STRASSE\r\n"
                                     "_DISPLAY\t_DISPLAY\\STRASSE\t1\tStraße\t3\r\n");

class OptionEditsTest : public ::testing::Test {
protected:
    QString remembered(const QString& key) const { return options::option_at(*list_, key)->strSelectedProperty; }
    QStringList keys() const
    {
        QStringList out;
        for (const auto& entry : *list_)
            out << entry.item.value<OptionPtr>()->strKey;
        return out;
    }
    // The edited collection still reads back as tree text.
    void expect_readable() const { EXPECT_NO_THROW(options::ParseOptionList(options::BuildOptionList(list_.get()))); }

    OptionCollection list_ = options::ParseOptionList(kTree);
};

TEST(OptionNames, RefusesWhatTheTreeTextCannotHold)
{
    using options::NameFault;
    struct Case {
        const char* name;
        NameFault fault;
    };
    for (const Case& c :
         {Case{"  Options  ", NameFault::None}, Case{"", NameFault::Empty}, Case{"   ", NameFault::Empty},
          Case{"a\\b", NameFault::Backslash}, Case{"a\tb", NameFault::ControlCharacter},
          Case{"a\rb", NameFault::ControlCharacter}, Case{"a\nb", NameFault::ControlCharacter}})
        EXPECT_EQ(options::check_name(QString::fromUtf8(c.name)), c.fault) << c.name;
    EXPECT_EQ(options::child_key(options::kRootKey, "General"), "_GENERAL");
    EXPECT_EQ(options::child_key("_GENERAL", "Options"), "_GENERAL\\OPTIONS");
}

TEST_F(OptionEditsTest, RemovingAPageHandsItsRoleToTheFirstSiblingPageOrToNone)
{
    options::remove_option(*list_, "_DISPLAY\\STRASSE");
    EXPECT_EQ(remembered("_DISPLAY"), " ");
    options::remove_option(*list_, "_GENERAL\\NET\\PROXY");
    EXPECT_EQ(remembered("_GENERAL\\NET"), " ");
    EXPECT_EQ(remembered("_GENERAL"), " ");
    expect_readable();
}

TEST_F(OptionEditsTest, RemovingAContainerRepointsTheAncestorsThatRememberedAPageInsideIt)
{
    options::remove_option(*list_, "_GENERAL\\NET");
    EXPECT_EQ(keys(), (QStringList{"_GENERAL", "_GENERAL\\FILES", "_DISPLAY", "_DISPLAY\\STRASSE"}));
    EXPECT_EQ(remembered("_GENERAL"), "_GENERAL\\FILES");
    expect_readable();

    options::remove_option(*list_, "_GENERAL\\FILES");
    EXPECT_EQ(remembered("_GENERAL"), " ");
    options::remove_option(*list_, "_GENERAL");
    EXPECT_EQ(keys(), (QStringList{"_DISPLAY", "_DISPLAY\\STRASSE"}));
    expect_readable();
}

TEST_F(OptionEditsTest, MovesChangeOnlyTheOrderAmongSiblings)
{
    options::move_before(*list_, "_GENERAL\\FILES", "_GENERAL\\NET");
    EXPECT_EQ(keys(), (QStringList{"_GENERAL", "_GENERAL\\FILES", "_GENERAL\\NET", "_GENERAL\\NET\\PROXY", "_DISPLAY",
                                   "_DISPLAY\\STRASSE"}));
    options::move_after(*list_, "_GENERAL", "_DISPLAY");
    EXPECT_EQ(keys(), (QStringList{"_GENERAL\\FILES", "_GENERAL\\NET", "_GENERAL\\NET\\PROXY", "_DISPLAY", "_GENERAL",
                                   "_DISPLAY\\STRASSE"}));
    expect_readable();
}

TEST_F(OptionEditsTest, RenameReKeysTheSubtreeInPlaceAndRemembersTheNewKeys)
{
    EXPECT_EQ(options::rename_option(*list_, "_GENERAL", "Network"), RenameResult::Renamed);
    EXPECT_EQ(keys(), (QStringList{"_NETWORK", "_NETWORK\\NET", "_NETWORK\\NET\\PROXY", "_NETWORK\\FILES", "_DISPLAY",
                                   "_DISPLAY\\STRASSE"}));
    EXPECT_EQ(options::option_at(*list_, "_NETWORK\\NET")->strParentKey, "_NETWORK");
    EXPECT_EQ(remembered("_NETWORK"), "_NETWORK\\NET\\PROXY");
    EXPECT_EQ(remembered("_NETWORK\\NET"), "_NETWORK\\NET\\PROXY");
    EXPECT_EQ(options::option_at(*list_, "_NETWORK")->strName, "Network");
    expect_readable();
}

TEST_F(OptionEditsTest, RenameDerivesTheKeyFromTheParentWhenUpperCaseChangesTheLength)
{
    // "Straße" upper-cases to the longer "STRASSE": cutting the old name's length off the key
    // would leave "_DISPLAY\S".
    EXPECT_EQ(options::rename_option(*list_, "_DISPLAY\\STRASSE", "Road"), RenameResult::Renamed);
    EXPECT_EQ(keys().last(), "_DISPLAY\\ROAD");
    EXPECT_EQ(remembered("_DISPLAY"), "_DISPLAY\\ROAD");
    expect_readable();
}

TEST_F(OptionEditsTest, RenameOntoAnExistingKeyIsRefusedAndLosesNothing)
{
    const QString before = options::BuildOptionList(list_.get());
    EXPECT_EQ(options::rename_option(*list_, "_GENERAL\\FILES", "net"), RenameResult::DuplicateKey);
    EXPECT_EQ(options::rename_option(*list_, "_DISPLAY", "GENERAL"), RenameResult::DuplicateKey);
    EXPECT_EQ(options::BuildOptionList(list_.get()), before);
    // a new spelling of its own name keeps the key
    EXPECT_EQ(options::rename_option(*list_, "_GENERAL\\FILES", "FILES"), RenameResult::Renamed);
    EXPECT_EQ(options::option_at(*list_, "_GENERAL\\FILES")->strName, "FILES");
    EXPECT_EQ(options::rename_option(*list_, "_GENERAL\\FILES", "FILES"), RenameResult::Unchanged);
}

} // namespace
