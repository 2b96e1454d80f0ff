#include "controls/display/ky_label.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/vb_error.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/support/forms/window_input.h"

#include <cstdio>

namespace {

constexpr OLE_COLOR silver = forms::RGB(0xC0, 0xC0, 0xC0);

class LabelTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        site_ = &host().add(QStringLiteral("KyComCtl.KyLabel"), QStringLiteral("lblStatus"));
        label_ = qobject_cast<KyLabel*>(site_->control());
        ASSERT_NE(label_, nullptr);
    }

    QImage picture(const char* file)
    {
        host().show();
        const QImage image = label_->grab().toImage();
        const auto path = artefacts_dir() / file;
        EXPECT_TRUE(image.scaled(image.size() * 2).save(QString::fromStdString(path.string())));
        std::printf("picture of the label: %s\n", path.c_str());
        return image;
    }

    forms::ControlSite* site_ = nullptr;
    KyLabel* label_ = nullptr;
};

TEST_F(LabelTest, NewInstanceShowsItsNameInBlackSizedOnce)
{
    EXPECT_EQ(label_->Caption(), QStringLiteral("lblStatus"));
    EXPECT_EQ(label_->ForeColor(), 0u);
    EXPECT_EQ(label_->lblFront().ForeColor(), 0u);
    EXPECT_TRUE(label_->Enabled());
    EXPECT_FALSE(label_->AutoSize());
    EXPECT_FALSE(label_->lblBack().Visible());
    // Sized to the caption once, now filled by both labels.
    const double width = site_->Width(), height = site_->Height();
    EXPECT_DOUBLE_EQ(label_->lblFront().Width(), width);
    EXPECT_DOUBLE_EQ(label_->lblBack().Left(), 15);
    label_->setAutoSize(true);
    EXPECT_DOUBLE_EQ(site_->Width(), width);
    EXPECT_DOUBLE_EQ(site_->Height(), height);
    EXPECT_DOUBLE_EQ(site_->Width(), label_->lblFront().Width() + 15);
    EXPECT_TRUE(site_->Visible());
}

// The disabled look: the text in the shadow grey, and a highlight copy that shows only one
// pixel right and below the text. Text edges are blended, so the picture is compared where
// the text is solid and, for the copy, within a pixel of the shifted text.
TEST_F(LabelTest, DisabledLabelLooksEngraved)
{
    label_->setBackColor(forms::RGB(150, 190, 240));
    label_->setCaption(QStringLiteral("Engraved caption"));
    auto font = label_->Font()->Clone();
    font->setSize(16);
    font->setBold(true);
    label_->setFont(font);
    site_->Move(0, 0, 3600, 480);
    label_->setForeColor(forms::syscolor::ButtonShadow);
    const QImage flat = picture("label_enabled_shadow_colour.png");
    label_->setEnabled(false);
    const QImage engraved = picture("label_disabled.png");
    ASSERT_EQ(flat.size(), engraved.size());

    const QRgb ground = flat.pixel(flat.width() - 1, flat.height() - 1);
    const QRgb grey = forms::resolve_color(forms::syscolor::ButtonShadow, label_->palette()).rgb();
    auto text_near = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (flat.valid(x + dx, y + dy) && flat.pixel(x + dx, y + dy) != ground)
                    return true;
        return false;
    };
    int solid = 0, solid_kept = 0, highlight = 0;
    for (int y = 0; y < flat.height(); ++y) {
        for (int x = 0; x < flat.width(); ++x) {
            if (flat.pixel(x, y) == grey) {
                ++solid;
                solid_kept += engraved.pixel(x, y) == grey;
            } else if (flat.pixel(x, y) == ground && engraved.pixel(x, y) != ground) {
                ++highlight;
                EXPECT_TRUE(text_near(x - 1, y - 1)) << "highlight away from the text at " << x << "," << y;
                EXPECT_GE(qGray(engraved.pixel(x, y)), qGray(ground)) << "the copy is lighter than the ground";
            }
        }
    }
    EXPECT_GT(solid, 100);
    EXPECT_GT(solid_kept, solid * 9 / 10) << "the grey text lies on top of its copy";
    EXPECT_GT(highlight, 50);

    // Enabled again: the chosen colour and no copy.
    label_->setEnabled(true);
    EXPECT_FALSE(label_->lblBack().Visible());
    EXPECT_EQ(label_->grab().toImage(), flat);
}

TEST_F(LabelTest, ForeColorWhileDisabledWaitsForEnabling)
{
    label_->setEnabled(false);
    label_->setForeColor(forms::RGB(255, 0, 0));
    EXPECT_EQ(label_->lblFront().ForeColor(), forms::syscolor::ButtonShadow);
    EXPECT_EQ(label_->ForeColor(), forms::RGB(255, 0, 0));
    // The extender's Enabled takes the same way.
    forms::let(site_, QStringLiteral("Enabled"), true);
    EXPECT_TRUE(label_->Enabled());
    EXPECT_EQ(label_->lblFront().ForeColor(), forms::RGB(255, 0, 0));
    forms::let(site_, QStringLiteral("Enabled"), false);
    EXPECT_FALSE(label_->Enabled());
    EXPECT_TRUE(label_->lblBack().Visible());
}

