// Stored forms of the control library load soundly: a value of the wrong kind fails the load
// with the runtime's error naming the line, the control and the key (never a crash, never a
// silent 0); a length no form can show is refused; an up-down box always reopens.

#include "controls/display/ky_up_down.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"
#include "platform/forms/core/warnings.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QFile>
#include <QTemporaryDir>

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
        const QString key = QString::fromLatin1(c.stored).section(QLatin1Char(' '), 0, 0);
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
        SCOPED_TRACE(c.property);
        [&] { // an ASSERT ends this row only
            host.messages().boxes.clear();
            forms::let(&nav, QString::fromLatin1(c.property), c.value);
            EXPECT_EQ(forms::get(&nav, QString::fromLatin1(c.property)).toInt(), c.kept) << c.property;
            ASSERT_EQ(host.messages().boxes.size(), 1u) << c.property;
            EXPECT_TRUE(host.messages().boxes[0].prompt.contains(QStringLiteral("twips"))) << c.property;
        }();
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
        SCOPED_TRACE(c.stored);
        [&] { // an ASSERT ends this row only
            forms::TestHost reopened(false);
            const LoadResult result = load(
                reopened, QStringLiteral("OstrelForm 1\nBegin Form f\nBegin KyComCtl.KyUpDown ud\n%1\nEnd\nEnd\n")
                              .arg(QString::fromLatin1(c.stored)));
            ASSERT_EQ(result.number, 0) << result.description.toStdString();
            EXPECT_EQ(forms::get(reopened.form().site(QStringLiteral("ud")), QStringLiteral("Value")).toInt(), c.value)
                << c.stored;
        }();
    }
}

} // namespace

namespace {

// Records what the runtime warns while it lives.
class WarningRecorder {
public:
    WarningRecorder() : previous_(forms::set_warning_handler([this](const QString& text) { warnings_ << text; })) {}
    ~WarningRecorder() { forms::set_warning_handler(std::move(previous_)); }
    const QStringList& warnings() const { return warnings_; }

private:
    forms::WarningHandler previous_;
    QStringList warnings_;
};

// The form file `text` written to `path` and loaded through the one reader.
LoadResult load_file(forms::TestHost& host, const QString& path, const QString& text)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
    file.close();
    try {
        host.form().load(forms::FormFile::read(path));
    } catch (const forms::VbError& error) {
        return {error.number(), error.description()};
    }
    return {};
}

} // namespace

