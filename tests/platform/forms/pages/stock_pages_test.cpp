#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/services/common_dialog.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/pages/property_page_classes.h"
#include "platform/forms/pages/property_sheet.h"
#include "platform/forms/pages/standard_color.h"
#include "platform/forms/pages/standard_font.h"
#include "platform/forms/pages/standard_picture.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/hosting/user_control.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_host.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace forms;

// A control with a property of each stock kind, logging what the pages write; its Broken
// colour fails to read when asked to.
class StockProbe : public UserControl {
    Q_OBJECT
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(forms::FontRef Font READ Font WRITE setFont)
    Q_PROPERTY(forms::PictureRef Picture READ Picture WRITE setPicture)

public:
    QStringList writes;
    bool broken = false;

    uint BackColor() const
    {
        if (broken)
            forms::raise(vberr::InvalidPropertyValue, QStringLiteral("StockProbe"),
                         QStringLiteral("BackColor is broken"));
        return back_;
    }
    void setBackColor(uint v) { back_ = v, writes << QStringLiteral("BackColor"); }
    uint ForeColor() const { return fore_; }
    void setForeColor(uint v) { fore_ = v, writes << QStringLiteral("ForeColor"); }
    FontRef Font() const { return font_; }
    void setFont(const FontRef& v) { font_ = v, writes << QStringLiteral("Font"); }
    PictureRef Picture() const { return picture_; }
    void setPicture(const PictureRef& v) { picture_ = v, writes << QStringLiteral("Picture"); }

private:
    uint back_ = syscolor::ButtonFace, fore_ = syscolor::ButtonText;
    FontRef font_ = StdFont::create();
    PictureRef picture_ = StdPicture::create();
};

OSTREL_FORMS_CONTROL_PAGES(StockProbe, QStringLiteral("StandardColor"), QStringLiteral("StandardFont"),
                           QStringLiteral("StandardPicture"));

class Unpaged : public UserControl {
    Q_OBJECT
};
OSTREL_FORMS_CONTROL_PAGES(Unpaged, QStringLiteral("StandardColor"), QStringLiteral("NoSuchPage"));

namespace {

class StockPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        site_ = &host_.add(std::make_unique<StockProbe>(), QStringLiteral("probe"));
        probe_ = qobject_cast<StockProbe*>(site_->control());
        sheet_ = std::make_unique<PropertySheet>();
        sheet_->open_for({site_});
    }
    template <class Page>
    Page& page(int index)
    {
        return static_cast<Page&>(*sheet_->page(index));
    }

    TestHost host_{false};
    ControlSite* site_ = nullptr;
    StockProbe* probe_ = nullptr;
    std::unique_ptr<PropertySheet> sheet_;
};

} // namespace

TEST_F(StockPagesTest, TheColourPageWritesOnlyTheEditedColourAndRefusesATextThatIsNoColour)
{
    auto& color = page<StandardColor>(0);
    EXPECT_EQ(sheet_->tab_text(0), QStringLiteral("Color"));
    EXPECT_EQ(color.property_names(), (QStringList{QStringLiteral("BackColor"), QStringLiteral("ForeColor")}));
    EXPECT_EQ(color.txtColor().Text(), QStringLiteral("&H8000000F&"));

    color.lstProperties().setListIndex(1);
    EXPECT_FALSE(sheet_->apply_enabled()) << "choosing a property is no edit";
    color.txtColor().setText(QStringLiteral("&H000000FF&"));
    color.lstProperties().setListIndex(0);
    color.lstProperties().setListIndex(1);
    EXPECT_EQ(color.txtColor().Text(), QStringLiteral("&H000000FF&")) << "an edit is kept while another is shown";
    ASSERT_TRUE(sheet_->apply());
    EXPECT_EQ(probe_->ForeColor(), 0xFFu);
    EXPECT_EQ(probe_->writes, QStringList{QStringLiteral("ForeColor")});

    color.txtColor().setText(QStringLiteral("blue"));
    EXPECT_FALSE(sheet_->apply());
    EXPECT_EQ(probe_->ForeColor(), 0xFFu);
    ASSERT_EQ(host_.messages().boxes.size(), 1u);
    EXPECT_TRUE(host_.messages().boxes[0].prompt.contains(QStringLiteral("ForeColor")));
}

