#include "program/session_log.h"

#include "program/entry_name.h"
#include "program/resources.h"

#include <QLocale>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kStartString = 133;
constexpr int kCancelString = 134;
constexpr int kEndString = 135;

} // namespace

void SessionLog::AddLogLine(const QString& text, bool bClear)
{
    if (bClear)
        m_sLog.clear();
    m_sLog += text + kCrLf;
}

QString SessionLog::FormatDate(const QDateTime& when)
{
    // A fixed form, the same on every machine, so that logs compare across runs.
    return QLocale::c().toString(when, QStringLiteral("M/d/yyyy h:mm:ss AP"));
}

QString SessionLog::Now()
{
    return FormatDate(QDateTime::currentDateTime());
}

QString SessionLog::StartLine(const QString& now)
{
    return now + QStringLiteral(", ") + Resources::Shared().LoadString(kStartString) + kCrLf;
}

QString SessionLog::SuccessLine(const QString& now, bool exchange5, const QString& name)
{
    return now + QStringLiteral(", Success:\t") + (exchange5 ? QStringLiteral("Organization ") : QStringLiteral("Domain ")) + entry_name::shown(name) +
           QStringLiteral(" inspected successfully.");
}

QString SessionLog::FailureLine(const QString& now, bool exchange5, const QString& name, const QString& errorText)
{
    return now + QStringLiteral(", Error:\t") + (exchange5 ? QStringLiteral("Server ") : QStringLiteral("Domain ")) + entry_name::shown(name) +
           QStringLiteral(". ") + kCrLf + entry_name::hide_password(errorText, name);
}

QString SessionLog::HandlerFailureLine(const QString& now, bool exchange5, const QString& name, std::int32_t number,
                                       const QString& description)
{
    return now + QStringLiteral(", Error:\t") + (exchange5 ? QStringLiteral("Server ") : QStringLiteral("Domain ")) + entry_name::shown(name) +
           QStringLiteral(". ") + kCrLf + QStringLiteral("error number:") + QString::number(number) + QStringLiteral(" - ") +
           entry_name::hide_password(description, name);
}

QString SessionLog::CancelLine(const QString& now)
{
    return kCrLf + now + QStringLiteral(", ") + Resources::Shared().LoadString(kCancelString) + kCrLf;
}

QString SessionLog::EndLine(const QString& now)
{
    return kCrLf + now + QStringLiteral(", ") + Resources::Shared().LoadString(kEndString);
}

QString SessionLog::ProcessedLine(std::int32_t count)
{
    return kCrLf + QStringLiteral("Processed:\t") + QString::number(count);
}

QString SessionLog::ErrorsLine(std::int32_t errors)
{
    return QStringLiteral("With errors:\t") + QString::number(errors) + kCrLf;
}

QString SessionLog::EndFailureLine(const QString& description)
{
    return QStringLiteral("An error occured: ") + description;
}
