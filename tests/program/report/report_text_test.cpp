#include "program/report/column_layout.h"
#include "program/report/processed_domains.h"
#include "program/report/resources.h"
#include "program/report/results_report.h"
#include "tests/program/report/result_model_fixture.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using program_test::model;
using program_test::network_values;

QStringList matrix_of(program::ProcessedDomains& domains)
{
    auto matrix = program::FillResultsMatrix(domains, [](const QString& d) { ADD_FAILURE() << d.toStdString(); });
    EXPECT_TRUE(matrix.has_value());
    return matrix.value_or(QStringList());
}

TEST(ReportText, NetworkColumnsInTheirFixedOrder)
{
    program::ProcessedDomains domains = model(false, {});
    EXPECT_EQ(domains.PropertyNames().join(u'|').toStdString(),
              "Domain|DCs|Servers|Workstations|Unknown Computers|Global Groups|Local Groups|Universal Groups|Users|"
              "Enabled Users|Managed Service Accounts|Lync-enabled Users|Exchange Servers|Mailbox-enabled Users|"
              "Mail/Mailbox-enabled Users|Mail-enabled Groups|Contacts");
}

TEST(ReportText, MatrixRowsAndTotals)
{
    program::ProcessedDomains domains = model(true, {{"org1", {2, 10}}, {"org2", {-1, 5}}, {"gone", {-1, -1}}});
    const QStringList matrix = matrix_of(domains);
    ASSERT_EQ(matrix.size(), 4);
    EXPECT_EQ(matrix[0].toStdString(), "Organization\tExchange Servers\tMailboxes\t");
    EXPECT_EQ(matrix[1].toStdString(), "org1\t2\t10");
    EXPECT_EQ(matrix[2].toStdString(), "org2\t<no data>\t5");
    EXPECT_EQ(matrix[3].toStdString(), "Total\t2\t15");
}

TEST(ReportText, NoEntryWithDataGivesOnlyTheTotalSectionWithZeros)
{
    program::ProcessedDomains domains = model(true, {{"a", {-1, -1}}});
    const QStringList matrix = matrix_of(domains);
    ASSERT_EQ(matrix.size(), 2);
    EXPECT_EQ(program::MakeINIString(matrix).toStdString(), "[Total]\r\nExchange Servers=0\r\nMailboxes=0\r\n\r\n");
}

TEST(ReportText, IniStartsWithTotalThenEntriesInModelOrder)
{
    program::ProcessedDomains domains = model(true, {{"b<x>", {1, 2}}, {"a", {3, -1}}});
    EXPECT_EQ(program::MakeINIString(matrix_of(domains)).toStdString(),
              "[Total]\r\nExchange Servers=4\r\nMailboxes=2\r\n\r\n"
              "[b<x>]\r\nExchange Servers=1\r\nMailboxes=2\r\n\r\n"
              "[a]\r\nExchange Servers=3\r\nMailboxes=<no data>\r\n\r\n");
}

TEST(ReportText, NetworkSectionHasSixteenLinesAndNoNameColumnLine)
{
    program::ProcessedDomains domains = model(false, {{"test.local", network_values(0)}});
    const QString ini = program::MakeINIString(matrix_of(domains));
    const QStringList lines = ini.split(QStringLiteral("\r\n"));
    // [Total], 16, empty, [test.local], 16, empty, and the empty piece after the last CR LF.
    ASSERT_EQ(lines.size(), 37);
    EXPECT_EQ(lines[0].toStdString(), "[Total]");
    EXPECT_EQ(lines[1].toStdString(), "DCs=0");
    EXPECT_EQ(lines[14].toStdString(), "Mail/Mailbox-enabled Users=13");
    EXPECT_EQ(lines[16].toStdString(), "Contacts=15");
    EXPECT_EQ(lines[18].toStdString(), "[test.local]");
    EXPECT_FALSE(ini.contains(QStringLiteral("Domain=")));
}

TEST(ReportText, AColumnWithoutAnyDataSumsToZero)
{
    std::vector<int> values = network_values(1);
    values[0] = -1;
    program::ProcessedDomains domains = model(false, {{"a", values}, {"b", values}});
    const QStringList matrix = matrix_of(domains);
    EXPECT_TRUE(matrix.last().startsWith(QStringLiteral("Total\t0\t4\t")));
    EXPECT_TRUE(matrix[1].startsWith(QStringLiteral("a\t<no data>\t2\t")));
}

TEST(ReportText, ASumLeavingThe32BitRangeFailsWithAMessageAndNoMatrix)
{
    program::ProcessedDomains domains = model(true, {{"a", {std::numeric_limits<int>::max(), 1}}, {"b", {1, 1}}});
    QStringList messages;
    auto matrix = program::FillResultsMatrix(domains, [&](const QString& d) { messages.append(d); });
    EXPECT_FALSE(matrix.has_value());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toStdString(), "Overflow");
}

} // namespace
