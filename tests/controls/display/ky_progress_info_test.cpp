#include "controls/display/ky_progress_info.h"

#include "controls/display/ky_progress_bar.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/vb_error.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QStyle>

#include <cstdio>

namespace {

class ProgressInfoTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        site_ = &host().add(QStringLiteral("KyComCtl.KyProgressInfo"), QStringLiteral("piProgressInfo"));
        info_ = qobject_cast<KyProgressInfo*>(site_->control());
        ASSERT_NE(info_, nullptr);
    }

    QString text(const char* label) const { return info_->label(QString::fromLatin1(label)).text(); }

    forms::ControlSite* site_ = nullptr;
    KyProgressInfo* info_ = nullptr;
};

TEST_F(ProgressInfoTest, NewInstanceCentresThePercentText)
{
    EXPECT_TRUE(info_->ShowPercentCompleted());
    EXPECT_EQ(info_->axcProgress().Align(), arAlignCenter);
    EXPECT_EQ(info_->axcProgress().Caption(), QStringLiteral("0% completed"));
    EXPECT_EQ(text("lblProcessed"), QStringLiteral("Processed: 0"));
    EXPECT_EQ(info_->axcProgress().DisplayFont()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(info_->axcProgress().DisplayFont()->Charset(), 204);
}

TEST_F(ProgressInfoTest, PercentTextGoesToCaptionAndToolTip)
{
    info_->setProgressMax(60);
    info_->setProgress(30);
    EXPECT_EQ(info_->axcProgress().Caption(), QStringLiteral("50% completed"));
    EXPECT_EQ(info_->axcProgress().toolTip(), QStringLiteral("50% completed"));

    info_->setShowPercentCompleted(false);
    EXPECT_EQ(info_->axcProgress().Caption(), QString());
    info_->setProgress(45);
    EXPECT_EQ(info_->axcProgress().Caption(), QString());
    EXPECT_EQ(info_->axcProgress().toolTip(), QStringLiteral("50% completed")); // the earlier tool tip stays
}

TEST_F(ProgressInfoTest, ProgressBeyondMaxKeepsTheBarAndRebuildsTheText)
{
    info_->setProgress(40);
    info_->setProgress(150);
    EXPECT_EQ(info_->Progress(), 40);
    EXPECT_EQ(info_->axcProgress().Caption(), QStringLiteral("40% completed"));
    EXPECT_TRUE(boxes().empty());
    info_->setProgressMax(0);
    EXPECT_EQ(info_->ProgressMax(), 100);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(ProgressInfoTest, ProcessedLineNamesTheTotalWhenAsked)
{
    info_->setDisplayTotal(true);
    info_->setProcessed(5);
    info_->setTotal(12);
    EXPECT_EQ(text("lblProcessed"), QStringLiteral("Processed: 5 item(s) out of 12"));
    info_->setDisplayTotal(false);
    EXPECT_EQ(text("lblProcessed"), QStringLiteral("Processed: 5 item(s) out of 12")); // until the next count
    info_->SetCount();
    EXPECT_EQ(text("lblProcessed"), QStringLiteral("Processed: 5"));
    info_->setProcessed(-2);
    EXPECT_EQ(text("lblProcessed"), QStringLiteral("Processed: -2"));
}

TEST_F(ProgressInfoTest, ErrorsAndTimeLines)
{
    info_->setErrors(3);
    EXPECT_EQ(text("lblErrors"), QStringLiteral("Errors: 3"));
    info_->setElapsedTime(3725);
    EXPECT_EQ(text("lblElapsedTime"), QStringLiteral("Elapsed Time: 01:02:05"));
    info_->setEstimatedTime(59.5f);
    EXPECT_EQ(text("lblEstimatedTime"), QStringLiteral("Estimated Time: 00:01:00"));
}

TEST_F(ProgressInfoTest, StepStatesShowPicturesAndWeight)
{
    info_->StepState(4, ST_RUNNING);
    EXPECT_FALSE(info_->imgStep(4).pixmap().isNull());
    EXPECT_TRUE(info_->lblStep(4).font().bold());
    info_->StepState(1, ST_PASSED);
    EXPECT_EQ(info_->imgStep(1).pixmap().toImage(), KyProgressInfo::step_picture(3).toImage());
    EXPECT_TRUE(info_->lblStep(4).font().bold()); // steps are independent
    info_->StepState(4, ST_SKIPPED);
    EXPECT_EQ(info_->imgStep(4).pixmap().toImage(), KyProgressInfo::step_picture(2).toImage());
    EXPECT_FALSE(info_->lblStep(4).font().bold());
    info_->StepState(4, 9);
    EXPECT_TRUE(info_->imgStep(4).pixmap().isNull());

    info_->StepState(5, ST_RUNNING);
    info_->StepState(-1, ST_RUNNING);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(info_->lblStep(i).font().bold()) << i;
}

TEST_F(ProgressInfoTest, DisplaySwitchLeavesAnEmptyPlace)
{
    const QRect errors = info_->label(QStringLiteral("lblErrors")).geometry();
    info_->setDisplayProcessed(false);
    EXPECT_FALSE(info_->DisplayProcessed());
    EXPECT_EQ(info_->label(QStringLiteral("lblErrors")).geometry(), errors);
}

TEST_F(ProgressInfoTest, WriteOnlyMembersRefuseAGet)
{
    forms::let(site_, QStringLiteral("Total"), 7);
    try {
        forms::get(site_, QStringLiteral("Total"));
        FAIL() << "a Get of a write-only member succeeded";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), 394);
    }
    forms::call(site_, QStringLiteral("StepState"), {0, ST_RUNNING});
    EXPECT_TRUE(info_->lblStep(0).font().bold());
}

