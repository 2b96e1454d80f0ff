#include "controls/wizard/buttons_set_page.h"
#include "controls/wizard/captions_page.h"
#include "controls/wizard/general_navigator_page.h"
#include "controls/wizard/general_tab_page.h"
#include "controls/wizard/navigator_buton_set_page.h"
#include "controls/wizard/position_page.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/controls/wizard/wizard_page_log.h"

#include <functional>

namespace {

QStringList repeated(const QStringList& names, int times)
{
    QStringList out;
    for (int i = 0; i < times; ++i)
        out << names;
    return out;
}

QStringList per_button(const QStringList& parts)
{
    QStringList out;
    for (const char* button : {"LeftButton", "LeftMiddleButton", "RightMiddleButton", "RightButton"})
        for (const QString& part : parts)
            out << part.arg(QLatin1String(button));
    return out;
}

} // namespace

using WizardPageOrdersTest = KyComCtlTest;

TEST_F(WizardPageOrdersTest, EachPageReadsAndWritesInItsOwnOrder)
{
    struct Case {
        const char* page;
        std::function<std::unique_ptr<forms::PropertyPage>()> make;
        QStringList reads;
        QStringList writes;
    };
    const QStringList records{"?LeftButton", "?LeftMiddleButton", "?RightMiddleButton", "?RightButton"};
    const std::vector<Case> cases{
        {"GeneralTab",
         [] { return std::make_unique<GeneralTab>(); },
         {"?PageNext", "?PageBack", "?PageIndex", "?PageMode", "?PageState"},
         // An unedited mode is read back after PageIndex, which may have exchanged it.
         {"PageNext=3", "PageBack=1", "PageIndex=2", "?PageMode", "PageMode=1", "PageState=1"}},
        {"Captions",
         [] { return std::make_unique<Captions>(); },
         {"?WatermarkTitle", "?WatermarkRule", "?WatermarkDescription", "?BannerTitle", "?BannerDescription"},
         {"WatermarkTitle=wt", "WatermarkRule=wr", "WatermarkDescription=wd", "BannerTitle=bt",
          "BannerDescription=bd"}},
        {"ButtonsSet",
         [] { return std::make_unique<ButtonsSet>(); },
         repeated(records, 6) << "?UseDefaultButtonSet",
         {"UseDefaultButtonSet=false", "LeftButton=Back/1/", "LeftMiddleButton=Next/2/D", "RightMiddleButton=Help/4/",
          "RightButton=Cancel/3/C", "SetCancelButton(3)", "SetDefaultButton(2)"}},
        {"GeneralNavigator",
         [] { return std::make_unique<GeneralNavigator>(); },
         {"?StartPage", "?Enabled", "?BannerHeaderStyle"},
         {"StartPage=1", "Enabled=true", "BannerHeaderStyle=1"}},
        {"Position",
         [] { return std::make_unique<Position>(); },
         {"?ButtonWidth", "?ButtonHeight", "?ButtonGapMiddle", "?ButtonGapRight", "?ButtonGapTop"},
         {"ButtonWidth=1120", "ButtonHeight=345", "ButtonGapMiddle=165", "ButtonGapRight=150", "ButtonGapTop=210"}},
        {"NavigatorButonSet", [] { return std::make_unique<NavigatorButonSet>(); },
         per_button({"?%1Caption"}) + per_button({"?%1Rule"}) + per_button({"?%1Enabled", "?%1Visible"}) +
             QStringList{"?DefaultButton", "?CancelButton", "?FinishCaption", "?FinishRule", "?FinishPosition",
                         "?FinishEnabled", "?FinishVisible"},
         QStringList{"LeftButtonCaption=Back",
                     "LeftButtonRule=1",
                     "LeftButtonVisible=true",
                     "LeftButtonEnabled=false",
                     "LeftMiddleButtonCaption=Next",
                     "LeftMiddleButtonRule=2",
                     "LeftMiddleButtonVisible=true",
                     "LeftMiddleButtonEnabled=true",
                     "RightMiddleButtonCaption=Help",
                     "RightMiddleButtonRule=4",
                     "RightMiddleButtonVisible=false",
                     "RightMiddleButtonEnabled=true",
                     "RightButtonCaption=Cancel",
                     "RightButtonRule=3",
                     "RightButtonVisible=true",
                     "RightButtonEnabled=true",
                     "FinishCaption=Finish",
                     "FinishPosition=3",
                     "FinishRule=6",
                     "FinishEnabled=true",
                     "FinishVisible=false",
                     "CancelButton=4",
                     "DefaultButton=2"}},
    };
    for (const Case& c : cases) {
        WizardPageLog target;
        WizardPageLog second;
        auto page = c.make();
        page->set_selection({&target, &second});
        EXPECT_EQ(target.calls, c.reads) << c.page;
        target.calls.clear();
        page->apply();
        EXPECT_EQ(target.calls, c.writes) << c.page << ": every field is written, edited or not";
        EXPECT_TRUE(second.calls.isEmpty()) << c.page << ": only the first selected control is used";
    }
}
