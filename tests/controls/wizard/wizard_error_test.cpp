#include "controls/wizard/mod_base.h"
#include "controls/wizard/wizard_error.h"
#include "controls/wizard/wizard_navigator.h"
#include "platform/forms/services/message_box.h"
#include "tests/controls/kycomctl_fixture.h"

#include <vector>

namespace {

struct Raised {
    std::int32_t number;
    QString description;
    QString source;
};

class WizardErrorTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        modBase::CreateNavigator();
        nav_ = modBase::SharedNavigator();
        QObject::connect(nav_.get(), &CWizardNavigator::OnError,
                         [this](std::int32_t n, const QString& d, const QString& s) {
                             raised_.push_back({n, d, s});
                         });
    }
    void TearDown() override
    {
        nav_.reset();
        modBase::ReleaseNavigator();
        KyComCtlTest::TearDown();
    }

    std::shared_ptr<CWizardNavigator> nav_;
    std::vector<Raised> raised_;
    wizard_errors::LastError last_;
};

TEST_F(WizardErrorTest, Error398IsKeptButNeverReported)
{
    EXPECT_FALSE(wizard_errors::ReportPageError(398, QStringLiteral("Client site not available"), last_,
                                                QStringLiteral("wtWelcome"), QStringLiteral("BannerTitle (Let)"),
                                                nav_.get()));
    bool raised = false;
    EXPECT_FALSE(wizard_errors::ReportNavigatorError(
        398, QStringLiteral("x"), last_, QStringLiteral("nav"), QStringLiteral("Resize"), true,
        [&](std::int32_t, const QString&, const QString&) { raised = true; }));
    EXPECT_FALSE(raised);
    EXPECT_TRUE(raised_.empty());
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(last_.Number, 398);
}

TEST_F(WizardErrorTest, PageReportsThroughTheSharedObject)
{
    nav_->setShowErrorMsg(true);
    EXPECT_TRUE(wizard_errors::ReportPageError(380, QStringLiteral("Invalid property value"), last_,
                                               QStringLiteral("wtWelcome"), QStringLiteral("BannerTitle (Let)"),
                                               nav_.get()));
    ASSERT_EQ(raised_.size(), 1u);
    EXPECT_EQ(raised_[0].source, QStringLiteral("wtWelcome::BannerTitle (Let)"));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].prompt, QStringLiteral("Error: 380\r\nInvalid property value"));
    EXPECT_EQ(boxes()[0].style, forms::vbExclamation);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("wtWelcome::BannerTitle (Let)"));

    nav_->setShowErrorMsg(false); // the switch comes from the shared object
    wizard_errors::ReportPageError(5, QStringLiteral("d"), last_, QStringLiteral("wtA"), QStringLiteral("P"),
                                   nav_.get());
    EXPECT_EQ(raised_.size(), 2u);
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(WizardErrorTest, DetachedPageReportsNothingButKeepsTheError)
{
    EXPECT_FALSE(wizard_errors::ReportPageError(13, QStringLiteral("Type mismatch"), last_, QStringLiteral("wtA"),
                                                QStringLiteral("PageIndex (Let)"), nullptr));
    EXPECT_EQ(last_.Number, 13);
    EXPECT_EQ(last_.Description, QStringLiteral("Type mismatch"));
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(raised_.empty());
}

TEST_F(WizardErrorTest, NavigatorRaisesItsOwnEventAndUsesItsOwnSwitch)
{
    std::vector<Raised> own;
    auto raise = [&](std::int32_t n, const QString& d, const QString& s) { own.push_back({n, d, s}); };
    wizard_errors::ReportNavigatorError(5, QStringLiteral("Invalid procedure call or argument"), last_,
                                        QStringLiteral("KyWizardNavigator1"), QStringLiteral("GoToNewPage"), false,
                                        raise);
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(own[0].source, QStringLiteral("KyWizardNavigator1::GoToNewPage"));
    EXPECT_TRUE(boxes().empty());
    wizard_errors::ReportNavigatorError(5, QStringLiteral("d"), last_, QStringLiteral("KyWizardNavigator1"),
                                        QStringLiteral("GoToNewPage"), true, raise);
    EXPECT_EQ(boxes().size(), 1u);
}

} // namespace
