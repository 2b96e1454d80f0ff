#include "controls/display/tlx_info_panel.h"

#include "controls/display/ky_info_item.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/line.h"
#include "platform/forms/intrinsics/shape.h"
#include "platform/forms/core/vb_error.h"
#include "controls/display/frm_info.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/support/forms/window_input.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

// A panel whose next line cannot be loaded, as when the line array is full.
class PanelWithAFailingLine : public TlxInfoPanel {
public:
    int fail_at = -1;

protected:
    KyInfoItem* load_line(int index) override
    {
        if (index == fail_at)
            forms::raise(forms::vberr::OutOfMemory);
        return TlxInfoPanel::load_line(index);
    }
};

class InfoPanelTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        place(host().add(QStringLiteral("KyComCtl.TlxInfoPanel"), QStringLiteral("ipStats")));
    }

    void place(forms::ControlSite& site)
    {
        site_ = &site;
        panel_ = qobject_cast<TlxInfoPanel*>(site.control());
        ASSERT_NE(panel_, nullptr);
        resizes_ = 0;
        forms::connect_event(site_, QStringLiteral("Resize"), panel_, [this](QVariantList&) { ++resizes_; });
        // The design title height, so that the lines stand where the numbers below say.
        panel_->lblTitle().setAutoSize(false);
        panel_->lblTitle().setHeight(420);
    }

    KyInfoItem& line(int n) const { return *panel_->ctlInfoItem(n); }

    forms::ControlSite* site_ = nullptr;
    TlxInfoPanel* panel_ = nullptr;
    int resizes_ = 0;
};

TEST_F(InfoPanelTest, NewPanelTakesItsDefaults)
{
    EXPECT_EQ(panel_->Title(), QStringLiteral("Statistics"));
    EXPECT_EQ(panel_->TitleColor(), 0x900000u);
    EXPECT_EQ(panel_->linSeparator().BorderColor(), 0x900000u);
    EXPECT_EQ(panel_->InfoBorderColor(), 0xFFFEFFu);
    EXPECT_EQ(panel_->ValueColor(), forms::syscolor::ButtonText);
    EXPECT_TRUE(panel_->Redraw());
    EXPECT_DOUBLE_EQ(site_->Width(), 6360);
    EXPECT_DOUBLE_EQ(site_->Height(), 1665);
    EXPECT_EQ(panel_->line_count(), 0);
}

TEST_F(InfoPanelTest, LinesStandUnderTheTitleAndThePanelGrowsForTheFourth)
{
    struct Case {
        const char* name;
        double top, panel_height;
        int resizes;
    };
    const Case cases[] = {
        {"Users", 645, 1665, 0},
        {"Groups", 937.5, 1665, 0},
        {"Computers", 1230, 1665, 0},
        {"Contacts", 1522.5, 1822.5, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(panel_->AddInfoLabel(QString::fromLatin1(c.name), QStringLiteral("12")), 0) << c.name;
        EXPECT_FLOAT_EQ(panel_->GetItemTop(QString::fromLatin1(c.name)), static_cast<float>(c.top)) << c.name;
        EXPECT_DOUBLE_EQ(site_->Height(), c.panel_height) << c.name;
        EXPECT_EQ(resizes_, c.resizes) << c.name;
    }
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(!line(n).isHidden()) << n;
        EXPECT_DOUBLE_EQ(line(n).Left(), 45);
        EXPECT_EQ(panel_->items().Item(n)->Index(), n);
    }
    EXPECT_DOUBLE_EQ(panel_->shpBorder().Top() + panel_->shpBorder().Height(), panel_->ScaleHeight());
    EXPECT_EQ(forms::get(site_, QStringLiteral("GetItemTop"), {QStringLiteral("groups")}).toFloat(), 937.5f);
}