TEST_F(LabelTest, AutoSizeFitsTheTextAndShowsTheControl)
{
    label_->setAutoSize(true);
    site_->setVisible(false);
    label_->setCaption(QStringLiteral("A much longer caption than the name"));
    EXPECT_TRUE(site_->Visible());
    EXPECT_DOUBLE_EQ(site_->Width(), label_->lblFront().Width() + 15);
    EXPECT_DOUBLE_EQ(label_->lblBack().Left(), 15);
    EXPECT_DOUBLE_EQ(label_->lblBack().Top(), 15);
    const double narrow = site_->Width();
    auto font = label_->Font()->Clone();
    font->setSize(14);
    label_->setFont(font);
    EXPECT_GT(site_->Width(), narrow);
    EXPECT_DOUBLE_EQ(site_->Height(), label_->lblFront().Height() + 15);

    // Without AutoSize both labels fill the control, the back one shifted.
    label_->setAutoSize(false);
    site_->Move(0, 0, 3000, 600);
    EXPECT_DOUBLE_EQ(label_->lblFront().Width(), 3000);
    EXPECT_DOUBLE_EQ(label_->lblBack().Left(), 15);
    EXPECT_DOUBLE_EQ(label_->lblBack().Width(), 3000);
}

TEST_F(LabelTest, ErrorsOfTheSetters)
{
    label_->setFont(nullptr);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].prompt, QStringLiteral("Error: 91\r\nObject variable or With block variable not set"));
    EXPECT_EQ(boxes()[0].style, 48);
    EXPECT_NE(label_->Font(), nullptr);
    try {
        forms::let(site_, QStringLiteral("Alignment"), 3);
        FAIL() << "an alignment of 3 was taken";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), 380);
    }
    EXPECT_EQ(label_->Alignment(), kyLeftJustify);
    forms::let(site_, QStringLiteral("Alignment"), kyCenter);
    EXPECT_EQ(label_->lblBack().Alignment(), kyCenter);
    label_->setMousePointer(11);
    EXPECT_EQ(label_->lblFront().cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(LabelTest, MouseEventsComeFromTheFrontLabel)
{
    label_->setAutoSize(true);
    host().show();
    QStringList events;
    for (const char* name : {"MouseDown", "MouseUp", "Click"})
        forms::connect_event(site_, QString::fromLatin1(name), label_,
                             [&events, name](QVariantList&) { events << QString::fromLatin1(name); });
    window_input::click(*label_, QPoint(2, 2));
    EXPECT_EQ(events, (QStringList{QStringLiteral("MouseDown"), QStringLiteral("MouseUp"), QStringLiteral("Click")}));
    events.clear();
    // The one-pixel strip at the right lies outside the front label.
    window_input::click(*label_, QPoint(label_->width() - 1, 2));
    EXPECT_TRUE(events.isEmpty());
}

// A double click of the mouse, through the window system: the forms runtime's order, with one
// Click before DblClick and none after.
TEST_F(LabelTest, ADoubleClickGivesOneClickThenDblClick)
{
    label_->setAutoSize(true);
    host().show();
    QStringList events;
    for (const char* name : {"MouseDown", "MouseUp", "Click", "DblClick"})
        forms::connect_event(site_, QString::fromLatin1(name), label_,
                             [&events, name](QVariantList&) { events << QString::fromLatin1(name); });
    window_input::Pointer mouse(*label_);
    mouse.click(*label_, QPoint(2, 2));
    mouse.click(*label_, QPoint(2, 2), 150);
    EXPECT_EQ(events, (QStringList{"MouseDown", "MouseUp", "Click", "DblClick", "MouseUp"}));
    events.clear();
    mouse.click(*label_, QPoint(2, 2)); // long after: a click of its own
    EXPECT_EQ(events, (QStringList{"MouseDown", "MouseUp", "Click"}));
}

TEST_F(LabelTest, StoredLabelsKeepTheirLookAndVisibility)
{
    label_->setCaption(QStringLiteral("Saved"));
    label_->setEnabled(false);
    label_->setAutoSize(true);
    forms::let(site_, QStringLiteral("Visible"), false);
    host().design_to_run();
    auto* loaded = qobject_cast<KyLabel*>(host().form().site(QStringLiteral("lblStatus"))->control());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Caption(), QStringLiteral("Saved"));
    EXPECT_FALSE(loaded->Enabled());
    EXPECT_TRUE(loaded->AutoSize());
    EXPECT_FALSE(host().form().site(QStringLiteral("lblStatus"))->Visible()) << "AutoSize must not show it again";

    // A stored label without ForeColor takes the button-text colour, unlike a new one.
    const QString text = QStringLiteral("OstrelForm 1\nBegin Form f\n   Begin KyComCtl.KyLabel lbl\n"
                                        "      Caption = String \"Old\"\n   End\nEnd\n");
    forms::TestHost stored(true);
    stored.form().load(forms::FormFile::parse(text));
    auto* old = qobject_cast<KyLabel*>(stored.form().site(QStringLiteral("lbl"))->control());
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->ForeColor(), forms::syscolor::ButtonText);
    EXPECT_TRUE(old->Enabled());
}

TEST_F(LabelTest, PicturesAtDesignAndRunTime)
{
    forms::TestHost design(false);
    forms::ControlSite& designed = design.add(QStringLiteral("KyComCtl.KyLabel"), QStringLiteral("KyLabel1"));
    design.show();
    const QImage image = designed.control()->grab().toImage();
    const auto path = artefacts_dir() / "label_design_time.png";
    ASSERT_TRUE(image.scaled(image.size() * 2).save(QString::fromStdString(path.string())));
    std::printf("picture of the label: %s\n", path.c_str());
    label_->setCaption(QStringLiteral("Domains inspected: 12"));
    label_->setAutoSize(true);
    picture("label_run_time_enabled.png");
    label_->setEnabled(false);
    picture("label_run_time_disabled.png");
}

} // namespace
