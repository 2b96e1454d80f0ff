#include "controls/wizard/c_page.h"
#include "controls/wizard/c_pages.h"
#include "controls/wizard/mod_base.h"
#include "controls/wizard/wizard_navigator.h"
#include "platform/forms/services/message_box.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/controls/wizard/test_wizard_page.h"

#include <thread>

namespace {

class NavigatorTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        modBase::CreateNavigator();
        nav_ = modBase::SharedNavigator();
        ASSERT_NE(nav_, nullptr);
    }
    void TearDown() override
    {
        if (auto pages = modBase::SharedPages())
            nav_->RemoveAllPages();
        modBase::ReleaseNavigator();
        nav_.reset();
        KyComCtlTest::TearDown();
    }

    std::shared_ptr<CPage> page(int index, const QString& name)
    {
        auto& control = controls_.emplace_back(std::make_unique<TestWizardPage>(index));
        auto p = std::make_shared<CPage>();
        p->setWizardPage(QVariant::fromValue<QObject*>(control.get()));
        p->setName(name);
        return p;
    }

    std::vector<std::unique_ptr<TestWizardPage>> controls_;
    std::shared_ptr<CWizardNavigator> nav_;
};

TEST_F(NavigatorTest, CreationGivesTheDocumentedState)
{
    EXPECT_EQ(nav_->DefaultSetDefaultButton(), kyBPRightMiddle);
    EXPECT_EQ(nav_->DefaultSetCancelButton(), kyBPRight);
    EXPECT_FALSE(nav_->DefaultSetLBVisible());
    EXPECT_EQ(nav_->DefaultSetLBCaption(), QStringLiteral("&Help"));
    EXPECT_EQ(nav_->DefaultSetLMBCaption(), QStringLiteral("< &Back"));
    EXPECT_EQ(nav_->DefaultSetRMBRule(), kyBRNext);
    EXPECT_EQ(nav_->DefaultSetRBCaption(), QStringLiteral("Cancel"));
    EXPECT_EQ(nav_->StartPage(), 1);
    EXPECT_EQ(nav_->CurrentPageIndex(), 0);
    EXPECT_FALSE(nav_->ShowErrorMsg());
    EXPECT_EQ(nav_->registry(), modBase::SharedPages());
}

TEST_F(NavigatorTest, CurrentSetFollowsUseDefaultButtonSet)
{
    nav_->setCurrentLBCaption(QString());
    nav_->setCurrentLBVisible(true);
    nav_->setCurrentDefaultButton(kyBPLeft);
    nav_->setUseDefaultButtonSet(true);
    EXPECT_EQ(nav_->CurrentLBCaption(), QStringLiteral("&Help"));
    EXPECT_FALSE(nav_->CurrentLBVisible());
    EXPECT_EQ(nav_->CurrentButton(kyBPRight).Caption, QStringLiteral("Cancel"));
    EXPECT_EQ(nav_->CurrentDefaultButton(), kyBPLeft);

    nav_->setUseDefaultButtonSet(false);
    EXPECT_EQ(nav_->CurrentLBCaption(), QString()); // what the page pushed, also when empty
    EXPECT_TRUE(nav_->CurrentLBVisible());
    EXPECT_EQ(nav_->CurrentDefaultButton(), kyBPLeft);
}

TEST_F(NavigatorTest, LetsRaiseTheirEventsSynchronously)
{
    std::vector<QString> events;
    QObject::connect(nav_.get(), &CWizardNavigator::OnChangeNextPageIndex, [&] { events.push_back("next"); });
    QObject::connect(nav_.get(), &CWizardNavigator::OnChangePreviousPageIndex, [&] { events.push_back("previous"); });
    QObject::connect(nav_.get(), &CWizardNavigator::OnChangeBannerStyle,
                     [&](std::int32_t style) { events.push_back(QStringLiteral("style %1").arg(style)); });
    QObject::connect(nav_.get(), &CWizardNavigator::YouMustChangeYourHeight,
                     [&](std::int32_t height) { events.push_back(QStringLiteral("height %1").arg(height)); });
    QObject::connect(nav_.get(), &CWizardNavigator::OnChangeBannerPicture,
                     [&](const WizardPicture& picture) { events.push_back(picture ? "banner" : "no banner"); });
    QObject::connect(nav_.get(), &CWizardNavigator::OnNavigatorDie, [&] { events.push_back("die"); });
    QObject::connect(nav_.get(), &CWizardNavigator::OnError, [&](std::int32_t n, const QString& d, const QString& s) {
        events.push_back(QStringLiteral("%1 %2 %3").arg(n).arg(d, s));
    });
    nav_->setNextPageIndex(3);
    nav_->setPreviousPageIndex(1);
    nav_->setBannerStyle(kyKyrell);
    nav_->setPageHeight(4800);
    nav_->setBannerPicture(forms::StdPicture::create());
    EXPECT_FALSE(nav_->NavigatorIsDie().isValid());
    nav_->ReportError(5, QStringLiteral("bad"), QStringLiteral("wt::X (Let)"));
    EXPECT_EQ(events, (std::vector<QString>{"next", "previous", "style 1", "height 4800", "banner", "die",
                                            "5 bad wt::X (Let)"}));
    EXPECT_EQ(nav_->NextPageIndex(), 3);
    EXPECT_EQ(nav_->PageHeight(), 4800);
}