// The line is one line high: a value with a line break offers "Full info..." even when
// measured as one line it would fit, and the link shows the whole value.
TEST_F(InfoPanelTest, AValueOfSeveralLinesOffersItsFullInfo)
{
    struct Case {
        const char* name;
        QString value;
        bool link;
    };
    const Case cases[] = {
        {"Domain controllers", QStringLiteral("DC1\r\nDC2\r\nDC3"), true},
        {"Sites", QStringLiteral("Head office\nBranch"), true},
        {"Domain", QStringLiteral("test.example"), false},
    };
    for (const Case& c : cases)
        ASSERT_EQ(panel_->AddInfoLabel(QString::fromLatin1(c.name), c.value), 0) << c.name;
    host().show();
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(line(n).lblFullInfo().Visible(), cases[n - 1].link) << cases[n - 1].name;
    const auto picture = artefacts_dir() / "info_panel_several_lines.png";
    EXPECT_TRUE(panel_->grab().toImage().save(QString::fromStdString(picture.string())));
    std::printf("picture of the information panel: %s\n", picture.c_str());

    QString caption, text;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<frmInfo*>(QApplication::activeModalWidget());
        if (!window) {
            ADD_FAILURE() << "no detail window";
            return;
        }
        caption = window->windowTitle();
        text = window->txtInfo().Text();
        window_input::key(*window->txtInfo().findChild<QWidget*>(), Qt::Key_Escape);
    });
    QWidget& link = line(1).lblFullInfo();
    window_input::click(link, QPoint(3, 3));
    EXPECT_EQ(caption, QStringLiteral("Domain controllers"));
    EXPECT_EQ(text, QStringLiteral("DC1\r\nDC2\r\nDC3"));
}

