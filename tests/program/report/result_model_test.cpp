#include "program/report/processed_domains.h"

#include "platform/forms/core/vb_error.h"

#include <gtest/gtest.h>

namespace {

int error_of(const std::function<void()>& call)
{
    try {
        call();
    } catch (const forms::VbError& error) {
        return error.number();
    }
    return 0;
}

TEST(ProcessedDomains, NamesThatDifferOnlyInCaseKeepTheirSpellingWithASuffix)
{
    program::ProcessedDomains domains;
    domains.AddNew(QStringLiteral("corp.example"), {});
    domains.AddNew(QStringLiteral("CORP.example"), {});
    domains.AddNew(QStringLiteral("Corp.Example"), {});
    ASSERT_EQ(domains.Count(), 3);
    EXPECT_EQ(domains.Item(1)->DomainName.toStdString(), "corp.example");
    EXPECT_EQ(domains.Item(2)->DomainName.toStdString(), "CORP.example(1)");
    EXPECT_EQ(domains.Item(3)->DomainName.toStdString(), "Corp.Example(2)");
    EXPECT_EQ(domains.Item(QStringLiteral("corp.example(2)"))->DomainName.toStdString(), "Corp.Example(2)");
}

TEST(ProcessedDomains, AnExistingSuffixedNameMakesTheNextClashTakeTheNextNumber)
{
    program::ProcessedDomains domains;
    domains.AddNew(QStringLiteral("a(1)"), {});
    domains.AddNew(QStringLiteral("a"), {});
    domains.AddNew(QStringLiteral("a"), {});
    EXPECT_EQ(domains.Item(3)->DomainName.toStdString(), "a(2)");
}

TEST(ProcessedDomains, AnEmptyNameStoresNothing)
{
    program::ProcessedDomains domains;
    EXPECT_EQ(domains.AddNew(QString(), QStringLiteral("text")), nullptr);
    EXPECT_EQ(domains.Count(), 0);
}

TEST(ProcessedDomains, NewEntriesKeepTheirStatusAndAreNotProcessed)
{
    program::ProcessedDomains domains;
    auto domain = domains.AddNew(QStringLiteral("x"), QStringLiteral("failed\r\n"));
    EXPECT_FALSE(domain->isProcessed);
    EXPECT_FALSE(domain->isCorrectlyProcessed);
    EXPECT_EQ(domain->StatusString.toStdString(), "failed\r\n");
}

TEST(ProcessedDomains, MissingPositionsAndKeysFailWithTheCollectionsErrors)
{
    program::ProcessedDomains domains;
    domains.AddNew(QStringLiteral("x"), {});
    EXPECT_EQ(error_of([&] { domains.Item(2); }), 9);
    EXPECT_EQ(error_of([&] { domains.Item(0); }), 9);
    EXPECT_EQ(error_of([&] { domains.Item(QStringLiteral("y")); }), 5);
    EXPECT_EQ(error_of([&] { domains.Remove(QStringLiteral("y")); }), 5);
    domains.Remove(QStringLiteral("X"));
    EXPECT_EQ(domains.Count(), 0);
}

TEST(Props, KeepInsertionOrderAndRefuseADuplicateKey)
{
    program::Props props;
    props.AddNew(QString(), 5);
    props.AddNew(QString(), -1);
    props.AddNew(QStringLiteral("k"), 7);
    EXPECT_EQ(props.Count(), 3);
    EXPECT_EQ(props.Item(1)->value.toStdString(), "5");
    EXPECT_EQ(props.Item(2)->value.toStdString(), "-1");
    EXPECT_EQ(props.Item(QStringLiteral("K"))->value.toStdString(), "7");
    EXPECT_EQ(error_of([&] { props.AddNew(QStringLiteral("K"), 1); }), 457);
    EXPECT_EQ(props.Count(), 3);
}

TEST(Domain, ReadingPropsBeforeSettingMakesOneAndKeepsIt)
{
    program::Domain domain;
    auto first = domain.Props();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(domain.Props(), first);
    auto other = std::make_shared<program::Props>();
    domain.Props(other);
    EXPECT_EQ(domain.Props(), other);
}

} // namespace
