#include "controls/display/ky_progress_bar.h"

#include "controls/display/progress_picture.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/vb_error.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QTimer>

#include <cstdio>

namespace {

class ProgressBarTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        site_ = &host().add(QStringLiteral("KyComCtl.KyProgressBar"), QStringLiteral("prbProcessProgress"));
        bar_ = qobject_cast<KyProgressBar*>(site_->control());
        ASSERT_NE(bar_, nullptr);
    }

    // The width the fill has at Value = Max: the inner width less the inset on both sides.
    double usable_width() const { return bar_->picBase().ScaleWidth() - 2 * bar_->picFill().Left(); }

    static bool uniform(const QImage& image)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != image.pixel(0, 0))
                    return false;
        return true;
    }

    forms::ControlSite* site_ = nullptr;
    KyProgressBar* bar_ = nullptr;
};

TEST_F(ProgressBarTest, NewInstanceHasTheDesignedDefaults)
{
    EXPECT_EQ(bar_->Value(), 0);
    EXPECT_EQ(bar_->Min(), 0);
    EXPECT_EQ(bar_->Max(), 100);
    EXPECT_EQ(bar_->Caption(), QString());
    EXPECT_EQ(bar_->Align(), arAlignLeft);
    EXPECT_FALSE(bar_->ErrorsNotify());
    EXPECT_EQ(bar_->BorderStyle(), arFixed_Single);
    EXPECT_FALSE(bar_->picFill().isVisibleTo(bar_));
}

TEST_F(ProgressBarTest, FillAndPercentFollowValue)
{
    bar_->setValue(100);
    EXPECT_NEAR(bar_->picFill().Width(), usable_width(), 15);
    EXPECT_TRUE(bar_->picFill().isVisibleTo(bar_));
    EXPECT_EQ(bar_->PercentPosition(), QStringLiteral("100%"));

    bar_->setValue(0);
    EXPECT_FALSE(bar_->picFill().isVisibleTo(bar_));
    EXPECT_EQ(bar_->PercentPosition(), QStringLiteral("0%"));
}

TEST_F(ProgressBarTest, PercentIsTruncatedNotRounded)
{
    bar_->setMax(3);
    bar_->setValue(1);
    EXPECT_EQ(bar_->PercentPosition(), QStringLiteral("33%"));
    bar_->setValue(2);
    EXPECT_EQ(bar_->PercentPosition(), QStringLiteral("66%"));
}

TEST_F(ProgressBarTest, FillCoversTheShareOfTheRangeAboveMin)
{
    bar_->setMin(50);
    bar_->setValue(75);
    EXPECT_NEAR(bar_->picFill().Width(), usable_width() / 2, 15);
    EXPECT_EQ(bar_->PercentPosition(), QStringLiteral("50%"));
}

TEST_F(ProgressBarTest, ValueOutOfRangeIsIgnoredQuietlyUnlessNotifying)
{
    bar_->setValue(40);
    bar_->setValue(101);
    EXPECT_EQ(bar_->Value(), 40);
    EXPECT_TRUE(boxes().empty());

    bar_->setErrorsNotify(true);
    bar_->setValue(101);
    EXPECT_EQ(bar_->Value(), 40);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].prompt, QStringLiteral("Error: 380\r\nInvalid property value"));
    EXPECT_EQ(boxes()[0].style, forms::vbExclamation);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("KyComCtl"));
}

