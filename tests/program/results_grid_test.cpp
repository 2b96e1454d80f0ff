// The results page's grid and buttons, and the XML text read from the grid.
#include "program/results_grid.h"
#include "program/xml_report.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/intrinsics/flex_grid.h"
#include "tests/program/result_model_fixture.h"
#include "tests/support/forms/test_artefacts.h"
#include "tests/support/forms/test_host.h"

#include <QTableWidget>
#include <QXmlStreamReader>

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <limits>

namespace {

using program_test::model;
using program_test::network_values;

class ResultsGridTest : public ::testing::Test {
protected:
    bool application_ = (forms::TestHost::ensure_application(), true);
    QWidget form;
    forms::FlexGrid grid{&form, QStringLiteral("fxgOutResults")};
    forms::CommandButton copy{&form, QStringLiteral("cmdCopy"), QStringLiteral("&Copy")};
    forms::CommandButton print{&form, QStringLiteral("cmdPrint"), QStringLiteral("&Print")};
    forms::CommandButton save{&form, QStringLiteral("cmdSave"), QStringLiteral("&Save")};
    program::OutputButtons buttons{&copy, &print, &save};
    std::vector<QString> reported;
    program::failure_reporter report = [this](const QString& d) { reported.push_back(d); };

    std::vector<bool> enabled() const { return {copy.Enabled(), print.Enabled(), save.Enabled()}; }
};

TEST_F(ResultsGridTest, HeaderIsRowZeroTotalIsLastAndTheButtonsFollowTheEntryRows)
{
    ProcessedDomains domains = model(false, {{"ad.test", network_values(1)}, {"gone", std::vector<int>(16, -1)}});
    const auto results = program::FillResultsGrid(domains, grid, buttons, report);
    ASSERT_TRUE(results);
    EXPECT_TRUE(reported.empty());
    ASSERT_EQ(grid.Rows(), 3); // the entry without data has no row
    EXPECT_EQ(grid.Cols(), 17);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.ColWidth(0), 1200);
    EXPECT_EQ(grid.TextMatrix(0, 0), QStringLiteral("Domain"));
    EXPECT_EQ(grid.TextMatrix(0, 16), QStringLiteral("Contacts"));
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("ad.test"));
    EXPECT_EQ(grid.TextMatrix(2, 0), QStringLiteral("Total"));
    EXPECT_EQ(grid.TextMatrix(2, 16), QStringLiteral("16"));
    EXPECT_EQ(results->size(), 3);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true}));

    // A picture of the grid as the results page shows it.
    form.resize(800, 150);
    grid.Move(0, 0, 12000, 1650);
    for (int i = 0; i < 3; ++i)
        buttons[i]->Move(120 + i * 1320, 1770, 1215, 375);
    form.show();
    EXPECT_TRUE(forms::save_picture(form, "results_grid"));

    // A run where no entry has data: header and Total, the buttons disabled.
    ProcessedDomains empty = model(false, {{"gone", std::vector<int>(16, -1)}});
    ASSERT_TRUE(program::FillResultsGrid(empty, grid, buttons, report));
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false}));
}

// The name column fits the longest name, whole; short names keep the grid's first width.
TEST_F(ResultsGridTest, TheNameColumnFitsTheLongestName)
{
    const char* const kLong = "dc1.a-rather-long-subdomain.test.local";
    ProcessedDomains domains = model(false, {{"ad.test", network_values(1)}, {kLong, network_values(2)}});
    ASSERT_TRUE(program::FillResultsGrid(domains, grid, buttons, report));
    const int needed = QFontMetrics(grid.view()->font()).horizontalAdvance(QString::fromLatin1(kLong));
    EXPECT_GT(grid.view()->columnWidth(0), needed);
    form.resize(800, 150);
    grid.Move(0, 0, 12000, 1650);
    form.show();
    EXPECT_TRUE(forms::save_picture(form, "results_grid_long_name"));

    ProcessedDomains short_names = model(false, {{"ad.test", network_values(1)}});
    ASSERT_TRUE(program::FillResultsGrid(short_names, grid, buttons, report));
    EXPECT_EQ(grid.ColWidth(0), 1200);
}