// A value that would load as something else is refused, naming the file, the line, the control
// and the key: a key given twice, an enumeration out of range, a font no font can be, a
// setter's refusal, a length no form can show, a name in use.
TEST_F(StoredFormsTest, ABadValueIsRefusedNamingFileLineControlAndKey)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("frmStored.ofm"));
    const QString at5 = QStringLiteral("Form file %1 line 5: ").arg(path);
    const QString font = QStringLiteral("Font = Font Name=\"Arial\" Size=%1 Weight=%2 Italic=%3");
    struct Case {
        QString prog_id;
        QString stored;
        QString description;
    };
    const Case cases[] = {
        {"KyComCtl.KyLabel", "Caption = String \"a\"\ncaption = String \"b\"",
         QStringLiteral("Form file %1 line 6: the key \"caption\" is given twice (first on line 5)").arg(path)},
        {"KyComCtl.KyWizardTab", "PageMode = Long 7", at5 + "\"PageMode\" of control ctl: 7 is no value from 0 to 2"},
        {"KyComCtl.KyWizardTab", "PageState = Long 5", at5 + "\"PageState\" of control ctl: 5 is no value from 0 to 1"},
        {"KyComCtl.KyWizardTab", "RBRule = Long 77", at5 + "\"RBRule\" of control ctl: 77 is no value from 0 to 6"},
        {"KyComCtl.KyWizardNavigator", "WizardSizeMode = Long 7",
         at5 + "\"WizardSizeMode\" of control ctl: 7 is no value from 0 to 1"},
        {"KyComCtl.KyWizardNavigator", "BannerHeaderStyle = Long 7",
         at5 + "\"BannerHeaderStyle\" of control ctl: 7 is no value from 0 to 1"},
        {"KyComCtl.KyWizardNavigator", "RightButtonRule = Long 77",
         at5 + "\"RightButtonRule\" of control ctl: 77 is no value from 0 to 6"},
        {"KyComCtl.KyProgressBar", "Align = Long 9", at5 + "\"Align\" of control ctl: 9 is no value from 0 to 2"},
        {"KyComCtl.KyLabel", "MousePointer = Long 999",
         at5 + "\"MousePointer\" of control ctl: 999 is no value from 0 to 15, or 99"},
        {"KyComCtl.KyLabel", font.arg("1e30").arg(400).arg(0),
         at5 + "\"Font\" of control ctl: Invalid property value: font attribute Size=1e30 is outside 0 to 2160"},
        {"KyComCtl.KyLabel", font.arg(-5).arg(400).arg(0),
         at5 + "\"Font\" of control ctl: Invalid property value: font attribute Size=-5 is not above 0"},
        {"KyComCtl.KyLabel", font.arg(8).arg(99999).arg(0),
         at5 + "\"Font\" of control ctl: Invalid property value: font attribute Weight=99999 is outside 0 to 1000"},
        {"KyComCtl.KyLabel", font.arg(8).arg(400).arg(7),
         at5 + "\"Font\" of control ctl: Invalid property value: font attribute Italic=7 is neither 0 nor 1"},
        {"KyComCtl.KyProgressBar", "BorderStyle = Integer 9",
         at5 + "\"BorderStyle\" of control ctl: Invalid property value"},
        {"KyComCtl.KyLabel", "Alignment = Long 9", at5 + "\"Alignment\" of control ctl: Invalid property value"},
        {"VB.Label", "@Left = Double 1e308",
         at5 + "\"Left\" of control ctl: 1e+308 twips is no place from -245760 to 245760"},
        {"VB.Label", "@Width = Double 1e308",
         at5 + "\"Width\" of control ctl: 1e+308 twips is no length from 0 to 245760"},
        {"VB.Label", "@Width = Double -500",
         at5 + "\"Width\" of control ctl: -500 twips is no length from 0 to 245760"},
        {"VB.Label", "@Left = Double nan",
         at5 + "\"Left\" of control ctl: nan twips is no place from -245760 to 245760"},
        {"VB.Label", "@Top = Double -1e6",
         at5 + "\"Top\" of control ctl: -1e+06 twips is no place from -245760 to 245760"},
        {"VB.Line", "X2 = Double 1e308",
         at5 + "\"X2\" of control ctl: 1e+308 twips is no place from -245760 to 245760"},
        {"VB.Label", "@Left = Double 10\nLeft = Double 20",
         QStringLiteral("Form file %1 line 6: \"Left\" of control ctl: given twice (first on line 5)").arg(path)},
        {"KyComCtl.KyMinimized", "@Width = Double -500",
         at5 + "\"@Width\" of control ctl: -500 twips is no length from 0 to 245760"},
        {"KyComCtl.KyMinimized", "@Left = Double nan",
         at5 + "\"@Left\" of control ctl: nan twips is no place from -245760 to 245760"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.prog_id + QStringLiteral(": ") + c.stored).toStdString());
        forms::TestHost host(false);
        const LoadResult result = load_file(host, path, form_with(c.prog_id, c.stored));
        EXPECT_EQ(result.number, 380);
        EXPECT_EQ(result.description.toStdString(), c.description.toStdString());
        EXPECT_TRUE(host.form().sites().empty());
    }

    struct FormCase {
        const char* text;
        QString description;
    };
    const FormCase forms_cases[] = {
        {"OstrelForm 1\nBegin Form frmStored\n   Width = Double 1e300\nEnd\n",
         QStringLiteral("Form file %1 line 3: \"Width\" of form frmStored: 1e+300 twips is no length from 0 to 245760")
             .arg(path)},
        {"OstrelForm 1\nBegin Form frmStored\n   Begin VB.Label lblSame\n   End\n   Begin KyComCtl.KyLabel lblSame\n   "
         "End\nEnd\n",
         QStringLiteral("Form file %1 line 5: control lblSame: A control named \"lblSame\" cannot be added").arg(path)},
        {"OstrelForm 1\nBegin Form frmStored\n   Begin VB.Label lblSame\n   End\n   Begin VB.Label LBLSAME\n   "
         "End\nEnd\n",
         QStringLiteral("Form file %1 line 5: control LBLSAME: A control named \"LBLSAME\" cannot be added").arg(path)},
    };
    for (const FormCase& c : forms_cases) {
        SCOPED_TRACE(c.text);
        forms::TestHost host(false);
        const LoadResult result = load_file(host, path, QString::fromLatin1(c.text));
        EXPECT_NE(result.number, 0);
        EXPECT_EQ(result.description.toStdString(), c.description.toStdString());
    }
}