TEST_F(NavigatorTest, GoToPageOfNoPageStoresNothing)
{
    std::vector<std::int32_t> asked;
    QObject::connect(nav_.get(), &CWizardNavigator::OnGoToPage, [&](std::int32_t index) {
        asked.push_back(index);
        // a page handler may re-enter the shared object before GoToPage returns
        if (index == 2)
            nav_->setCurrentPageIndex(2);
    });
    nav_->GoToPage(42);
    EXPECT_EQ(asked, std::vector<std::int32_t>{42});
    EXPECT_EQ(nav_->CurrentPageIndex(), 0);
    nav_->GoToPage(2);
    EXPECT_EQ(nav_->CurrentPageIndex(), 2);
}

TEST_F(NavigatorTest, AddPageRegistersANameOnce)
{
    auto first = page(1, QStringLiteral("wtWelcome"));
    nav_->AddPage(QStringLiteral("wtWelcome"), first);
    nav_->AddPage(QStringLiteral("wtWelcome"), page(2, QStringLiteral("wtWelcome")));
    ASSERT_EQ(nav_->registry()->Count(), 1);
    EXPECT_EQ(nav_->registry()->page(QVariant(1)), first);
    nav_->AddPage(QStringLiteral("wtNull"), nullptr); // a failing statement is skipped
    EXPECT_EQ(nav_->registry()->Count(), 1);
}

TEST_F(NavigatorTest, RemovePageOfAnUnknownNameChangesNothing)
{
    nav_->AddPage(QStringLiteral("wtA"), page(1, QStringLiteral("wtA")));
    nav_->RemovePage(QStringLiteral("wtB"));
    nav_->RemovePage(QStringLiteral("WTA")); // names compare exactly
    EXPECT_EQ(nav_->registry()->Count(), 1);
    EXPECT_TRUE(boxes().empty());
    nav_->RemovePage(QStringLiteral("wtA"));
    EXPECT_EQ(nav_->registry()->Count(), 0);
}

TEST_F(NavigatorTest, RenamePageMovesTheEntry)
{
    auto p = page(2, QStringLiteral("wtOld"));
    nav_->AddPage(QStringLiteral("wtOld"), p);
    p->setName(QStringLiteral("wtNew"));
    nav_->RenamePage(QStringLiteral("wtNew"), p, QStringLiteral("wtOld"));
    ASSERT_EQ(nav_->registry()->Count(), 1);
    EXPECT_EQ(nav_->registry()->page(QVariant(QStringLiteral("wtNew"))), p);
    EXPECT_EQ(nav_->registry()->page(QVariant(QStringLiteral("wtOld"))), nullptr);
}

TEST_F(NavigatorTest, RemoveAllPagesEmptiesWithoutReleasing)
{
    nav_->AddPage(QStringLiteral("wtA"), page(1, QStringLiteral("wtA")));
    nav_->AddPage(QStringLiteral("wtB"), page(2, QStringLiteral("wtB")));
    nav_->RemoveAllPages();
    EXPECT_EQ(nav_->registry()->Count(), 0);
    EXPECT_EQ(modBase::SharedNavigator(), nav_);
}

TEST_F(NavigatorTest, PairLivesUntilTheLastPageLeaves)
{
    nav_->AddPage(QStringLiteral("wtA"), page(1, QStringLiteral("wtA")));
    modBase::ReleaseNavigator();
    EXPECT_EQ(modBase::SharedNavigator(), nav_);
    EXPECT_NE(modBase::SharedPages(), nullptr);
    nav_->RemovePage(QStringLiteral("wtA"));
    modBase::ReleaseNavigator();
    EXPECT_EQ(modBase::SharedNavigator(), nullptr);
    EXPECT_EQ(modBase::SharedPages(), nullptr);
    EXPECT_NE(nav_->registry(), nullptr); // a control's own reference keeps its object usable
}

TEST_F(NavigatorTest, EachUiThreadHasItsOwnPair)
{
    const auto here = modBase::SharedNavigator();
    std::shared_ptr<CWizardNavigator> there;
    bool there_empty_at_start = false;
    bool there_show_error = true;
    std::thread other([&] {
        there_empty_at_start = !modBase::SharedNavigator() && !modBase::SharedPages();
        there_show_error = modBase::SharedShowErrorMsg();
        modBase::CreateNavigator();
        there = modBase::SharedNavigator();
        modBase::ReleaseNavigator();
    });
    other.join();
    EXPECT_TRUE(there_empty_at_start);
    EXPECT_FALSE(there_show_error);
    ASSERT_NE(there, nullptr);
    EXPECT_NE(there, here);
    EXPECT_NE(there->registry(), here->registry());
    EXPECT_EQ(modBase::SharedNavigator(), here);
}

TEST_F(NavigatorTest, ErrorMsgBoxShowsOnlyWhenAsked)
{
    EXPECT_EQ(modBase::ErrorMsgBox(false, 5, QStringLiteral("d"), QStringLiteral("s"), 48), 0);
    EXPECT_TRUE(boxes().empty());

    host().messages().answer_next(forms::vbOK);
    EXPECT_EQ(modBase::ErrorMsgBox(true, 380, QStringLiteral("Invalid property value"),
                                   QStringLiteral("wtWelcome::BannerTitle (Let)"), 48),
              forms::vbOK);
    modBase::ErrorMsgBox(true, 7, QStringLiteral("Out of memory"), QString(), 48);
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[0].prompt, QStringLiteral("Error: 380\r\nInvalid property value"));
    EXPECT_EQ(boxes()[0].style, 48);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("wtWelcome::BannerTitle (Let)"));
    EXPECT_EQ(boxes()[1].title, QStringLiteral("KyComCtl"));
}

} // namespace
