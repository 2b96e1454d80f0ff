// The wizard page at design time: placing pages, their indexes and links, persistence,
// registration and the captions file.

#include "controls/wizard/captions_file.h"
#include "tests/controls/wizard/wizard_tab_fixture.h"

#include "platform/forms/core/form_file.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/core/vb_error.h"

#include <QFile>

#include <filesystem>
#include <fstream>

TEST_F(WizardTabTest, ThreePlacementsGiveWelcomeInteriorAndCompletePagesLinkedInOrder)
{
    KyWizardTab& first = place(QStringLiteral("wtWelcome"));
    EXPECT_EQ(links(first), QStringLiteral("1 0 0 0"));
    KyWizardTab& second = place(QStringLiteral("wtInterior"));
    EXPECT_EQ(links(first), QStringLiteral("1 0 0 2"));
    EXPECT_EQ(links(second), QStringLiteral("2 2 1 0"));
    KyWizardTab& third = place(QStringLiteral("wtFinish"));
    EXPECT_EQ(links(first), QStringLiteral("1 0 0 2")) << "a welcome page at index 1 stays one";
    EXPECT_EQ(links(second), QStringLiteral("2 1 1 3"));
    EXPECT_EQ(links(third), QStringLiteral("3 2 2 0"));
    EXPECT_EQ(registered(), (QStringList{"wtWelcome", "wtInterior", "wtFinish"}));
    EXPECT_EQ(site(QStringLiteral("wtFinish")).Align(), forms::vbAlignTop);
    EXPECT_FALSE(site(QStringLiteral("wtFinish")).TabStop());
    EXPECT_EQ(third.height(), form().height());
}

TEST_F(WizardTabTest, DeletingAPageThenAddingOneEndsWithoutRecursion)
{
    place(QStringLiteral("wtOne"));
    place(QStringLiteral("wtTwo"));
    place(QStringLiteral("wtThree"));
    form().remove_control(site(QStringLiteral("wtTwo")));
    // The new page counts two siblings, takes index 3 and meets wtThree there: one exchange.
    KyWizardTab& added = place(QStringLiteral("wtAdded"));
    EXPECT_EQ(links(added), QStringLiteral("3 2 2 0"));
    EXPECT_EQ(links(page(QStringLiteral("wtThree"))), QStringLiteral("3 2 2 0"));
    EXPECT_EQ(links(page(QStringLiteral("wtOne"))), QStringLiteral("1 0 0 2"));
}

TEST_F(WizardTabTest, PageIndexSwapsPlacesWithTheSiblingThatHoldsTheIndex)
{
    struct Case {
        const char* page;
        int index;
        const char* welcome;
        const char* interior;
        const char* finish;
    };
    // Start: wtWelcome "1 0 0 2", wtInterior "2 1 1 3", wtFinish "3 2 2 0".
    const Case cases[] = {
        {"wtWelcome", 3, "3 2 2 0", "2 1 1 3", "1 0 0 2"},  // exchange with wtFinish
        {"wtInterior", 2, "1 0 0 2", "2 1 1 3", "3 2 2 0"}, // own index, no sibling: nothing changes
        {"wtInterior", 1, "2 1 1 3", "1 0 0 2", "3 2 2 0"}, // exchange with wtWelcome
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.page) + " to " + std::to_string(c.index));
        design_.reset();
        modBase::CreateNavigator();
        place(QStringLiteral("wtWelcome"));
        place(QStringLiteral("wtInterior"));
        place(QStringLiteral("wtFinish"));
        QStringList changed;
        QObject::connect(&form(), &forms::Form::PropertyChangedOn, [&](QObject*, const QString& key) {
            if (key == QStringLiteral("PageIndex"))
                changed << key;
        });
        page(QString::fromLatin1(c.page)).setPageIndex(c.index);
        EXPECT_EQ(links(page(QStringLiteral("wtWelcome"))), QString::fromLatin1(c.welcome)) << c.page << c.index;
        EXPECT_EQ(links(page(QStringLiteral("wtInterior"))), QString::fromLatin1(c.interior)) << c.page << c.index;
        EXPECT_EQ(links(page(QStringLiteral("wtFinish"))), QString::fromLatin1(c.finish)) << c.page << c.index;
        EXPECT_FALSE(changed.isEmpty()) << "the change is announced";
    }
}

