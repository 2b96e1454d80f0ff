#pragma once
// The host of the navigator tests: the wizard page host with a navigator placed on the
// design form, its buttons by position, and the bar's button lefts as one text.

#include "controls/wizard/ky_wizard_navigator.h"
#include "platform/forms/intrinsics/command_button.h"
#include "tests/controls/wizard/wizard_tab_fixture.h"

class NavigatorTest : public WizardTabTest {
protected:
    KyWizardNavigator& place_navigator(const QString& name = QStringLiteral("kwnNavigator"))
    {
        return *qobject_cast<KyWizardNavigator*>(
            design().add(QStringLiteral("KyComCtl.KyWizardNavigator"), name).control());
    }
    KyWizardNavigator& navigator_on(forms::Form& f, const QString& name = QStringLiteral("kwnNavigator"))
    {
        return *qobject_cast<KyWizardNavigator*>(f.site(name)->control());
    }
    static forms::CommandButton& button(const KyWizardNavigator& n, std::int32_t position)
    {
        return *n.button(position);
    }
    // The lefts of cmdLeft, cmdLeftMiddle, cmdRightMiddle and cmdRight, as "2540 3825 4945 6230".
    static QString lefts(const KyWizardNavigator& n)
    {
        QStringList out;
        for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position)
            out << QString::number(n.button(position)->Left());
        return out.join(u' ');
    }
};
