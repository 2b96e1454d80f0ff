// The results page's grid and buttons.
#include "program/wizard/results_grid.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/intrinsics/flex_grid.h"
#include "tests/program/report/result_model_fixture.h"
#include "tests/support/forms/test_artefacts.h"
#include "tests/support/forms/test_host.h"

#include <QTableWidget>

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
    program::ProcessedDomains domains = model(false,
                                              {{"ad.test", network_values(1)}, {"gone", std::vector<int>(16, -1)}});
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
    program::ProcessedDomains empty = model(false, {{"gone", std::vector<int>(16, -1)}});
    ASSERT_TRUE(program::FillResultsGrid(empty, grid, buttons, report));
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false}));
}

// The name column fits the longest name, whole; short names keep the grid's first width.
TEST_F(ResultsGridTest, TheNameColumnFitsTheLongestName)
{
    const char* const kLong = "dc1.a-rather-long-subdomain.test.local";
    program::ProcessedDomains domains = model(false, {{"ad.test", network_values(1)}, {kLong, network_values(2)}});
    ASSERT_TRUE(program::FillResultsGrid(domains, grid, buttons, report));
    const int needed = QFontMetrics(grid.view()->font()).horizontalAdvance(QString::fromLatin1(kLong));
    EXPECT_GT(grid.view()->columnWidth(0), needed);
    form.resize(800, 150);
    grid.Move(0, 0, 12000, 1650);
    form.show();
    EXPECT_TRUE(forms::save_picture(form, "results_grid_long_name"));

    program::ProcessedDomains short_names = model(false, {{"ad.test", network_values(1)}});
    ASSERT_TRUE(program::FillResultsGrid(short_names, grid, buttons, report));
    EXPECT_EQ(grid.ColWidth(0), 1200);
}

TEST_F(ResultsGridTest, AFailureLeavesTheButtonsDisabled)
{
    program::ProcessedDomains domains = model(true, {{"org", {2, 10}}});
    ASSERT_TRUE(program::FillResultsGrid(domains, grid, buttons, report));
    ASSERT_EQ(enabled(), (std::vector<bool>{true, true, true}));

    // A column sum beyond the signed 32-bit range: the matrix fails and says why.
    program::ProcessedDomains overflowing = model(true, {{"a", {std::numeric_limits<int>::max(), 1}}, {"b", {1, 1}}});
    EXPECT_FALSE(program::FillResultsGrid(overflowing, grid, buttons, report));
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], QStringLiteral("Overflow"));
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(grid.Rows(), 0);

    // A model without titles cannot size the grid.
    program::ProcessedDomains untitled;
    program::FillResultsGrid(untitled, grid, buttons, report);
    EXPECT_EQ(reported.size(), 2u);
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false}));
}

} // namespace