// A key no property reads (a misspelt one) loads, with a warning naming the file, the line,
// the control and the key; what the system writes itself loads without a word.
TEST_F(StoredFormsTest, AnUnknownKeyIsWarnedNamingFileLineControlAndKey)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("frmStored.ofm"));
    const struct {
        const char* prog_id;
        const char* stored;
        const char* key;
    } cases[] = {
        {"KyComCtl.KyLabel", "Captoin = String \"x\"", "Captoin"},
        {"KyComCtl.KyLabel", "@Lefft = Double 120", "@Lefft"},
        {"KyComCtl.KyWizardTab", "PageModus = Long 1", "PageModus"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        forms::TestHost host(false);
        const WarningRecorder recorder;
        const LoadResult result = load_file(host, path,
                                            form_with(QString::fromLatin1(c.prog_id), QString::fromLatin1(c.stored)));
        EXPECT_EQ(result.number, 0) << result.description.toStdString();
        EXPECT_EQ(recorder.warnings(),
                  QStringList{QStringLiteral("Form file %1 line 5: \"%2\" of control ctl: no property of that name "
                                             "reads it; not loaded")
                                  .arg(path, QLatin1String(c.key))});
        EXPECT_EQ(host.form().sites().size(), 1u);
    }

    forms::TestHost design(false);
    for (const char* prog_id : {"KyComCtl.KyProgressBar", "KyComCtl.KyProgressInfo", "KyComCtl.KyWizardNavigator",
                                "KyComCtl.KyMinimized", "KyComCtl.KyLabel", "KyComCtl.KyUpDown",
                                "KyComCtl.TlxInfoPanel", "KyComCtl.KyWizardTab", "KyComCtl.KyTreeBase"})
        design.add(QString::fromLatin1(prog_id), QString::fromLatin1(prog_id).section(QLatin1Char('.'), 1) + "1");
    const QString saved = design.saved_text();
    forms::TestHost again(false);
    const WarningRecorder recorder;
    EXPECT_EQ(load_file(again, path, saved).number, 0);
    EXPECT_TRUE(recorder.warnings().isEmpty()) << recorder.warnings().join(QLatin1Char('\n')).toStdString();
}

// What the runtime itself places reopens: a control docked at the bottom of a form shorter than
// itself stands above the form's top, and the file keeps that place.
TEST_F(StoredFormsTest, AControlDockedAboveAShortFormsTopReopensByteForByte)
{
    forms::TestHost design(false);
    design.form().setHeight(300);
    forms::ControlSite& bar = design.add(QStringLiteral("KyComCtl.KyProgressBar"), QStringLiteral("prbLow"));
    bar.setHeight(600);
    bar.setAlign(forms::vbAlignBottom);
    ASSERT_LT(bar.Top(), 0);
    const QString saved = design.saved_text();
    forms::TestHost again(false);
    const LoadResult result = load(again, saved);
    ASSERT_EQ(result.number, 0) << result.description.toStdString();
    EXPECT_EQ(again.saved_text().toStdString(), saved.toStdString());
}