TEST_F(WizardTabTest, StoredDuplicatesLoadAsTheyAreAndALetOfTheSharedIndexExchangesOnce)
{
    const char* const kForm = "OstrelForm 1\n"
                              "Begin Form frmWizard\n"
                              "   Begin KyComCtl.KyWizardTab wtTwo\n"
                              "      PageIndex = Long 3\n"
                              "      PageBack = Long 1\n"
                              "      PageNext = Long 3\n"
                              "   End\n"
                              "   Begin KyComCtl.KyWizardTab wtThree\n"
                              "      PageIndex = Long 3\n"
                              "      PageBack = Long 2\n"
                              "      PageNext = Long 7\n"
                              "      PageMode = Long 2\n"
                              "   End\n"
                              "End\n";
    form().load(forms::FormFile::parse(QString::fromLatin1(kForm)));
    KyWizardTab& two = page(QStringLiteral("wtTwo"));
    KyWizardTab& three = page(QStringLiteral("wtThree"));
    EXPECT_EQ(links(two), QStringLiteral("3 1 1 3")) << "reading an index exchanges nothing";
    EXPECT_EQ(links(three), QStringLiteral("3 2 2 7"));
    three.setPageIndex(3);
    EXPECT_EQ(links(two), QStringLiteral("3 2 2 7"));
    EXPECT_EQ(links(three), QStringLiteral("3 1 1 3"));
}

namespace {

// Every persisted key with a value other than its default, as a designer could leave them.
const char* const kAllKeys[] = {"BackColor",
                                "Enabled",
                                "BorderStyle",
                                "BannerBackColor",
                                "BannerDescription",
                                "BannerDescriptionFont",
                                "BannerDescriptionColor",
                                "BannerTitle",
                                "BannerTitleFont",
                                "BannerTitleColor",
                                "WaterMarkDescription",
                                "WatermarkDescriptionFont",
                                "WatermarkDescriptionColor",
                                "WaterMarkRule",
                                "WatermarkRuleFont",
                                "WatermarkRuleColor",
                                "WaterMarkTitle",
                                "WatermarkTitleFont",
                                "WatermarkTitleColor",
                                "PageIndex",
                                "PageBack",
                                "PageNext",
                                "PageMode",
                                "PageState",
                                "TagVariant",
                                "LBVisible",
                                "LBEnabled",
                                "LBCaption",
                                "LBRule",
                                "LMBVisible",
                                "LMBEnabled",
                                "LMBCaption",
                                "LMBRule",
                                "RMBVisible",
                                "RMBEnabled",
                                "RMBCaption",
                                "RMBRule",
                                "RBVisible",
                                "RBEnabled",
                                "RBCaption",
                                "RBRule",
                                "DefaultButton",
                                "CancelButton",
                                "UseDefaultButtonSet"};

forms::FontRef font(const char* name, double size, bool bold)
{
    auto f = forms::StdFont::create();
    f->setName(QString::fromLatin1(name));
    f->setSize(size);
    f->setBold(bold);
    return f;
}

} // namespace