TEST_F(StockPagesTest, TheFontPageSetsANewFontAndASizeThatIsNoNumberFails)
{
    auto& font = page<StandardFont>(1);
    const FontRef before = probe_->Font();
    font.txtSize().setText(QStringLiteral("12"));
    font.chkBold().setValue(1);
    ASSERT_TRUE(sheet_->apply());
    EXPECT_EQ(probe_->Font()->Size(), 12);
    EXPECT_TRUE(probe_->Font()->Bold());
    EXPECT_NE(probe_->Font(), before) << "a new font object, not an edit of the shared one";

    font.txtSize().setText(QStringLiteral("big"));
    EXPECT_FALSE(sheet_->apply());
    EXPECT_EQ(probe_->Font()->Size(), 12);
    EXPECT_EQ(host_.messages().boxes.size(), 1u);
}

TEST_F(StockPagesTest, ThePictureBrowsedForIsAppliedAndAFileThatIsNoPictureChangesNothing)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("banner.png"));
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(png));
    const QString text = dir.filePath(QStringLiteral("notes.png"));
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    QString answer = text;
    auto previous = set_file_dialog_service([&](const FileDialogRequest&) { return std::optional<QString>(answer); });
    auto& picture = page<StandardPicture>(2);
    picture.cmdBrowse().setValue(true);
    EXPECT_FALSE(picture.Changed());
    EXPECT_EQ(host_.messages().boxes.size(), 1u) << "the file that is no picture is reported";
    answer = png;
    picture.cmdBrowse().setValue(true);
    EXPECT_TRUE(picture.Changed());
    ASSERT_TRUE(sheet_->apply());
    EXPECT_EQ(probe_->Picture()->image().size(), QSize(4, 3));
    picture.cmdClear().setValue(true);
    ASSERT_TRUE(sheet_->apply());
    EXPECT_TRUE(probe_->Picture()->empty());
    set_file_dialog_service(previous);
}

TEST(PropertySheetHost, ALoadErrorIsShownAndTheOtherPagesStillLoad)
{
    TestHost host(false);
    ControlSite& site = host.add(std::make_unique<StockProbe>(), QStringLiteral("probe"));
    qobject_cast<StockProbe*>(site.control())->broken = true;
    PropertySheet sheet;
    sheet.open_for({&site});
    ASSERT_EQ(host.messages().boxes.size(), 1u);
    EXPECT_EQ(host.messages().boxes[0].prompt,
              QStringLiteral("BackColor is broken\n\nThe page \"Color\" cannot show the property BackColor and takes "
                             "no part in OK or Apply."));
    EXPECT_EQ(static_cast<StandardFont&>(*sheet.page(1)).txtFontName().Text(), QStringLiteral("MS Sans Serif"));
    EXPECT_FALSE(sheet.apply_enabled());
}

TEST(PropertySheetHost, NoControlOrAPageNoModuleProvidesIsRefusedAndTheSheetKeepsItsPages)
{
    TestHost host(false);
    ControlSite& unpaged = host.add(std::make_unique<Unpaged>(), QStringLiteral("unpaged"));
    PropertySheet sheet;
    try {
        sheet.open_for({&unpaged});
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), vberr::CantCreateObject);
        EXPECT_TRUE(e.description().contains(QStringLiteral("NoSuchPage")));
    }
    EXPECT_EQ(sheet.page_count(), 0);
    try {
        sheet.open_for({});
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), vberr::ObjectVariableNotSet);
    }
    EXPECT_TRUE(PropertyPageClasses::pages_of(QStringLiteral("NoPagesAtAll")).isEmpty());
}

#include "stock_pages_test.moc"
