#pragma once
// frmAbout, the control library's About box. The About methods of the wizard controls show a
// freshly loaded box modally and let go of it when it closes (ShowAboutBox). From the box the
// user can start the system information tool named by the registry.

#include "platform/win32/registry.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner = nullptr);

    // Finds the system information tool and starts it; says "System Information Is
    // Unavailable At This Time" when there is none or it does not start.
    Q_INVOKABLE void StartSysInfo();

    // Reads one registry value into KeyVal: a string as it is, a 32-bit number as its decimal
    // text; another type leaves KeyVal as it was. The key is opened for reading only, so a
    // user without write access to the machine's keys still finds the tool. False (and
    // KeyVal "") when the key or the value cannot be read.
    static bool GetKeyValue(HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

private:
    QLabel* picIcon_;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* lblDescription_;
    QLabel* lblDisclaimer_;
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
};

// What the About methods do: show a new frmAbout modally over `owner`, then unload it.
void ShowAboutBox(QWidget* owner);