TEST_F(WizardTabTest, EveryKeyRoundTripsInItsOrder)
{
    KyWizardTab& p = place(QStringLiteral("wtWelcome"));
    p.setBackColor(0x00C0FFu);
    p.setEnabled(false);
    p.setBorderStyle(1);
    p.setBannerBackColor(0x00EEEEu);
    p.setBannerDescription(QStringLiteral("Choose the domains"));
    p.setBannerDescriptionFont(font("Arial", 9, false));
    p.setBannerDescriptionColor(0x000080u);
    p.setBannerTitle(QStringLiteral("Domains"));
    p.setBannerTitleFont(font("Arial", 10, true));
    p.setBannerTitleColor(0x800000u);
    p.setWatermarkDescription(QStringLiteral("This wizard counts"));
    p.setWaterMarkDescriptionFont(font("Verdana", 8, false));
    p.setWaterMarkDescriptionColor(0x008000u);
    p.setWatermarkRule(QStringLiteral("Click Next"));
    p.setWatermarkRuleFont(font("Verdana", 7, false));
    p.setWatermarkRuleColor(0x808000u);
    p.setWatermarkTitle(QStringLiteral("Welcome to Ostrel"));
    p.setWaterMarkTitleFont(font("Verdana", 12, true));
    p.setWaterMarkTitleColor(0x008080u);
    p.setPageBack(4);
    p.setPageNext(6);
    p.setPageMode(CompletePage);
    p.setPageIndex(5);
    p.setTagVariant(QStringLiteral("results"));
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
        p.setButtonVisible(position, !p.ButtonVisible(position));
        p.setButtonEnabled(position, !p.ButtonEnabled(position));
        p.setButtonCaption(position, QStringLiteral("Button %1").arg(position));
        p.setButtonRule(position, static_cast<std::int32_t>(kyBRFinish) - position);
    }
    p.SetDefaultButton(static_cast<std::int32_t>(kyBRFinish) - kyBPLeft);
    p.SetCancelButton(static_cast<std::int32_t>(kyBRFinish) - kyBPLeftMiddle);
    p.setUseDefaultButtonSet(false);
    p.setPageState(Minimized);

    const QString text = design().saved_text();
    qsizetype at = 0;
    for (const char* key : kAllKeys) {
        const qsizetype found = text.indexOf(QStringLiteral("      %1 = ").arg(QString::fromLatin1(key)), at);
        EXPECT_GT(found, at) << key << " in its order\n" << text.toStdString();
        at = std::max(at, found);
    }

    design().reload(false);
    KyWizardTab& back = page(QStringLiteral("wtWelcome"));
    EXPECT_EQ(design().saved_text(), text);
    EXPECT_EQ(back.BannerTitle(), QStringLiteral("Domains"));
    EXPECT_TRUE(back.BannerTitleFont()->Bold());
    EXPECT_EQ(back.WaterMarkDescriptionColor(), 0x008000u);
    EXPECT_EQ(links(back), QStringLiteral("5 2 4 6"));
    EXPECT_EQ(back.PageState(), Minimized);
    EXPECT_EQ(back.TagVariant().toString(), QStringLiteral("results"));
    EXPECT_EQ(back.RightButton().Caption, QStringLiteral("Button 4"));
    EXPECT_EQ(back.DefaultButton(), kyBPLeft);
    EXPECT_EQ(back.CancelButton(), kyBPLeftMiddle);
    EXPECT_FALSE(back.UseDefaultButtonSet());
}

TEST_F(WizardTabTest, AStoredPageWithoutKeysLoadsTheDefaultsAndLowerCaseKeysLoadLikeMixedCase)
{
    const char* const kForm = "OstrelForm 1\n"
                              "Begin Form frmWizard\n"
                              "   Width = Double 7500\n"
                              "   Height = Double 5400\n"
                              "   Begin KyComCtl.KyWizardTab wtBare\n"
                              "   End\n"
                              "   Begin KyComCtl.KyWizardTab wtLower\n"
                              "      pageindex = Long 2\n"
                              "      pagemode = Long 2\n"
                              "      watermarkdescriptionfont = Font Name=\"Verdana\" Size=10 Weight=700 Italic=0 "
                              "Underline=0 Strikethrough=0 Charset=0\n"
                              "      rbcaption = String \"&Finish\"\n"
                              "   End\n"
                              "End\n";
    form().load(forms::FormFile::parse(QString::fromLatin1(kForm)));
    const KyWizardTab& bare = page(QStringLiteral("wtBare"));
    EXPECT_EQ(links(bare), QStringLiteral("1 1 0 0"));
    EXPECT_EQ(bare.BannerTitle(), QStringLiteral("Step Title"));
    EXPECT_EQ(bare.BannerDescription(), QStringLiteral("Step Description"));
    EXPECT_EQ(bare.WatermarkTitle(), QStringLiteral("Welcome to ..."));
    EXPECT_EQ(bare.WatermarkDescription(), QStringLiteral("Description"));
    EXPECT_EQ(bare.WatermarkRule(), QStringLiteral("To continue, click Next."));
    EXPECT_EQ(bare.BannerTitleColor(), 0u);
    EXPECT_EQ(bare.BannerBackColor(), 0xFFFFFFu);
    EXPECT_TRUE(bare.BannerTitleFont()->same_as(*form().Font()));
    EXPECT_NE(bare.BannerTitleFont().get(), form().Font().get()) << "a font of its own";
    EXPECT_EQ(bare.TagVariant().value<QObject*>(), nullptr);
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
        SCOPED_TRACE(position);
        EXPECT_EQ(bare.ButtonCaption(position), navigator().DefaultSetButton(position).Caption);
    }
    EXPECT_EQ(bare.DefaultButton(), navigator().DefaultSetDefaultButton());
    EXPECT_TRUE(bare.UseDefaultButtonSet());

    const KyWizardTab& lower = page(QStringLiteral("wtLower"));
    EXPECT_EQ(links(lower), QStringLiteral("2 2 0 0"));
    EXPECT_EQ(lower.WaterMarkDescriptionFont()->Name(), QStringLiteral("Verdana"));
    EXPECT_TRUE(lower.WaterMarkDescriptionFont()->Bold());
    EXPECT_EQ(lower.RightButton().Caption, QStringLiteral("&Finish"));
}

