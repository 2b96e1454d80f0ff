#include "controls/wizard/frm_about.h"

#include "controls/library_info.h"
#include "controls/message_box.h"
#include "platform/win32/win_errors.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <array>
#include <cstring>

namespace {

constexpr DWORD value_buffer_chars = 1024;

QFrame* line_shape(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// The tool's full path, or empty when the registry names none that exists.
QString system_information_tool()
{
    QString path;
    if (frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                              QStringLiteral("PATH"), path))
        return path; // named outright: taken without a check that the file exists
    QString folder;
    if (!frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                               QStringLiteral("MSINFO"), folder))
        return {};
    const QString candidate = folder + QStringLiteral("/MSINFO32.EXE");
    return QFileInfo::exists(candidate) ? candidate : QString();
}

} // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + kycomctl::application_title());

    picIcon_ = new QLabel(this);
    picIcon_->setObjectName(QStringLiteral("picIcon"));
    picIcon_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    lblTitle_ = new QLabel(kycomctl::application_title(), this);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    lblVersion_ = new QLabel(QStringLiteral("Version %1.%2.%3")
                                 .arg(kycomctl::version_major)
                                 .arg(kycomctl::version_minor)
                                 .arg(kycomctl::version_revision),
                             this);
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    lblDescription_ = new QLabel(QStringLiteral("App Description"), this);
    lblDescription_->setObjectName(QStringLiteral("lblDescription"));
    lblDisclaimer_ = new QLabel(QStringLiteral("Warning: ..."), this);
    lblDisclaimer_->setObjectName(QStringLiteral("lblDisclaimer"));
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdSysInfo_ = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle_);
    texts->addWidget(lblVersion_);
    texts->addWidget(lblDescription_);
    auto* head = new QHBoxLayout;
    head->addWidget(picIcon_, 0, Qt::AlignTop);
    head->addLayout(texts, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdSysInfo_);
    auto* foot = new QHBoxLayout;
    foot->addWidget(lblDisclaimer_, 1);
    foot->addLayout(buttons);
    auto* all = new QVBoxLayout(this);
    all->addLayout(head);
    all->addWidget(line_shape(this));
    all->addWidget(line_shape(this));
    all->addLayout(foot);

    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

void frmAbout::StartSysInfo()
{
    const QString tool = system_information_tool();
    if (!tool.isEmpty() && QProcess::startDetached(tool, {}))
        return;
    kycomctl::show_message(QStringLiteral("System Information Is Unavailable At This Time"), kycomctl::vbOKOnly,
                           QString());
}

bool frmAbout::GetKeyValue(HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(KeyRoot, reinterpret_cast<LPCWSTR>(KeyName.utf16()), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }
    std::array<char16_t, value_buffer_chars> buffer{};
    DWORD type = REG_NONE;
    DWORD size = value_buffer_chars * sizeof(char16_t);
    if (RegQueryValueExW(key, reinterpret_cast<LPCWSTR>(SubKeyRef.utf16()), nullptr, &type,
                         reinterpret_cast<LPBYTE>(buffer.data()), &size) != ERROR_SUCCESS) {
        RegCloseKey(key);
        KeyVal.clear();
        return false;
    }
    if (type == REG_SZ) {
        qsizetype chars = static_cast<qsizetype>(size / sizeof(char16_t));
        if (chars > 0 && buffer[static_cast<std::size_t>(chars - 1)] == u'\0')
            --chars;
        KeyVal = QString::fromUtf16(buffer.data(), chars);
    } else if (type == REG_DWORD && size >= sizeof(DWORD)) {
        // The number itself, not a concatenation of unpadded byte digits (which would read
        // 0x0500 as 80).
        DWORD number = 0;
        std::memcpy(&number, buffer.data(), sizeof number);
        KeyVal = QString::number(number);
    }
    RegCloseKey(key);
    return true;
}

void ShowAboutBox(QWidget* owner)
{
    auto* box = new frmAbout(owner);
    box->setModal(true);
    box->exec();
    delete box;
}
