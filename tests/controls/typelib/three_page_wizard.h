#pragma once
// The form text of a wizard of three linked pages and a navigator, with `more` (further
// controls' Begin ... End blocks) between the pages and the navigator.

#include <QString>

inline QString three_page_wizard(const QString& more = {})
{
    QString text = QStringLiteral("OstrelForm 1\nBegin Form frmWizard\nCaption = String \"Wizard\"\n");
    for (int i = 1; i <= 3; ++i)
        text += QStringLiteral("Begin KyComCtl.KyWizardTab wtPage%1\n@Align = Long 1\nPageIndex = Long %1\n"
                               "PageBack = Long %2\nPageNext = Long %3\nEnd\n")
                    .arg(i)
                    .arg(i - 1)
                    .arg(i == 3 ? 0 : i + 1);
    return text + more + QStringLiteral("Begin KyComCtl.KyWizardNavigator kwnNavigator\n@Align = Long 2\nEnd\nEnd\n");
}
