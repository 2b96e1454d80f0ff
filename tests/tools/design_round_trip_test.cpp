// What a person saved stays saved: the program's own form opened in the design tool and
// saved, or saved after OK on any control's property sheet with nothing changed, is the file
// byte for byte; a change touches only its own line.

#include "tools/design/design_session.h"

#include "platform/forms/control_site.h"
#include "platform/forms/form.h"
#include "platform/forms/late_binding.h"
#include "platform/forms/property_sheet.h"
#include "tests/tools/design_fixture.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

namespace {

class DesignRoundTripTest : public DesignToolTest {
protected:
    void SetUp() override
    {
        DesignToolTest::SetUp();
        path_ = program_form_;
        original_ = read_all(path_);
    }

    // Opens the control's sheet and presses its OK button, as a person does.
    static void ok_with_nothing_changed(DesignSession& session, const QString& control)
    {
        auto sheet = session.sheet_for(control);
        sheet->show();
        QPushButton* ok = sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    QString path_;
    QByteArray original_;
};

} // namespace

TEST_F(DesignRoundTripTest, OpenAndSaveLeavesTheFileByteForByte)
{
    DesignSession session;
    session.open(path_);
    EXPECT_FALSE(session.has_changes());
    session.save();
    EXPECT_EQ(read_all(path_), original_);
}

TEST_F(DesignRoundTripTest, OkOnEverySheetWithNothingChangedLeavesTheFileByteForByte)
{
    DesignSession listing;
    listing.open(path_);
    const QStringList controls = listing.control_names();
    ASSERT_EQ(controls.size(), 10);
    for (const QString& control : controls) {
        SCOPED_TRACE(control.toStdString());
        DesignSession session;
        session.open(path_);
        ok_with_nothing_changed(session, control);
        EXPECT_FALSE(session.has_changes());
        session.save();
        EXPECT_EQ(read_all(path_), original_);
        EXPECT_TRUE(boxes().empty());
    }
}

TEST_F(DesignRoundTripTest, AChangeTouchesOnlyItsOwnLine)
{
    DesignSession session;
    session.open(path_);
    forms::let(session.form().site(QStringLiteral("wtProcessing")), QStringLiteral("BannerTitle"),
               QStringLiteral("Collecting"));
    // Back to its default: the line goes. A value the file did not hold: a new line.
    forms::let(session.form().site(QStringLiteral("KyWizardNavigator1")), QStringLiteral("ButtonGapRight"), 150);
    forms::let(session.form().site(QStringLiteral("wtFinish")), QStringLiteral("BannerTitle"), QStringLiteral("Done"));
    EXPECT_TRUE(session.has_changes());
    session.save();
    QByteArray expected = original_;
    expected.replace("BannerTitle = String \"Collecting statistics\"", "BannerTitle = String \"Collecting\"");
    expected.replace("      ButtonGapRight = Long 300\n", "");
    // wtFinish holds no controls: the new line ends its block.
    const QByteArray finish_end = "      CancelButton = Long 1\n";
    ASSERT_EQ(expected.count(finish_end), 1);
    expected.replace(finish_end, finish_end + "      BannerTitle = String \"Done\"\n");
    const QByteArray saved = read_all(path_);
    EXPECT_EQ(saved, expected);

    // The saved file opens to the changed form, and saves again unchanged.
    DesignSession again;
    again.open(path_);
    EXPECT_EQ(forms::get(again.form().site(QStringLiteral("wtFinish")), QStringLiteral("BannerTitle")).toString(),
              QStringLiteral("Done"));
    again.save();
    EXPECT_EQ(read_all(path_), saved);
}