TEST_F(WizardTabTest, ATagThatCannotBeStoredIsReportedAndTheKeysAfterItAreStillWritten)
{
    KyWizardTab& p = place(QStringLiteral("wtWelcome"));
    p.setButtonCaption(kyBPRight, QStringLiteral("&Close"));
    QObject held;
    p.setTagVariant(QVariant::fromValue(&held));
    std::vector<QString> errors;
    QObject::connect(&navigator(), &CWizardNavigator::OnError,
                     [&](std::int32_t number, const QString&, const QString& source) {
                         errors.push_back(QStringLiteral("%1 %2").arg(number).arg(source));
                     });
    const QString text = design().saved_text();
    EXPECT_EQ(errors, (std::vector<QString>{QStringLiteral("13 wtWelcome::WriteProperties")}));
    EXPECT_NE(text.indexOf(QStringLiteral("RBCaption = String \"&Close\"")), -1) << text.toStdString();
    EXPECT_EQ(text.indexOf(QStringLiteral("TagVariant")), -1);
}

TEST_F(WizardTabTest, ARenameMovesTheRegistryEntryAndHideAndWriteUnregister)
{
    place(QStringLiteral("wtWelcome"));
    place(QStringLiteral("wtInterior"));
    site(QStringLiteral("wtInterior")).setName(QStringLiteral("wtDomains"));
    EXPECT_EQ(registered(), (QStringList{"wtWelcome", "wtDomains"}));
    EXPECT_EQ(modBase::SharedPages()->entry(2)->PageIndex(), 2) << "the proxy still reaches the page";

    design().show();
    page(QStringLiteral("wtDomains")).hide();
    EXPECT_EQ(registered(), QStringList{"wtWelcome"});
    (void)design().saved_text();
    EXPECT_TRUE(registered().isEmpty());
}

TEST_F(WizardTabTest, TheCaptionsFileIsWrittenByteForByte)
{
    place(QStringLiteral("wtWelcome"));
    KyWizardTab& finish = place(QStringLiteral("wtFinish"));
    finish.setWatermarkTitle(QStringLiteral("Completing the Ostrel Wizard"));
    finish.setWatermarkDescription(QStringLiteral("The counts are ready.\r\nSave them before you close."));
    finish.setWatermarkRule(QStringLiteral("To close this wizard, click Finish."));
    finish.setButtonCaption(kyBPRight, QStringLiteral("&Finish"));
    finish.setSaveCaptionsToFile(false);
    EXPECT_FALSE(finish.SaveCaptionsToFile());

    const QString equals(80, u'='), hyphens(80, u'-');
    const QString expected = QStringList{"wtFinish captions:",
                                         "",
                                         "Page Mode: CompletePage",
                                         equals,
                                         "",
                                         "BannerTitle: ",
                                         "Step Title",
                                         hyphens,
                                         "",
                                         "BannerDescription: ",
                                         "Step Description",
                                         hyphens,
                                         "",
                                         "WatermarkTitle: ",
                                         "Completing the Ostrel Wizard",
                                         hyphens,
                                         "",
                                         "WatermarkDescription: ",
                                         "The counts are ready.\r\nSave them before you close.",
                                         hyphens,
                                         "",
                                         "WatermarkRule: ",
                                         "To close this wizard, click Finish.",
                                         hyphens,
                                         "",
                                         "LeftButton Caption: ",
                                         "&Help",
                                         hyphens,
                                         "",
                                         "LeftMiddleButton Caption: ",
                                         "< &Back",
                                         hyphens,
                                         "",
                                         "RightMiddleButton Caption: ",
                                         "&Next >",
                                         hyphens,
                                         "",
                                         "RightButton Caption: ",
                                         "&Finish",
                                         equals,
                                         ""}
                                 .join(QStringLiteral("\r\n"));
    QFile file(QString::fromStdString((dir_ / "wtFinish.txt").string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), expected.toUtf8());
}

