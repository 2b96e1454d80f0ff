#include "controls/options/c_option.h"
#include "controls/options/ky_tree_functions.h"
#include "controls/options/option_tree_text.h"
#include "platform/forms/core/vb_error.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using options::BuildOptionList;
using options::ParseOptionList;

QString q(const char* text) { return QString::fromUtf8(text); }

struct RoundTrip {
    const char* name;
    const char* text;
    const char* written; // nullptr: the text itself
    int records;
};

void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }

class TreeTextRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(TreeTextRoundTrip, ReadsAndWritesBack)
{
    const RoundTrip& c = GetParam();
    const OptionCollection list = ParseOptionList(q(c.text));
    EXPECT_EQ(list->Count(), c.records);
    EXPECT_EQ(BuildOptionList(list.get()), q(c.written ? c.written : c.text));
    // the written text reads as the same records
    const OptionCollection again = ParseOptionList(BuildOptionList(list.get()));
    ASSERT_EQ(again->Count(), list->Count());
    for (int i = 1; i <= list->Count(); ++i) {
        const OptionPtr a = options::option_at(*list, i);
        const OptionPtr b = options::option_at(*again, i);
        EXPECT_EQ(a->strKey, b->strKey);
        EXPECT_EQ(a->strParentKey, b->strParentKey);
        EXPECT_EQ(a->strName, b->strName);
        EXPECT_EQ(a->eOptionType, b->eOptionType);
        EXPECT_EQ(a->iTabIndex, b->iTabIndex);
        EXPECT_EQ(a->strSelectedProperty, b->strSelectedProperty);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TreeTextRoundTrip,
    ::testing::Values(
        RoundTrip{"Empty", "", nullptr, 0},
        RoundTrip{"OneContainerRemembersNothing", " \t_GENERAL\t0\tGeneral\t0\t \r\n", nullptr, 1},
        RoundTrip{"ContainerWithRememberedPage",
                  " \t_GENERAL\t0\tGeneral\t0\t_GENERAL\\VIEW\r\n_GENERAL\t_GENERAL\\VIEW\t1\tView\t3\r\n", nullptr, 2},
        RoundTrip{"ChildrenBeforeParentsAndNegativeIndex",
                  "_A\\B\t_A\\B\\P\t1\tP\t-2\r\n_A\t_A\\B\t0\tB\t0\t_A\\B\\P\r\n \t_A\t0\tA\t0\t_A\\B\\P\r\n", nullptr,
                  3},
        RoundTrip{"AnyOtherTypeIsAPage", " \t_A\t0\tA\t0\t \r\n_A\t_A\\X\t2\tX\t4\r\n", nullptr, 2},
        RoundTrip{"NumbersTakeTheirCanonicalForm", " \t_A\t00\tA\t0\t \r\n_A\t_A\\X\t1\tX\t007\r\n",
                  " \t_A\t0\tA\t0\t \r\n_A\t_A\\X\t1\tX\t7\r\n", 2},
        RoundTrip{"APageDropsASixthField", " \t_A\t0\tA\t0\t \r\n_A\t_A\\X\t1\tX\t7\textra\r\n",
                  " \t_A\t0\tA\t0\t \r\n_A\t_A\\X\t1\tX\t7\r\n", 2},
        RoundTrip{"ALastRecordWithoutCrLfIsNotPartOfTheText", " \t_A\t0\tA\t0\t \r\n \t_B\t0\tB\t0\t ",
                  " \t_A\t0\tA\t0\t \r\n", 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct Malformed {
    const char* name;
    const char* text;
    int error;
};

void PrintTo(const Malformed& c, std::ostream* os) { *os << c.name; }

class TreeTextMalformed : public ::testing::TestWithParam<Malformed> {};

TEST_P(TreeTextMalformed, IsRefusedWithTheErrorOfItsKind)
{
    const Malformed& c = GetParam();
    try {
        ParseOptionList(q(c.text));
        FAIL() << "accepted";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), c.error) << error.description().toStdString();
        EXPECT_TRUE(error.description().startsWith(QStringLiteral("Option tree line 2: ")))
            << error.description().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TreeTextMalformed,
    ::testing::Values(
        Malformed{"TooFewFields", " \t_A\t0\tA\t0\t \r\n_A\t_A\\P\t1\tP\r\n", 9},
        Malformed{"ContainerWithoutItsSixthField", " \t_A\t0\tA\t0\t \r\n \t_B\t0\tB\t0\r\n", 9},
        Malformed{"TypeNotNumeric", " \t_A\t0\tA\t0\t \r\n_A\t_A\\P\tpage\tP\t1\r\n", 13},
        Malformed{"IndexNotNumeric", " \t_A\t0\tA\t0\t \r\n_A\t_A\\P\t1\tP\tseven\r\n", 13},
        Malformed{"IndexOutside16Bits", " \t_A\t0\tA\t0\t \r\n_A\t_A\\P\t1\tP\t40000\r\n", 6},
        Malformed{"TypeOutside32Bits", " \t_A\t0\tA\t0\t \r\n_A\t_A\\P\t3000000000\tP\t1\r\n", 6},
        Malformed{"KeysDifferingOnlyInCase", " \t_A\t0\tA\t0\t \r\n \t_a\t0\ta\t0\t \r\n", 457},
        Malformed{"PageAtTheRoot", " \t_A\t0\tA\t0\t \r\n \t_P\t1\tP\t1\r\n", options::kElementNotFound},
        Malformed{"ParentMissing", " \t_A\t0\tA\t0\t \r\n_X\t_X\\P\t1\tP\t1\r\n", options::kElementNotFound},
        Malformed{"ParentIsAPage", "_A\t_A\\P\t1\tP\t1\r\n_A\\P\t_A\\P\\Q\t1\tQ\t2\r\n \t_A\t0\tA\t0\t \r\n",
                  options::kElementNotFound},
        Malformed{"ParentChainIsACycle", " \t_R\t0\tR\t0\t \r\n_A\t_B\t0\tB\t0\t \r\n_B\t_A\t0\tA\t0\t \r\n",
                  options::kElementNotFound},
        Malformed{"EmptyKey", " \t_A\t0\tA\t0\t \r\n_A\t\t1\tP\t1\r\n", 380},
        Malformed{"KeyOfOneBlank", " \t_A\t0\tA\t0\t \r\n \t \t0\tB\t0\t \r\n", 380}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TreeText, ARememberedPageThatIsNoPageInsideItsContainerLoadsAsNone)
{
    // What the editor leaves after removing a page or a container: it re-points nothing.
    struct Case {
        const char* name;
        const char* text;
        int container;
    };
    const Case cases[] = {
        {"missing", " \t_R\t0\tR\t0\t \r\n \t_A\t0\tA\t0\t_A\\GONE\r\n", 2},
        {"outside", " \t_R\t0\tR\t0\t \r\n \t_A\t0\tA\t0\t_R\\P\r\n_R\t_R\\P\t1\tP\t1\r\n", 2},
        {"a container", " \t_A\t0\tA\t0\t_A\\B\r\n_A\t_A\\B\t0\tB\t0\t \r\n", 1},
    };
    for (const Case& c : cases) {
        const OptionCollection list = ParseOptionList(q(c.text));
        EXPECT_EQ(options::option_at(*list, c.container)->strSelectedProperty, QStringLiteral(" ")) << c.name;
    }
}

TEST(TreeText, KeysCompareUnderTheCollectionsOneCaseMapping)
{
    // "ß" and "SS" are two keys to the collection, so they are two to the reader too.
    const OptionCollection list = ParseOptionList(q(" \t_\u00DF\t0\t\u00DF\t0\t \r\n"
                                                    "_\u00DF\t_\u00DF\\SS\t1\tSS\t1\r\n"
                                                    " \t_SS\t0\tSS\t0\t \r\n"));
    EXPECT_EQ(list->Count(), 3);
    EXPECT_EQ(options::upper_key(q("_\u00DF")), q("_\u00DF"));
    EXPECT_EQ(options::upper_key(q("_a\\b")), q("_A\\B"));
    // A lower-case key holding "ß" is found under the spelling its tree node has.
    const OptionCollection lower = ParseOptionList(q(" \t_stra\u00DFe\t0\tx\t0\t \r\n"));
    EXPECT_NO_THROW(options::option_at(*lower, options::upper_key(q("_stra\u00DFe"))));
}

TEST(TreeText, NestingIsBoundedAndEveryDepthWithinTheBoundLoads)
{
    const auto chain = [](int levels) {
        QString text = QStringLiteral(" \t_L\t0\tL\t0\t \r\n");
        QString parent = QStringLiteral("_L");
        for (int level = 2; level <= levels; ++level) {
            const QString key = parent + QStringLiteral("\\L");
            text += parent + QStringLiteral("\t") + key + QStringLiteral("\t0\tL\t0\t \r\n");
            parent = key;
        }
        return text;
    };
    EXPECT_EQ(ParseOptionList(chain(options::kMaxOptionNesting))->Count(), options::kMaxOptionNesting);
    try {
        ParseOptionList(chain(options::kMaxOptionNesting + 1));
        FAIL() << "accepted";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), 380);
        EXPECT_TRUE(
            error.description().startsWith(QStringLiteral("Option tree line %1: ").arg(options::kMaxOptionNesting + 1)))
            << error.description().toStdString();
    }
}

TEST(TreeText, BlankRememberedPagesMeanNone)
{
    const OptionCollection list = ParseOptionList(q(" \t_A\t0\tA\t0\t\r\n \t_B\t0\tB\t0\t   \r\n"));
    EXPECT_EQ(options::option_at(*list, 1)->strSelectedProperty, QString());
    EXPECT_TRUE(options::is_blank_key(options::option_at(*list, 2)->strSelectedProperty));
}

TEST(TreeText, WritingAPageDropsItsRememberedPage)
{
    auto list = options::new_option_list();
    auto container = std::make_shared<COption>();
    container->strParentKey = QStringLiteral(" ");
    container->strKey = QStringLiteral("_A");
    container->strName = QStringLiteral("A");
    container->strSelectedProperty = QStringLiteral(" ");
    auto page = std::make_shared<COption>();
    page->strParentKey = QStringLiteral("_A");
    page->strKey = QStringLiteral("_A\\P");
    page->eOptionType = PropertyPage;
    page->strName = QStringLiteral("P");
    page->iTabIndex = 2;
    page->strSelectedProperty = QStringLiteral("_A\\P");
    options::add_option(*list, container);
    options::add_option(*list, page);
    const QString text = BuildOptionList(list.get());
    EXPECT_EQ(text, q(" \t_A\t0\tA\t0\t \r\n_A\t_A\\P\t1\tP\t2\r\n"));
    EXPECT_EQ(options::option_at(*ParseOptionList(text), 2)->strSelectedProperty, QString());
    EXPECT_EQ(BuildOptionList(nullptr), QString());
}

TEST(SelectedProperty, SetsTheContainerChainUpToTheRoot)
{
    const OptionCollection list = ParseOptionList(
        q(" \t_A\t0\tA\t0\t \r\n_A\t_A\\B\t0\tB\t0\t \r\n_A\\B\t_A\\B\\P\t1\tP\t1\r\n \t_Z\t0\tZ\t0\t \r\n"));
    options::SetSelectedProperty(*list, QStringLiteral("_A\\B\\P"), QStringLiteral("_a\\b"));
    EXPECT_EQ(options::option_at(*list, QStringLiteral("_A"))->strSelectedProperty, QStringLiteral("_A\\B\\P"));
    EXPECT_EQ(options::option_at(*list, QStringLiteral("_A\\B"))->strSelectedProperty, QStringLiteral("_A\\B\\P"));
    EXPECT_EQ(options::option_at(*list, QStringLiteral("_Z"))->strSelectedProperty, QStringLiteral(" "));

    options::SetSelectedProperty(*list, QStringLiteral(" "), QStringLiteral("_A"));
    EXPECT_EQ(options::option_at(*list, QStringLiteral("_A"))->strSelectedProperty, QStringLiteral(" "));
    EXPECT_EQ(options::option_at(*list, QStringLiteral("_A\\B"))->strSelectedProperty, QStringLiteral("_A\\B\\P"));

    try {
        options::SetSelectedProperty(*list, QStringLiteral(" "), QStringLiteral("_NONE"));
        FAIL();
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), 5);
    }
}

TEST(PageIndexText, OnlyWholeNumbersFromOneWithin16BitsArePositive)
{
    struct Case {
        const char* text;
        bool positive;
    };
    for (const Case& c : {Case{"7", true}, Case{"1", true}, Case{"32767", true}, Case{"0", false}, Case{"-3", false},
                          Case{"letters", false}, Case{"", false}, Case{"40000", false}})
        EXPECT_EQ(options::IsPositiveInteger(q(c.text)), c.positive) << c.text;
}

} // namespace