TEST_F(ResultsGridTest, AFailureLeavesTheButtonsDisabled)
{
    ProcessedDomains domains = model(true, {{"org", {2, 10}}});
    ASSERT_TRUE(program::FillResultsGrid(domains, grid, buttons, report));
    ASSERT_EQ(enabled(), (std::vector<bool>{true, true, true}));

    // A column sum beyond the signed 32-bit range: the matrix fails and says why.
    ProcessedDomains overflowing = model(true, {{"a", {std::numeric_limits<int>::max(), 1}}, {"b", {1, 1}}});
    EXPECT_FALSE(program::FillResultsGrid(overflowing, grid, buttons, report));
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], QStringLiteral("Overflow"));
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(grid.Rows(), 0);

    // A model without titles cannot size the grid.
    ProcessedDomains untitled;
    program::FillResultsGrid(untitled, grid, buttons, report);
    EXPECT_EQ(reported.size(), 2u);
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false}));
}

TEST(XmlText, EscapesEveryCharacterThatNeedsIt)
{
    const struct {
        QString in;
        QString out;
    } cases[] = {
        {QStringLiteral("a<b>c"), QStringLiteral("a&lt;b&gt;c")},
        {QStringLiteral("R&D \"x\" 'y'"), QStringLiteral("R&amp;D &quot;x&quot; &apos;y&apos;")},
        {QStringLiteral("tab\tcr\rlf\n"), QStringLiteral("tab&#9;cr&#13;lf&#10;")},
        {QString::fromUtf16(u"bell\x07"), QString::fromUtf16(u"bell\uFFFD")},
        {QString::fromUtf16(u"caf\u00E9 \U0001F600"), QString::fromUtf16(u"caf\u00E9 \U0001F600")},
        {QString(QChar(0xD800)), QString::fromUtf16(u"\uFFFD")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(program::EscapeXMLText(c.in), c.out) << c.in.toStdString();
}

TEST(XmlText, AttributeNamesAreLegal)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"Global Groups", "GlobalGroups"},
        {"Mail/Mailbox-enabled Users", "Mail_Mailbox-enabledUsers"},
        {"Lync-enabled Users", "Lync-enabledUsers"},
        {"2nd <count>", "_2nd_count_"},
        {"", "_"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(program::MakeXMLAttributeName(QString::fromUtf8(c.in)).toStdString(), c.out) << c.in;
}

TEST_F(ResultsGridTest, XmlTextIsWellFormedUtf8AndHoldsTheGrid)
{
    ProcessedDomains domains = model(false, {{"R&D <lab> \"x\"", network_values(1)}, {"ad.test", network_values(100)}});
    ASSERT_TRUE(program::FillResultsGrid(domains, grid, buttons, report));
    const QDateTime when(QDate(2026, 12, 10), QTime(14, 5, 9));
    const QString xml = program::MakeXMLString(grid, when);
    EXPECT_TRUE(xml.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r\n")));
    EXPECT_TRUE(
        xml.contains(QStringLiteral("<!-- Generated by Velmor Tallimar on Thu, Dec 10 2026 02:05:09 PM  --> \r\n")));

    QXmlStreamReader reader(xml.toUtf8());
    QStringList names;
    QString totalUsers;
    QString mailUsers;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QStringLiteral("Domain")) {
            mailUsers = reader.attributes().value(QStringLiteral("Mail_Mailbox-enabledUsers")).toString();
            names.push_back(reader.readElementText());
        } else if (reader.name() == QStringLiteral("Total")) {
            totalUsers = reader.attributes().value(QStringLiteral("Users")).toString();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(names, (QStringList{QStringLiteral("R&D <lab> \"x\""), QStringLiteral("ad.test")}));
    EXPECT_EQ(totalUsers, QStringLiteral("115")); // 8 + 107
    EXPECT_EQ(mailUsers, QStringLiteral("113"));
    EXPECT_TRUE(xml.endsWith(QStringLiteral("</Statistics>")));
}

} // namespace
