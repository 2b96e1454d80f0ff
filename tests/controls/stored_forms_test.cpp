// Stored forms of the control library load soundly: a value of the wrong kind fails the load
// with the runtime's error naming the line, the control and the key (never a crash, never a
// silent 0); a length no form can show is refused; an up-down box always reopens.

#include "controls/display/ky_up_down.h"
#include "platform/forms/control_site.h"
#include "platform/forms/form_file.h"
#include "platform/forms/late_binding.h"
#include "platform/forms/text_box.h"
#include "platform/forms/vb_error.h"
#include "tests/controls/kycomctl_fixture.h"

namespace {

// One control of `prog_id` named "ctl" (an option page inside its tree host), with one stored
// line `stored` on line 5 of the file.
QString form_with(const QString& prog_id, const QString& stored)
{
    const bool page = prog_id == QLatin1String("KyComCtl.KyOptionPage");
    QString text = QStringLiteral("OstrelForm 1\nBegin Form frmStored\n");
    if (page)
        text += QStringLiteral("Begin KyComCtl.KyTreeBase tree\n");
    text += QStringLiteral("Begin %1 ctl\n").arg(prog_id);
    text += (page ? QString() : QStringLiteral("# the stored line is line 5\n")) + stored + QLatin1Char('\n');
    text += QStringLiteral("End\n");
    if (page)
        text += QStringLiteral("End\n");
    return text + QStringLiteral("End\n");
}

struct LoadResult {
    int number = 0;
    QString description;
};

LoadResult load(forms::TestHost& host, const QString& text)
{
    try {
        host.form().load(forms::FormFile::parse(text));
    } catch (const forms::VbError& error) {
        return {error.number(), error.description()};
    }
    return {};
}

class StoredFormsTest : public KyComCtlTest {};

TEST_F(StoredFormsTest, AValueOfTheWrongKindFailsTheLoadNamingLineControlAndKey)
{
    struct Case {
        const char* prog_id;
        const char* stored;
        int number;
    };
    const Case cases[] = {
        {"KyComCtl.KyWizardTab", "BannerTitleFont = String \"Verdana\"", 13},
        {"KyComCtl.KyWizardTab", "PageIndex = String \"abc\"", 13},
        {"KyComCtl.KyWizardTab", "PageMode = String \"Welcome\"", 13},
        {"KyComCtl.KyWizardTab", "BackColor = String \"red\"", 13},
        {"KyComCtl.KyWizardTab", "WatermarkTitleFont = Font Nothing", 380},
        {"KyComCtl.KyWizardNavigator", "ButtonWidth = String \"wide\"", 13},
        {"KyComCtl.KyWizardNavigator", "FinishVisible = String \"maybe\"", 13},
        {"KyComCtl.KyWizardNavigator", "DefaultButton = Double 2.5", 380},
        {"KyComCtl.KyWizardNavigator", "ImageBanner = Font Name=\"Arial\"", 13},
        {"KyComCtl.KyWizardNavigator", "ButtonWidth = Long 2147483647", 380},
        {"KyComCtl.KyWizardNavigator", "ButtonHeight = Long 0", 380},
        {"KyComCtl.KyWizardNavigator", "ButtonGapTop = Long -1", 380},
        {"KyComCtl.KyProgressBar", "Max = String \"many\"", 13},
        {"KyComCtl.KyProgressBar", "DisplayFont = Picture None", 13},
        {"KyComCtl.KyProgressBar", "BorderStyle = Long 70000", 380},
        {"KyComCtl.KyProgressInfo", "DisplayElapsedTime = String \"perhaps\"", 13},
        {"KyComCtl.KyProgressInfo", "Status = Picture None", 13},
        {"KyComCtl.KyLabel", "Enabled = String \"maybe\"", 13},
        {"KyComCtl.KyLabel", "Font = String \"Arial\"", 13},
        {"KyComCtl.KyLabel", "Alignment = Empty", 13},
        {"KyComCtl.KyUpDown", "Value = String \"five\"", 13},
        {"KyComCtl.KyUpDown", "Alignment = Long 40000", 380},
        {"KyComCtl.TlxInfoPanel", "TitleColor = String \"blue\"", 13},
        {"KyComCtl.TlxInfoPanel", "Indentation = Font Name=\"Arial\"", 13},
        {"KyComCtl.KyTreeBase", "CustomVisible = String \"maybe\"", 13},
        {"KyComCtl.KyTreeBase", "TreeContainment = Picture None", 13},
        {"KyComCtl.KyOptionPage", "PageIndex = String \"first\"", 13},
        {"KyComCtl.KyMinimized", "@Width = String \"wide\"", 13},
        {"KyComCtl.KyMinimized", "@Height = Double 1E9", 380},
    };
    for (const Case& c : cases) {
        forms::TestHost host(false);
        const QString text = form_with(QString::fromLatin1(c.prog_id), QString::fromLatin1(c.stored));
        const LoadResult result = load(host, text);
        const QString key = QString::fromLatin1(c.stored).section(QLatin1Char(' '), 0, 0).remove(QLatin1Char('@'));
        EXPECT_EQ(result.number, c.number)
            << c.prog_id << ": " << c.stored << " gave " << result.description.toStdString();
        EXPECT_TRUE(result.description.startsWith(QStringLiteral("Form file line 5: \"%1\" of control ctl").arg(key)))
            << c.prog_id << ": " << result.description.toStdString();
        // Not half loaded.
        EXPECT_TRUE(host.form().sites().empty()) << c.prog_id << ": " << c.stored;
    }
}

TEST_F(StoredFormsTest, ValuesOfTheRightKindStillLoadAsStored)
{
    forms::TestHost host(false);
    const LoadResult result = load(host, QStringLiteral("OstrelForm 1\nBegin Form f\n"
                                                        "Begin KyComCtl.KyWizardNavigator nav\n"
                                                        "ButtonWidth = Long 1500\nFinishVisible = Boolean True\n"
                                                        "DefaultButton = Integer 2\nEnd\nEnd\n"));
    ASSERT_EQ(result.number, 0) << result.description.toStdString();
    forms::ControlSite* nav = host.form().site(QStringLiteral("nav"));
    ASSERT_NE(nav, nullptr);
    EXPECT_EQ(forms::get(nav, QStringLiteral("ButtonWidth")).toInt(), 1500);
    EXPECT_TRUE(forms::get(nav, QStringLiteral("FinishVisible")).toBool());
}

TEST_F(StoredFormsTest, ALengthNoFormCanShowIsRefusedAtLetAndKeepsTheOldValue)
{
    forms::TestHost host(false);
    forms::ControlSite& nav = host.add(QStringLiteral("KyComCtl.KyWizardNavigator"), QStringLiteral("nav"));
    struct Case {
        const char* property;
        int value;
        int kept;
    };
    const Case cases[] = {
        {"ButtonWidth", 2147483647, 1120},
        {"ButtonHeight", 300000, 345},
        {"ButtonGapTop", -1, 210},
        {"ButtonGapMiddle", 2147483647, 165},
    };
    for (const Case& c : cases) {
        host.messages().boxes.clear();
        forms::let(&nav, QString::fromLatin1(c.property), c.value);
        EXPECT_EQ(forms::get(&nav, QString::fromLatin1(c.property)).toInt(), c.kept) << c.property;
        ASSERT_EQ(host.messages().boxes.size(), 1u) << c.property;
        EXPECT_TRUE(host.messages().boxes[0].prompt.contains(QStringLiteral("twips"))) << c.property;
    }
    EXPECT_FALSE(host.saved_text().contains(QStringLiteral("2147483647")));
}

TEST_F(StoredFormsTest, AnUpDownBoxKeepsValueInsideMinAndMaxAndAlwaysReopens)
{
    forms::TestHost host(false);
    forms::ControlSite& site = host.add(QStringLiteral("KyComCtl.KyUpDown"), QStringLiteral("udCount"));
    auto* box = qobject_cast<KyUpDown*>(site.control());
    box->setValue(7);
    box->setMax(5);
    EXPECT_EQ(box->Value(), 5);
    EXPECT_EQ(box->txtSpin().Text(), QStringLiteral("5"));
    box->setMax(10);
    box->setMin(8);
    EXPECT_EQ(box->Value(), 8);
    host.reload(false);
    EXPECT_EQ(forms::get(host.form().site(QStringLiteral("udCount")), QStringLiteral("Value")).toInt(), 8);

    // A file saved before the rule, holding a Value outside its range, opens at the nearest end.
    struct Case {
        const char* stored;
        int value;
    };
    const Case cases[] = {{"Max = Long 5\nValue = Long 7", 5},
                          {"Min = Long 3\nValue = Long -2", 3},
                          {"Min = Long 8\nMax = Long 2\nValue = Long 9", 8}};
    for (const Case& c : cases) {
        forms::TestHost reopened(false);
        const LoadResult result = load(
            reopened, QStringLiteral("OstrelForm 1\nBegin Form f\nBegin KyComCtl.KyUpDown ud\n%1\nEnd\nEnd\n")
                          .arg(QString::fromLatin1(c.stored)));
        ASSERT_EQ(result.number, 0) << result.description.toStdString();
        EXPECT_EQ(forms::get(reopened.form().site(QStringLiteral("ud")), QStringLiteral("Value")).toInt(), c.value)
            << c.stored;
    }
}

} // namespace