TEST_F(WizardTabTest, ACaptionsFileThatCannotBeWrittenIsReportedAndLeavesNoPartOfItself)
{
    KyWizardTab& p = place(QStringLiteral("wtWelcome"));
    std::vector<std::int32_t> errors;
    QObject::connect(&navigator(), &CWizardNavigator::OnError,
                     [&](std::int32_t number, const QString&, const QString& source) {
                         errors.push_back(number);
                         EXPECT_EQ(source, QStringLiteral("wtWelcome::SaveCaptionsToFile (Let)"));
                     });
    // The folder is missing: reported as error 75, nothing written anywhere.
    setenv("OSTREL_CAPTIONS_DIR", (dir_ / "missing").c_str(), 1);
    p.setSaveCaptionsToFile(true);
    EXPECT_EQ(errors, std::vector<std::int32_t>{75});
    EXPECT_FALSE(std::filesystem::exists(dir_ / "missing"));

    // A name that is not an identifier never becomes a path.
    PageCaptions captions;
    captions.display_name = QStringLiteral("../escaped");
    try {
        write_captions_file(QString::fromStdString((dir_ / "sub").string()), captions);
        ADD_FAILURE() << "written";
    } catch (const forms::VbError& e) {
        EXPECT_EQ(e.number(), 52);
    }
    EXPECT_FALSE(std::filesystem::exists(dir_ / "escaped.txt"));

    // At run time nothing is written.
    setenv("OSTREL_CAPTIONS_DIR", dir_.c_str(), 1);
    design().design_to_run();
    page(QStringLiteral("wtWelcome")).setSaveCaptionsToFile(true);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "wtWelcome.txt"));
}

TEST_F(WizardTabTest, TheButtonSetFindsRulesAndSwapsToKeepThemUnique)
{
    KyWizardTab& p = place(QStringLiteral("wtWelcome"));
    // Navigator defaults: Help, Back, Next, Cancel.
    p.setButtonRule(kyBPRight, kyBRHelp);
    EXPECT_EQ(p.GetButton(kyBRHelp).Position, kyBPLeft) << "the leftmost position with the rule";
    p.SetDefaultButton(kyBRHelp);
    EXPECT_EQ(p.DefaultButton(), kyBPRight) << "the rightmost position with the rule";
    p.SetDefaultButton(kyBRExit);
    EXPECT_EQ(p.DefaultButton(), kyBPNone);
    EXPECT_EQ(p.GetButton(kyBRExit).Caption, QString());
    EXPECT_EQ(p.GetButton(kyBRExit).Position, kyBPNone);

    p.setButtonRule(kyBPRight, kyBRNext);
    PageButtons finish{true, true, QStringLiteral("&Finish"), kyBRNext, kyBPNone, true, false};
    const PageButtons old_right_middle = p.RightMiddleButton();
    EXPECT_TRUE(p.SetButton(kyBPLeftMiddle, finish)) << "LeftMiddle takes Next; the Next holder takes the old one";
    EXPECT_EQ(p.LeftMiddleButton().Caption, QStringLiteral("&Finish"));
    EXPECT_EQ(p.RightMiddleButton().Caption, QStringLiteral("< &Back"));
    EXPECT_EQ(p.RightMiddleButton().Rule, kyBRBack);
    EXPECT_EQ(p.RightButton().Rule, kyBRNext);
    EXPECT_EQ(p.DefaultButton(), kyBPRight) << "Default with rule Next: the rightmost Next";
    (void)old_right_middle;

    const QString before = design().saved_text();
    for (std::int32_t bad : {0, 5}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(p.SetButton(bad, finish));
    }
    EXPECT_EQ(design().saved_text(), before);
    PageButtons unique{true, false, QStringLiteral("E&xit"), kyBRExit, kyBPNone, false, false};
    EXPECT_FALSE(p.SetButton(kyBPLeft, unique));
    EXPECT_EQ(p.LeftButton().Caption, QStringLiteral("E&xit"));
    EXPECT_EQ(p.LeftButton().Position, kyBPLeft);
}