TEST_F(ProgressInfoTest, PersistsItsTextsAndSwitches)
{
    // A new instance shows its design texts, which differ from the defaults and are stored.
    const QString fresh = host().saved_text();
    EXPECT_TRUE(fresh.contains(QStringLiteral("Description = String \"Description\"")));
    EXPECT_FALSE(fresh.contains(QStringLiteral("Status = ")));     // equal to its default
    EXPECT_TRUE(fresh.contains(QStringLiteral("ProgressMax = "))); // always written

    info_->setDescription(QStringLiteral("Inspecting domains"));
    info_->setStepDescription2(QStringLiteral("Third"));
    info_->setDisplayErrors(false);
    info_->setShowPercentCompleted(false);
    info_->setProgressMax(60);
    host().design_to_run();
    auto* loaded = qobject_cast<KyProgressInfo*>(host().form().site(QStringLiteral("piProgressInfo"))->control());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Description(), QStringLiteral("Inspecting domains"));
    EXPECT_EQ(loaded->StepDescription2(), QStringLiteral("Third"));
    EXPECT_EQ(loaded->StepDescription0(), QStringLiteral("Step 1"));
    EXPECT_EQ(loaded->Status(), QStringLiteral("Status"));
    EXPECT_FALSE(loaded->DisplayErrors());
    EXPECT_FALSE(loaded->DisplayTotal());
    EXPECT_FALSE(loaded->ShowPercentCompleted());
    EXPECT_EQ(loaded->ProgressMax(), 60);
    EXPECT_EQ(loaded->axcProgress().Caption(), QString());
}

TEST_F(ProgressInfoTest, StoredFormWithoutKeysTakesTheReadingDefaults)
{
    const QString text = QStringLiteral("OstrelForm 1\nBegin Form f\n   Begin KyComCtl.KyProgressInfo pi\n"
                                        "      progressmax = Long 60\n   End\nEnd\n");
    forms::TestHost stored(true);
    stored.form().load(forms::FormFile::parse(text));
    auto* loaded = qobject_cast<KyProgressInfo*>(stored.form().site(QStringLiteral("pi"))->control());
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->DisplayTotal()); // a stored form without the key shows the total
    EXPECT_TRUE(loaded->ShowPercentCompleted());
    EXPECT_EQ(loaded->Description(), QStringLiteral("Progress description"));
    EXPECT_EQ(loaded->StepDescription4(), QStringLiteral("Description of step 4"));
    EXPECT_EQ(loaded->ProgressMax(), 60);
    EXPECT_EQ(loaded->axcProgress().Caption(), QStringLiteral("0% completed"));
    loaded->setProcessed(2);
    EXPECT_EQ(loaded->label(QStringLiteral("lblProcessed")).text(), QStringLiteral("Processed: 2 item(s) out of 0"));
}

TEST_F(ProgressInfoTest, NewInstanceAtDesignTimeTakesNoTabStop)
{
    forms::TestHost design(false);
    auto& site = design.add(QStringLiteral("KyComCtl.KyProgressInfo"), QStringLiteral("pi"));
    EXPECT_FALSE(site.TabStop());
    EXPECT_TRUE(site_->TabStop());
}

// A picture of the panel as a user sees it half-way through a collection.
TEST_F(ProgressInfoTest, SavesAPictureOfAPanelMidRun)
{
    site_->Move(0, 0, 7600, 3700);
    host().form().resize(520, 260);
    info_->setImage(
        forms::StdPicture::create(info_->style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32).toImage()));
    info_->setDescription(QStringLiteral("Inspecting the selected domains. This may take a while."));
    info_->setStepDescription0(QStringLiteral("Collecting domain statistics"));
    info_->setStepDescription1(QStringLiteral("Building the report"));
    info_->setStepDescription2(QString());
    info_->setStepDescription3(QString());
    info_->setStepDescription4(QString());
    info_->StepState(0, ST_RUNNING);
    info_->setStatus(QStringLiteral("Collecting TEST..."));
    info_->setDisplayTotal(true);
    info_->setProgressMax(180);
    info_->setProgress(78);
    info_->setTotal(3);
    info_->setProcessed(1);
    info_->setErrors(0);
    info_->setElapsedTime(42);
    info_->setEstimatedTime(55.5f);
    host().show();

    const QImage picture = info_->grab().toImage();
    const auto path = artefacts_dir() / "progress_panel_mid_run.png";
    ASSERT_TRUE(picture.save(QString::fromStdString(path.string())));
    EXPECT_EQ(info_->axcProgress().Caption(), QStringLiteral("43% completed"));
    std::printf("picture of the progress panel: %s\n", path.c_str());
}

} // namespace
