#include "controls/wizard/c_page.h"
#include "controls/wizard/c_pages.h"
#include "controls/wizard/mod_base.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/vb_error.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/controls/wizard/test_wizard_page.h"

#include <deque>

namespace {

class PageRegistryTest : public KyComCtlTest {
protected:
    void TearDown() override
    {
        modBase::setSharedShowErrorMsg(false);
        KyComCtlTest::TearDown();
    }

    std::shared_ptr<CPage> proxy(int index, const QString& name)
    {
        auto& page = pages_.emplace_back(std::make_unique<TestWizardPage>(index));
        auto p = std::make_shared<CPage>();
        p->setWizardPage(QVariant::fromValue<QObject*>(page.get()));
        p->setName(name);
        return p;
    }

    static int index_at(const CPages& registry, int position) { return registry.page(QVariant(position))->PageIndex(); }

    std::deque<std::unique_ptr<TestWizardPage>> pages_;
    CPages registry_;
};

TEST_F(PageRegistryTest, KeepsAscendingPageIndexOrder)
{
    registry_.Add(proxy(3, QStringLiteral("wtThree")), QStringLiteral("wtThree"));
    registry_.Add(proxy(1, QStringLiteral("wtOne")), QStringLiteral("wtOne"));
    registry_.Add(proxy(2, QStringLiteral("wtTwo")), QStringLiteral("wtTwo"));
    ASSERT_EQ(registry_.Count(), 3);
    EXPECT_EQ(index_at(registry_, 1), 1);
    EXPECT_EQ(index_at(registry_, 2), 2);
    EXPECT_EQ(index_at(registry_, 3), 3);

    // an equal index goes after the pages that already carry it
    registry_.Add(proxy(2, QStringLiteral("wtTwoMore")), QStringLiteral("wtTwoMore"));
    EXPECT_EQ(registry_.page(QVariant(3))->Name(), QStringLiteral("wtTwoMore"));
    EXPECT_EQ(registry_.page(QVariant(4))->PageIndex(), 3);
}

TEST_F(PageRegistryTest, ItemByNameAndMissingName)
{
    registry_.Add(proxy(1, QStringLiteral("wtWelcome")), QStringLiteral("wtWelcome"));
    modBase::setSharedShowErrorMsg(true);
    EXPECT_EQ(registry_.page(QVariant(QStringLiteral("WTWELCOME")))->Name(), QStringLiteral("wtWelcome"));
    EXPECT_EQ(registry_.page(QVariant(QStringLiteral("wtNowhere"))), nullptr);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(PageRegistryTest, PositionOutOfRangeGivesNoneWithTheCriticalBox)
{
    registry_.Add(proxy(1, QStringLiteral("wtWelcome")), QStringLiteral("wtWelcome"));
    EXPECT_EQ(registry_.page(QVariant(0)), nullptr);
    EXPECT_TRUE(boxes().empty()); // the switch is off

    modBase::setSharedShowErrorMsg(true);
    EXPECT_EQ(registry_.page(QVariant(0)), nullptr);
    EXPECT_EQ(registry_.page(QVariant(registry_.Count() + 1)), nullptr);
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[0].prompt, QStringLiteral("Error: 9\r\nSubscript out of range"));
    EXPECT_EQ(boxes()[0].style, forms::vbCritical);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("KyComCtl"));
}

TEST_F(PageRegistryTest, NewRegistryIsEmpty)
{
    EXPECT_EQ(registry_.Count(), 0);
    EXPECT_TRUE(registry_.NewEnum().isEmpty());
    EXPECT_EQ(forms::get(&registry_, QStringLiteral("count")).toInt(), 0);
}

TEST_F(PageRegistryTest, HostWalksAndIndexesLateBound)
{
    registry_.Add(proxy(2, QStringLiteral("wtB")), QStringLiteral("wtB"));
    registry_.Add(proxy(1, QStringLiteral("wtA")), QStringLiteral("wtA"));
    QStringList names;
    for (const QVariant& item : registry_.NewEnum())
        names << forms::get(item.value<QObject*>(), QStringLiteral("Name")).toString();
    EXPECT_EQ(names, (QStringList{QStringLiteral("wtA"), QStringLiteral("wtB")}));
    auto* second = forms::call(&registry_, QStringLiteral("Item"), {2}).value<QObject*>();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(forms::get(second, QStringLiteral("Name")).toString(), QStringLiteral("wtB"));
}

TEST_F(PageRegistryTest, DuplicateKeyRaisesTheCollectionsError)
{
    registry_.Add(proxy(1, QStringLiteral("wtA")), QStringLiteral("wtA"));
    try {
        registry_.Add(proxy(2, QStringLiteral("WTA")), QStringLiteral("WTA"));
        FAIL() << "a second page under one key was taken";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), 457);
    }
    EXPECT_EQ(registry_.Count(), 1);
}