TEST_F(ProgressBarTest, MinAndMaxRefuseValuesThatBreakTheRange)
{
    struct Case {
        bool max;
        int value;
        int error;
    };
    bar_->setErrorsNotify(true);
    for (const Case c :
         {Case{true, 0, 5}, Case{true, -3, 5}, Case{false, -1, 380}, Case{false, 100, 380}, Case{false, 150, 380}}) {
        SCOPED_TRACE(c.value);
        [&] { // an ASSERT ends this row only
            boxes().clear();
            if (c.max)
                bar_->setMax(c.value);
            else
                bar_->setMin(c.value);
            EXPECT_EQ(bar_->Min(), 0);
            EXPECT_EQ(bar_->Max(), 100);
            ASSERT_EQ(boxes().size(), 1u) << c.value;
            EXPECT_TRUE(boxes()[0].prompt.startsWith(QStringLiteral("Error: %1\r\n").arg(c.error))) << c.value;
        }();
    }
    bar_->setErrorsNotify(false);
    boxes().clear();
    bar_->setMax(0);
    bar_->setMin(-1);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(ProgressBarTest, MaxChangesPercentAtOnceButKeepsTheFill)
{
    bar_->setValue(50);
    const double fill = bar_->picFill().Width();
    bar_->setMax(200);
    EXPECT_EQ(bar_->picFill().Width(), fill);
    EXPECT_EQ(bar_->PercentPosition(), QStringLiteral("25%"));
    bar_->setValue(50);
    EXPECT_NEAR(bar_->picFill().Width(), fill / 2, 15);
}

// A docked bar at 50 of 100 widened from 400 to 800 pixels shows half a fill under its
// caption at once, not the fill of the old width (a quarter of the new one).
TEST_F(ProgressBarTest, AResizedBarRedrawsItsFillAtTheNewSize)
{
    host().form().setWidth(400 * 15 + 600);
    host().show(); // a hidden form holds its controls' resizes back until it shows
    site_->Move(0, 0, 400 * 15, 375);
    bar_->setCaption(QStringLiteral("50 of 100"));
    bar_->setValue(50);
    EXPECT_NEAR(bar_->picFill().Width(), usable_width() / 2, 15);
    const double fill = bar_->picFill().Width();
    host().form().setWidth(800 * 15 + 600);
    site_->setWidth(800 * 15);
    EXPECT_NEAR(bar_->picFill().Width(), usable_width() / 2, 15) << "the fill kept its old width";
    EXPECT_GT(bar_->picFill().Width(), fill * 1.5);
    const QImage picture = bar_->grab().toImage();
    const auto path = artefacts_dir() / "progress_bar_widened.png";
    EXPECT_TRUE(picture.save(QString::fromStdString(path.string())));
    std::printf("picture of the widened progress bar: %s\n", path.c_str());
}

TEST_F(ProgressBarTest, CaptionIsDrawnOnBasePartsOnly)
{
    EXPECT_TRUE(uniform(bar_->picBase().image()));
    bar_->setCaption(QStringLiteral("Working"));
    EXPECT_FALSE(uniform(bar_->picBase().image()));
    EXPECT_FALSE(bar_->picFill().isVisibleTo(bar_)); // with the fill hidden only the base shows it
    bar_->setCaption(QString());
    EXPECT_TRUE(uniform(bar_->picBase().image()));
    EXPECT_TRUE(uniform(bar_->picFill().image()));
}

TEST_F(ProgressBarTest, UnknownAlignPlacesTheCaptionLeft)
{
    bar_->setValue(60);
    bar_->setCaption(QStringLiteral("60%"));
    bar_->setAlign(arAlignLeft);
    const QImage left = bar_->picBase().image();
    bar_->setAlign(arAlignCenter);
    EXPECT_NE(bar_->picBase().image(), left);
    bar_->setAlign(7);
    EXPECT_EQ(bar_->Align(), 7);
    EXPECT_EQ(bar_->picBase().image(), left);
}

TEST_F(ProgressBarTest, ValueLetsPendingEventsRunBeforeItReturns)
{
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    bar_->setValue(500); // refused: no yield
    EXPECT_FALSE(ran);
    bar_->setValue(5);
    EXPECT_TRUE(ran);
}

TEST_F(ProgressBarTest, BorderStyleOutsideItsValuesIsReportedAndKept)
{
    bar_->setBorderStyle(2);
    EXPECT_EQ(bar_->BorderStyle(), arFixed_Single);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].prompt, QStringLiteral("Error: 380\r\nInvalid property value"));
    bar_->setBorderStyle(arNone);
    EXPECT_EQ(bar_->BorderStyle(), arNone);
    EXPECT_EQ(bar_->picBase().ScaleWidth(), bar_->ScaleWidth());
}