TEST_F(InfoPanelTest, NamesAreReturnedAsCodesNeverRaised)
{
    EXPECT_EQ(panel_->AddInfoLabel(QStringLiteral("   "), QStringLiteral("x")), TlxInfoPanel::invalid_name_error);
    EXPECT_EQ(panel_->line_count(), 0);
    EXPECT_EQ(resizes_, 0);
    EXPECT_EQ(
        forms::call(site_, QStringLiteral("AddInfoLabel"), {QStringLiteral("Users"), QStringLiteral("1")}).toInt(), 0);
    EXPECT_EQ(panel_->AddInfoLabel(QStringLiteral("USERS"), QStringLiteral("2")), 457);
    EXPECT_EQ(panel_->items().Count(), 1);
    EXPECT_EQ(panel_->line_count(), 1);
    EXPECT_EQ(line(1).Value(), QStringLiteral("1"));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(InfoPanelTest, ALineThatCannotBeLoadedTakesItsRecordOutAgain)
{
    auto control = std::make_unique<PanelWithAFailingLine>();
    auto* failing = control.get();
    place(host().add(std::move(control), QStringLiteral("ipFailing"), QStringLiteral("KyComCtl.TlxInfoPanel")));
    panel_->lblTitle().setHeight(420);
    failing->fail_at = 3;
    ASSERT_EQ(panel_->AddInfoLabel(QStringLiteral("Users"), {}), 0);
    ASSERT_EQ(panel_->AddInfoLabel(QStringLiteral("Groups"), {}), 0);
    EXPECT_EQ(panel_->AddInfoLabel(QStringLiteral("Computers"), QStringLiteral("3")), forms::vberr::OutOfMemory);
    EXPECT_EQ(panel_->items().Count(), 2) << "a record without its line was left behind";
    EXPECT_EQ(panel_->line_count(), 2);

    failing->fail_at = -1;
    EXPECT_EQ(panel_->AddInfoLabel(QStringLiteral("Computers"), QStringLiteral("3")), 0);
    EXPECT_EQ(panel_->items().Item(3)->Index(), 3);
    EXPECT_FLOAT_EQ(panel_->GetItemTop(QStringLiteral("Computers")), 1230.f);
    panel_->ChangeValue(QStringLiteral("Computers"), QStringLiteral("4"));
    EXPECT_EQ(line(3).Value(), QStringLiteral("4"));
}

TEST_F(InfoPanelTest, RedrawOffAddsHiddenLinesThatRedrawOnLaysOutAtOnce)
{
    panel_->setRedraw(false);
    resizes_ = 0;
    for (int n = 1; n <= 10; ++n)
        ASSERT_EQ(panel_->AddInfoLabel(QStringLiteral("Line %1").arg(n), QString::number(n)), 0);
    EXPECT_DOUBLE_EQ(site_->Height(), 1665);
    EXPECT_EQ(resizes_, 0);
    for (int n = 1; n <= 10; ++n)
        EXPECT_FALSE(!line(n).isHidden()) << n;

    panel_->setRedraw(true);
    EXPECT_EQ(resizes_, 1);
    EXPECT_DOUBLE_EQ(site_->Height(), 3277.5 + 225 + 75);
    for (int n = 1; n <= 10; ++n)
        EXPECT_TRUE(!line(n).isHidden()) << n;

    // Laid out again to the last line's bottom, also when that is smaller.
    site_->setHeight(9000);
    resizes_ = 0;
    panel_->setRedraw(true);
    EXPECT_DOUBLE_EQ(site_->Height(), 3577.5);
    EXPECT_EQ(resizes_, 1);
}

TEST_F(InfoPanelTest, RedrawOnWithoutLinesOnlyRaisesResize)
{
    panel_->setRedraw(true);
    EXPECT_EQ(resizes_, 1);
    EXPECT_DOUBLE_EQ(site_->Height(), 1665);
}

TEST_F(InfoPanelTest, ClearingEmptiesThePanelAndStartsAgainAtLineOne)
{
    panel_->AddInfoLabel(QStringLiteral("Users"), QStringLiteral("1"));
    panel_->AddInfoLabel(QStringLiteral("Groups"), QStringLiteral("2"));
    resizes_ = 0;
    panel_->ClearInfoLabels();
    EXPECT_DOUBLE_EQ(site_->Height(), 0);
    EXPECT_EQ(resizes_, 1);
    EXPECT_EQ(panel_->items().Count(), 0);
    EXPECT_EQ(panel_->line_count(), 0);
    EXPECT_NE(panel_->ctlInfoItem(0), nullptr) << "the template stays";

    EXPECT_EQ(panel_->AddInfoLabel(QStringLiteral("Groups"), QStringLiteral("3")), 0);
    EXPECT_FLOAT_EQ(panel_->GetItemTop(QStringLiteral("Groups")), 645.f);
    EXPECT_DOUBLE_EQ(site_->Height(), 645 + 225 + 75);
    EXPECT_EQ(resizes_, 2);
}

TEST_F(InfoPanelTest, UnknownNamesChangeNothing)
{
    panel_->AddInfoLabel(QStringLiteral("Users"), QStringLiteral("1"));
    panel_->ChangeValue(QStringLiteral("Printers"), QStringLiteral("9"));
    EXPECT_EQ(line(1).Value(), QStringLiteral("1"));
    EXPECT_FLOAT_EQ(panel_->GetItemTop(QStringLiteral("Printers")), -1.f);
}

TEST_F(InfoPanelTest, WideningAtRunTimeWidensTheLinesWithoutAnEvent)
{
    panel_->AddInfoLabel(QStringLiteral("Users"), QStringLiteral("1"));
    EXPECT_DOUBLE_EQ(line(1).Width(), panel_->ScaleWidth() - 23 * 15);
    resizes_ = 0;
    site_->setWidth(9000);
    EXPECT_DOUBLE_EQ(line(1).Width(), 9000 - 10 * 15);
    EXPECT_EQ(resizes_, 0);
    EXPECT_DOUBLE_EQ(panel_->linSeparator().X2(), 9000);
    panel_->AddInfoLabel(QStringLiteral("Groups"), QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(line(2).Width(), 9000 - 23 * 15);
}

TEST_F(InfoPanelTest, BackColorReachesEveryPartButTheRule)
{
    panel_->AddInfoLabel(QStringLiteral("Users"), QStringLiteral("1"));
    const OLE_COLOR rule = panel_->linSeparator().BorderColor();
    forms::let(site_, QStringLiteral("BackColor"), 0xFFu);
    EXPECT_EQ(panel_->lblTitle().BackColor(), 0xFFu);
    EXPECT_EQ(panel_->shpBorder().BackColor(), 0xFFu);
    EXPECT_EQ(line(0).BackColor(), 0xFFu);
    EXPECT_EQ(line(1).BackColor(), 0xFFu);
    EXPECT_EQ(panel_->linSeparator().BorderColor(), rule);
}

TEST_F(InfoPanelTest, ColoursAndIndentationReachTheLines)
{
    panel_->AddInfoLabel(QStringLiteral("Users"), QStringLiteral("1"));
    panel_->setTitleColor(forms::RGB(0, 128, 0));
    panel_->setValueColor(forms::RGB(128, 0, 0));
    EXPECT_EQ(line(1).TitleColor(), forms::RGB(0, 128, 0));
    EXPECT_EQ(line(0).ValueColor(), forms::RGB(128, 0, 0));
    panel_->AddInfoLabel(QStringLiteral("Groups"), QStringLiteral("2"));
    EXPECT_EQ(line(2).ValueColor(), forms::RGB(128, 0, 0)) << "a new line shows the colour the panel reports";
    panel_->setIndentation(300);
    EXPECT_DOUBLE_EQ(line(2).lblValue().Left(), 2370);
    EXPECT_FLOAT_EQ(panel_->MinRecomendedWidth(), static_cast<float>(90 + 2370 + line(0).lblFullInfo().Width() + 45));
}

TEST_F(InfoPanelTest, ResizingRaisesResizeOnlyAtDesignTime)
{
    forms::TestHost design(false);
    forms::ControlSite& site = design.add(QStringLiteral("KyComCtl.TlxInfoPanel"), QStringLiteral("ipStats"));
    int design_resizes = 0;
    forms::connect_event(&site, QStringLiteral("Resize"), site.control(), [&](QVariantList&) { ++design_resizes; });
    site.setWidth(7000);
    EXPECT_EQ(design_resizes, 1);
    site_->setWidth(7000);
    EXPECT_EQ(resizes_, 0);
}

TEST_F(InfoPanelTest, StoredPanelKeepsItsSettings)
{
    forms::TestHost design(false);
    forms::ControlSite& site = design.add(QStringLiteral("KyComCtl.TlxInfoPanel"), QStringLiteral("ipStats"));
    auto* designed = qobject_cast<TlxInfoPanel*>(site.control());
    designed->setTitle(QStringLiteral("Domain"));
    designed->setTitleColor(forms::RGB(0, 128, 0));
    designed->setIndentation(150);
    designed->setRedraw(false);
    design.design_to_run();
    auto* loaded = qobject_cast<TlxInfoPanel*>(design.form().site(QStringLiteral("ipStats"))->control());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Title(), QStringLiteral("Domain"));
    EXPECT_EQ(loaded->TitleColor(), forms::RGB(0, 128, 0));
    EXPECT_FLOAT_EQ(loaded->Indentation(), 150.f);
    EXPECT_FALSE(loaded->Redraw());
}

TEST_F(InfoPanelTest, PicturesAtDesignAndRunTime)
{
    auto save = [](QWidget& widget, const char* file) {
        const QImage image = widget.grab().toImage();
        const auto path = artefacts_dir() / file;
        EXPECT_TRUE(image.save(QString::fromStdString(path.string())));
        std::printf("picture of the information panel: %s\n", path.c_str());
    };
    forms::TestHost design(false);
    forms::ControlSite& designed = design.add(QStringLiteral("KyComCtl.TlxInfoPanel"), QStringLiteral("TlxInfoPanel1"));
    design.form().resize(460, 140);
    design.show();
    save(*designed.control(), "info_panel_design_time.png");

    host().form().resize(460, 200);
    panel_->lblTitle().setAutoSize(true);
    panel_->setTitle(QStringLiteral("TEST.EXAMPLE"));
    panel_->AddInfoLabel(QStringLiteral("Users"), QStringLiteral("1 204"));
    panel_->AddInfoLabel(QStringLiteral("Groups"), QStringLiteral("87"));
    panel_->AddInfoLabel(QStringLiteral("Controllers"),
                         QStringLiteral("DC1.test.example, DC2.test.example, DC3.test.example, DC4.test.example"));
    panel_->AddInfoLabel(QStringLiteral("Computers"), QStringLiteral("310"));
    host().show();
    save(*panel_, "info_panel_run_time_enabled.png");
    EXPECT_TRUE(line(3).lblFullInfo().Visible());
    EXPECT_FALSE(line(1).lblFullInfo().Visible());
    forms::let(site_, QStringLiteral("Enabled"), false);
    save(*panel_, "info_panel_run_time_disabled.png");
}

} // namespace