TEST_F(PageRegistryTest, ProxyForwardsByName)
{
    auto p = proxy(4, QStringLiteral("wtProcessing"));
    TestWizardPage& page = *pages_.back();
    p->setBannerTitle(QStringLiteral("Processing"));
    p->setPageNext(5);
    p->setWatermarkRule(QStringLiteral("rule"));
    EXPECT_EQ(page.banner_title, QStringLiteral("Processing"));
    EXPECT_EQ(page.page_next, 5);
    EXPECT_EQ(p->PageNext(), 5);
    EXPECT_EQ(p->ClientHeight(), 3000);
    EXPECT_EQ(p->WatermarkRule(), QStringLiteral("rule"));
    p->setTag(QStringLiteral("t"));
    EXPECT_EQ(p->Tag().toString(), QStringLiteral("t"));
}

TEST_F(PageRegistryTest, PageIndexIsReadOnlyThroughTheProxy)
{
    auto p = proxy(3, QStringLiteral("wtThree"));
    p->setPageIndex(9);
    EXPECT_EQ(p->PageIndex(), 3);
    EXPECT_TRUE(boxes().empty());

    modBase::setSharedShowErrorMsg(true);
    forms::let(p.get(), QStringLiteral("PageIndex"), 9); // late bound: no error reaches the caller
    EXPECT_EQ(pages_.back()->page_index, 3);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].prompt, QStringLiteral("You can't set read-only PageIndex property."));
    EXPECT_EQ(boxes()[0].style, forms::vbOKOnly);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("KyComCtl"));
}

TEST_F(PageRegistryTest, ProxyWithoutItsPageTakesTheNoPagePath)
{
    auto empty = std::make_shared<CPage>();
    EXPECT_EQ(empty->PageIndex(), 0);
    EXPECT_TRUE(boxes().empty());

    modBase::setSharedShowErrorMsg(true);
    EXPECT_EQ(empty->PageIndex(), 0);
    EXPECT_EQ(empty->BannerTitle(), QString());
    empty->setBannerTitle(QStringLiteral("x"));
    ASSERT_EQ(boxes().size(), 3u);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("KyComCtl - CPage:PageIndex Get"));
    EXPECT_EQ(boxes()[0].style, forms::vbCritical);
    EXPECT_TRUE(boxes()[0].prompt.startsWith(QStringLiteral("Error: ")));
    EXPECT_EQ(boxes()[2].title, QStringLiteral("KyComCtl - CPage:Bannertitle Let"));
}

TEST_F(PageRegistryTest, PageThatIsDestroyedLeavesNoDanglingProxy)
{
    auto p = proxy(2, QStringLiteral("wtGone"));
    registry_.Add(p, QStringLiteral("wtGone"));
    pages_.back().reset(); // the page control goes with its form
    modBase::setSharedShowErrorMsg(true);
    EXPECT_FALSE(p->WizardPage().isValid());
    EXPECT_EQ(p->PageIndex(), 0);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("KyComCtl - CPage:PageIndex Get"));
    EXPECT_EQ(p->Name(), QStringLiteral("wtGone"));
}

TEST_F(PageRegistryTest, MissingMemberAndRefusedWizardPage)
{
    modBase::setSharedShowErrorMsg(true);
    QObject bare;
    auto p = std::make_shared<CPage>();
    p->setWizardPage(QVariant::fromValue<QObject*>(&bare));
    EXPECT_EQ(p->PageMode(), 0);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].prompt, QStringLiteral("Error: 438\r\nObject doesn't support this property or method"));
    EXPECT_EQ(boxes()[0].title, QStringLiteral("KyComCtl - CPage:PageMode Get"));

    p->setWizardPage(QVariant(42));
    EXPECT_FALSE(p->WizardPage().isValid());
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[1].title, QStringLiteral("KyComCtl - CPage:WizardPage Set"));
}

TEST_F(PageRegistryTest, HelpContextIdFailureReachesTheCaller)
{
    auto empty = std::make_shared<CPage>();
    EXPECT_THROW(empty->HelpContextID(), forms::VbError);
    auto p = proxy(1, QStringLiteral("wtA"));
    p->setHelpContextID(77);
    EXPECT_EQ(p->HelpContextID(), 77);
}

TEST_F(PageRegistryTest, TagVariantKeepsAnObjectAsThatObject)
{
    auto p = proxy(1, QStringLiteral("wtA"));
    QObject held;
    TestWizardPage& page = *pages_.back();
    p->setTagVariant(QVariant::fromValue<QObject*>(&held));
    EXPECT_EQ(p->TagVariant().value<QObject*>(), &held);
    p->setTagVariant(12);
    EXPECT_EQ(p->TagVariant().toInt(), 12);
    // The page's own Variant holds the value itself, not a Variant around it.
    EXPECT_EQ(page.tag_variant.typeId(), QMetaType::Int);
    EXPECT_EQ(p->TagVariant().typeId(), QMetaType::Int);
}

} // namespace