TEST_F(ProgressBarTest, StoresOnlyWhatDiffersFromTheDefaults)
{
    const QString fresh = host().saved_text();
    for (const char* key : {"Max", "Min", "Value", "Caption", "Align", "BorderStyle", "ErrorsNotify"})
        EXPECT_FALSE(fresh.contains(QStringLiteral("%1 = ").arg(QLatin1String(key)))) << key;

    bar_->setMax(60);
    bar_->setValue(30);
    bar_->setCaption(QStringLiteral("Half"));
    bar_->setAlign(arAlignRight);
    bar_->setErrorsNotify(true);
    bar_->setBorderStyle(arNone);
    host().design_to_run();
    auto* loaded = qobject_cast<KyProgressBar*>(host().form().site(QStringLiteral("prbProcessProgress"))->control());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Max(), 60);
    EXPECT_EQ(loaded->Value(), 30);
    EXPECT_EQ(loaded->Caption(), QStringLiteral("Half"));
    EXPECT_EQ(loaded->Align(), arAlignRight);
    EXPECT_TRUE(loaded->ErrorsNotify());
    EXPECT_EQ(loaded->BorderStyle(), arNone);
    EXPECT_EQ(loaded->PercentPosition(), QStringLiteral("50%"));
}

TEST_F(ProgressBarTest, ReadsKeysWrittenInAnotherCaseAsStored)
{
    // Stored values are taken as they are, without the setters' checks.
    const QString text = QStringLiteral("OstrelForm 1\n"
                                        "Begin Form frmStored\n"
                                        "   Begin KyComCtl.KyProgressBar prb\n"
                                        "      max = Long 10\n"
                                        "      VALUE = Long 12\n"
                                        "      caption = String \"x\"\n"
                                        "   End\n"
                                        "End\n");
    forms::TestHost stored(true);
    stored.form().load(forms::FormFile::parse(text));
    auto* loaded = qobject_cast<KyProgressBar*>(stored.form().site(QStringLiteral("prb"))->control());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Max(), 10);
    EXPECT_EQ(loaded->Value(), 12);
    EXPECT_EQ(loaded->Caption(), QStringLiteral("x"));
}

TEST_F(ProgressBarTest, StoredMaxNotAboveMinLeavesAnEmptyFill)
{
    const QString text = QStringLiteral("OstrelForm 1\nBegin Form f\n   Begin KyComCtl.KyProgressBar prb\n"
                                        "      Max = Long 5\n      Min = Long 5\n      Value = Long 5\n"
                                        "   End\nEnd\n");
    forms::TestHost stored(true);
    stored.form().load(forms::FormFile::parse(text));
    auto* loaded = qobject_cast<KyProgressBar*>(stored.form().site(QStringLiteral("prb"))->control());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->picFill().Width(), 0);
    EXPECT_THROW(loaded->PercentPosition(), forms::VbError);
}

TEST_F(ProgressBarTest, LateBoundMembersByName)
{
    forms::let(site_, QStringLiteral("max"), 60);
    forms::let(site_, QStringLiteral("Value"), 30);
    EXPECT_EQ(forms::get(site_, QStringLiteral("PercentPosition")).toString(), QStringLiteral("50%"));
    EXPECT_THROW(forms::let(site_, QStringLiteral("PercentPosition"), 1), forms::VbError);
}

} // namespace

// The bar's own Align (the caption's place) and the site's (docking) share a name: a host's
// `prbBar.Align = n` is the bar's, which stores any number, and the site stays where it was.
// The site's other members are still reached by name.
TEST_F(ProgressBarTest, AlignByNameIsTheCaptionsPlaceNotTheSitesDocking)
{
    site_->Move(600, 300, 3000, 300);
    for (const int align : {int(arAlignCenter), 7, int(arAlignRight)}) {
        SCOPED_TRACE(align);
        EXPECT_NO_THROW(forms::let(site_, QStringLiteral("Align"), align));
        EXPECT_EQ(bar_->Align(), align);
        EXPECT_EQ(forms::get(site_, QStringLiteral("align")).toInt(), align);
        EXPECT_EQ(site_->Align(), forms::vbAlignNone);
        EXPECT_EQ(site_->Left(), 600);
        EXPECT_EQ(site_->Width(), 3000);
    }
    forms::let(site_, QStringLiteral("Left"), 900);
    EXPECT_EQ(site_->Left(), 900);
    EXPECT_EQ(forms::get(site_, QStringLiteral("Name")).toString(), QStringLiteral("prbProcessProgress"));
    EXPECT_TRUE(host().messages().boxes.empty());
}
