#include "controls/display/general_label_page.h"
#include "controls/display/general_up_down_page.h"
#include "controls/display/ky_label.h"
#include "controls/display/ky_up_down.h"

#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/pages/property_sheet.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/controls/display/setter_log.h"
#include "tests/controls/kycomctl_fixture.h"

#include <cstdio>

namespace {

class PropertyPagesTest : public KyComCtlTest {
protected:
    void save_picture(QWidget& page, const char* file)
    {
        page.show();
        const QImage image = page.grab().toImage();
        const auto path = artefacts_dir() / file;
        EXPECT_TRUE(image.save(QString::fromStdString(path.string())));
        std::printf("picture of the property page: %s\n", path.c_str());
    }
};

TEST_F(PropertyPagesTest, GeneralLabelShowsAndAppliesTheFirstSelectedLabel)
{
    forms::TestHost design(false);
    forms::ControlSite& site = design.add(QStringLiteral("KyComCtl.KyLabel"), QStringLiteral("lblTitle"));
    auto* label = qobject_cast<KyLabel*>(site.control());
    label->setAlignment(kyCenter);
    label->setEnabled(false);

    forms::PropertySheet sheet;
    auto& page = static_cast<GeneralLabel&>(sheet.add_page(std::make_unique<GeneralLabel>()));
    EXPECT_EQ(page.Caption(), QStringLiteral("General"));
    sheet.set_selection({&site});
    EXPECT_EQ(page.txtCaption().Text(), QStringLiteral("lblTitle"));
    EXPECT_EQ(page.chkAutoSize().Value(), 0);
    EXPECT_EQ(page.chkEnabled().Value(), 0);
    EXPECT_EQ(page.cboAlignment().ListIndex(), kyCenter);
    EXPECT_EQ(page.cboAlignment().List(1), QStringLiteral("kyRightJustify"));
    EXPECT_FALSE(page.Changed());

    page.txtCaption().setText(QStringLiteral("Domain"));
    EXPECT_TRUE(page.Changed());
    page.chkEnabled().setValue(1);
    page.cboAlignment().setListIndex(kyRightJustify);
    save_picture(sheet, "general_label_page.png");
    ASSERT_TRUE(sheet.apply());
    EXPECT_EQ(label->Caption(), QStringLiteral("Domain"));
    EXPECT_TRUE(label->Enabled());
    EXPECT_EQ(label->Alignment(), kyRightJustify);
    EXPECT_FALSE(page.Changed());
}

TEST_F(PropertyPagesTest, GeneralLabelReadsAndWritesInItsOrder)
{
    SetterLog target;
    GeneralLabel page;
    page.set_selection({&target});
    EXPECT_EQ(page.chkAutoSize().Value(), 1);
    EXPECT_EQ(page.cboAlignment().ListIndex(), 1);
    page.apply();
    EXPECT_EQ(target.calls,
              (QStringList{QStringLiteral("AutoSize=1"), QStringLiteral("Enabled=1"), QStringLiteral("Caption=Logged"),
                           QStringLiteral("Alignment=1"), QStringLiteral("Visible=0")}));
}

TEST_F(PropertyPagesTest, GeneralUpDownShowsAndAppliesTheFirstSelectedBox)
{
    forms::TestHost design(false);
    forms::ControlSite& site = design.add(QStringLiteral("KyComCtl.KyUpDown"), QStringLiteral("udDays"));
    auto* box = qobject_cast<KyUpDown*>(site.control());
    box->setMax(30);
    box->setWrap(true);

    forms::PropertySheet sheet;
    auto& page = static_cast<GeneralUpDown&>(sheet.add_page(std::make_unique<GeneralUpDown>()));
    sheet.set_selection({&site});
    EXPECT_EQ(page.txtMax().Text(), QStringLiteral("30"));
    EXPECT_EQ(page.txtIncrement().Text(), QStringLiteral("1"));
    EXPECT_EQ(page.chkWrap().Value(), 1);
    EXPECT_EQ(page.cboAlignment().ListIndex(), 1);
    EXPECT_EQ(page.cboAlignment().List(2), QStringLiteral("2 - Center"));
    EXPECT_FALSE(page.Changed());

    page.txtMin().setText(QStringLiteral("-100"));
    page.txtValue().setText(QStringLiteral("-50"));
    page.txtIncrement().setText(QStringLiteral("-5"));
    EXPECT_TRUE(page.Changed());
    save_picture(sheet, "general_up_down_page.png");
    // The box takes the increment's size: no refusal, so no message; the page shows what it holds.
    ASSERT_TRUE(sheet.apply());
    EXPECT_EQ(box->Min(), -100);
    EXPECT_EQ(box->Value(), -50);
    EXPECT_EQ(box->Increment(), 5);
    EXPECT_EQ(page.txtIncrement().Text(), QStringLiteral("5"));
    EXPECT_TRUE(design.messages().boxes.empty());

    // A text that is no number fails in the assignment, and the sheet shows it.
    page.txtMax().setText(QStringLiteral("many"));
    EXPECT_FALSE(sheet.apply());
    EXPECT_EQ(box->Max(), 30);
    EXPECT_EQ(box->Increment(), 5) << "what was written before the error stays";
    ASSERT_EQ(design.messages().boxes.size(), 1u);
    EXPECT_EQ(design.messages().boxes[0].prompt,
              QStringLiteral("Type mismatch\n\nThe page \"General\" could not apply the property Max; it keeps what "
                             "was entered."));
}

TEST_F(PropertyPagesTest, GeneralUpDownReadsAndWritesInItsOrder)
{
    SetterLog target;
    GeneralUpDown page;
    page.set_selection({&target});
    EXPECT_EQ(page.txtMin().Text(), QStringLiteral("-50"));
    page.apply();
    EXPECT_EQ(target.calls,
              (QStringList{QStringLiteral("Wrap=1"), QStringLiteral("Increment=2"), QStringLiteral("Max=50"),
                           QStringLiteral("Min=-50"), QStringLiteral("Value=7"), QStringLiteral("Alignment=1")}));
}

} // namespace
