// The conversion of a result collection into the result model, on small in-process result
// objects shaped as the collector's (the collector's own objects drive the same code in the
// end-to-end runs).

#include "program/client/collector.h"
#include "tests/program/client/info_fakes.h"

#include "platform/forms/core/vb_error.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using program_test::info;
using program_test::infos;

TEST(Infos2domains, ConvertsEveryEntryInOrderWithItsColumns)
{
    const auto results = infos::make({
        info::make(QStringLiteral("a.com"), {}, {{oxcUser, 10}, {oxcMailboxEnabledUser, 3}, {oxcMailEnabledUser, 4}}),
        info::make(QStringLiteral("A.COM"), QStringLiteral("failed\r\n"), {}),
        info::make(QString(), {}, {{oxcUser, 1}}),
        info::make(QStringLiteral("zero"), {}, {{oxcContact, 0}}),
    });
    program::CCollector collector;
    auto domains = collector.Infos2domains(results.p, false);
    ASSERT_EQ(domains->PropertyNames().size(), 17);
    ASSERT_EQ(domains->Count(), 3); // the entry without a name is dropped

    auto first = domains->Item(1);
    EXPECT_EQ(first->DomainName.toStdString(), "a.com");
    EXPECT_TRUE(first->isCorrectlyProcessed);
    ASSERT_EQ(first->Props()->Count(), 16);
    EXPECT_EQ(first->Props()->Item(8)->value.toStdString(), "10"); // Users
    EXPECT_EQ(first->Props()->Item(13)->value.toStdString(), "3"); // Mailbox-enabled Users
    EXPECT_EQ(first->Props()->Item(14)->value.toStdString(), "4"); // Mail/Mailbox-enabled Users
    EXPECT_EQ(first->Props()->Item(1)->value.toStdString(), "-1");

    auto second = domains->Item(2);
    EXPECT_EQ(second->DomainName.toStdString(), "A.COM(1)");
    EXPECT_FALSE(second->isCorrectlyProcessed);
    EXPECT_EQ(second->StatusString.toStdString(), "failed\r\n");
    EXPECT_TRUE(domains->Item(3)->isCorrectlyProcessed); // one 0 is data

    const auto matrix = collector.FillResultsMatrix(*domains);
    ASSERT_TRUE(matrix.has_value());
    EXPECT_EQ(matrix->size(), 4); // header, a.com, zero, Total
}

TEST(Infos2domains, ExchangeEntriesHaveServersThenMailboxes)
{
    const auto results = infos::make(
        {info::make(QStringLiteral("Org"), {}, {{oxcExchange5Servers, 2}, {oxcExchange5Mailbox, 40}})});
    program::CCollector collector;
    auto domains = collector.Infos2domains(results.p, true);
    EXPECT_EQ(domains->PropertyNames().join(u'|').toStdString(), "Organization|Exchange Servers|Mailboxes");
    auto org = domains->Item(1);
    ASSERT_EQ(org->Props()->Count(), 2);
    EXPECT_EQ(org->Props()->Item(1)->value.toStdString(), "2");
    EXPECT_EQ(org->Props()->Item(2)->value.toStdString(), "40");
}

TEST(Infos2domains, AnEntrysPasswordIsNotKept)
{
    const QString name = QStringLiteral("dc1/admin/Secr3t");
    const auto results = infos::make(
        {info::make(name, QStringLiteral("error while connecting to LDAP server '") + name + QStringLiteral("': x\r\n"),
                    {{oxcUser, 5}})});
    program::CCollector collector;
    auto domains = collector.Infos2domains(results.p, false);
    auto entry = domains->Item(1);
    EXPECT_EQ(entry->DomainName.toStdString(), "dc1/admin");
    EXPECT_FALSE(entry->StatusString.contains(QStringLiteral("Secr3t")));
    const auto matrix = collector.FillResultsMatrix(*domains);
    ASSERT_TRUE(matrix.has_value());
    EXPECT_FALSE(collector.MakeINIString(*matrix).contains(QStringLiteral("Secr3t")));
}

TEST(Infos2domains, AnEmptyCollectionGivesTitlesOnlyAndNoCollectionIsError91)
{
    const auto results = infos::make({});
    program::CCollector collector;
    auto domains = collector.Infos2domains(results.p, false);
    EXPECT_EQ(domains->Count(), 0);
    EXPECT_EQ(domains->PropertyNames().size(), 17);
    try {
        collector.Infos2domains(nullptr, false);
        FAIL() << "no error";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), 91);
    }
}

} // namespace
