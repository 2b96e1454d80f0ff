#pragma once
// A stand-in for a selected page control or navigator that logs, in order, every read
// ("?Name") and write ("Name=value") the wizard's property pages make by name; a button
// record is logged as "Name=caption/rule/" and D for Default, C for Cancel.

#include "controls/wizard/page_buttons.h"
#include "tests/controls/late_bound_log.h"

#define WIZARD_LOG_RECORD(Name, caption, rule, is_default, cancel)                                                     \
    Q_PROPERTY(PageButtons Name READ Name WRITE set##Name)                                                             \
public:                                                                                                                \
    PageButtons Name() const                                                                                           \
    {                                                                                                                  \
        calls << QStringLiteral("?" #Name);                                                                            \
        return Name##_;                                                                                                \
    }                                                                                                                  \
    void set##Name(const PageButtons& v)                                                                               \
    {                                                                                                                  \
        Name##_ = v;                                                                                                   \
        calls << QStringLiteral(#Name "=%1/%2/%3%4")                                                                   \
                     .arg(v.Caption)                                                                                   \
                     .arg(v.Rule)                                                                                      \
                     .arg(v.Default ? QStringLiteral("D") : QString())                                                 \
                     .arg(v.Cancel ? QStringLiteral("C") : QString());                                                 \
    }                                                                                                                  \
                                                                                                                       \
private:                                                                                                               \
    PageButtons Name##_{true, true, QStringLiteral(caption), rule, 0, is_default, cancel};

class WizardPageLog : public QObject {
    Q_OBJECT
    // KyWizardTab
    LATE_BOUND_LOG_PROPERTY(int, PageNext, 3)
    LATE_BOUND_LOG_PROPERTY(int, PageBack, 1)
    LATE_BOUND_LOG_PROPERTY(int, PageIndex, 2)
    LATE_BOUND_LOG_PROPERTY(int, PageMode, 1)
    LATE_BOUND_LOG_PROPERTY(int, PageState, 1)
    LATE_BOUND_LOG_PROPERTY(QString, WatermarkTitle, QStringLiteral("wt"))
    LATE_BOUND_LOG_PROPERTY(QString, WatermarkRule, QStringLiteral("wr"))
    LATE_BOUND_LOG_PROPERTY(QString, WatermarkDescription, QStringLiteral("wd"))
    LATE_BOUND_LOG_PROPERTY(QString, BannerTitle, QStringLiteral("bt"))
    LATE_BOUND_LOG_PROPERTY(QString, BannerDescription, QStringLiteral("bd"))
    LATE_BOUND_LOG_PROPERTY(bool, UseDefaultButtonSet, false)
    WIZARD_LOG_RECORD(LeftButton, "Back", 1, false, false)
    WIZARD_LOG_RECORD(LeftMiddleButton, "Next", 2, true, false)
    WIZARD_LOG_RECORD(RightMiddleButton, "Help", 4, false, false)
    WIZARD_LOG_RECORD(RightButton, "Cancel", 3, false, true)
    // KyWizardNavigator
    LATE_BOUND_LOG_PROPERTY(int, StartPage, 1)
    LATE_BOUND_LOG_PROPERTY(bool, Enabled, true)
    LATE_BOUND_LOG_PROPERTY(int, BannerHeaderStyle, 1)
    LATE_BOUND_LOG_PROPERTY(int, ButtonWidth, 1120)
    LATE_BOUND_LOG_PROPERTY(int, ButtonHeight, 345)
    LATE_BOUND_LOG_PROPERTY(int, ButtonGapMiddle, 165)
    LATE_BOUND_LOG_PROPERTY(int, ButtonGapRight, 150)
    LATE_BOUND_LOG_PROPERTY(int, ButtonGapTop, 210)
    LATE_BOUND_LOG_PROPERTY(QString, LeftButtonCaption, QStringLiteral("Back"))
    LATE_BOUND_LOG_PROPERTY(QString, LeftMiddleButtonCaption, QStringLiteral("Next"))
    LATE_BOUND_LOG_PROPERTY(QString, RightMiddleButtonCaption, QStringLiteral("Help"))
    LATE_BOUND_LOG_PROPERTY(QString, RightButtonCaption, QStringLiteral("Cancel"))
    LATE_BOUND_LOG_PROPERTY(int, LeftButtonRule, 1)
    LATE_BOUND_LOG_PROPERTY(int, LeftMiddleButtonRule, 2)
    LATE_BOUND_LOG_PROPERTY(int, RightMiddleButtonRule, 4)
    LATE_BOUND_LOG_PROPERTY(int, RightButtonRule, 3)
    LATE_BOUND_LOG_PROPERTY(bool, LeftButtonVisible, true)
    LATE_BOUND_LOG_PROPERTY(bool, LeftMiddleButtonVisible, true)
    LATE_BOUND_LOG_PROPERTY(bool, RightMiddleButtonVisible, false)
    LATE_BOUND_LOG_PROPERTY(bool, RightButtonVisible, true)
    LATE_BOUND_LOG_PROPERTY(bool, LeftButtonEnabled, false)
    LATE_BOUND_LOG_PROPERTY(bool, LeftMiddleButtonEnabled, true)
    LATE_BOUND_LOG_PROPERTY(bool, RightMiddleButtonEnabled, true)
    LATE_BOUND_LOG_PROPERTY(bool, RightButtonEnabled, true)
    LATE_BOUND_LOG_PROPERTY(int, DefaultButton, 2)
    LATE_BOUND_LOG_PROPERTY(int, CancelButton, 4)
    LATE_BOUND_LOG_PROPERTY(QString, FinishCaption, QStringLiteral("Finish"))
    LATE_BOUND_LOG_PROPERTY(int, FinishRule, 6)
    LATE_BOUND_LOG_PROPERTY(int, FinishPosition, 3)
    LATE_BOUND_LOG_PROPERTY(bool, FinishEnabled, true)
    LATE_BOUND_LOG_PROPERTY(bool, FinishVisible, false)

public:
    mutable QStringList calls;

    Q_INVOKABLE void SetCancelButton(int lRule) { calls << QStringLiteral("SetCancelButton(%1)").arg(lRule); }
    Q_INVOKABLE void SetDefaultButton(int lRule) { calls << QStringLiteral("SetDefaultButton(%1)").arg(lRule); }
};
