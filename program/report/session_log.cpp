#include "program/report/session_log.h"

#include "program/report/entry_name.h"
#include "program/report/program_strings.h"
#include "program/report/report_name.h"
#include "program/report/resources.h"

#include "platform/win32/visible_text.h"

#include <QLocale>

#include <clocale>
#include <ctime>
#include <locale.h>

namespace program {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The locale the user chose for dates and times, by the environment's precedence.
QByteArray time_locale_name()
{
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty())
            return value;
    }
    return QByteArray();
}

// A name as the log shows it: without its password, and with the characters that would break
// a line or forge a section (a server chooses the name in Exchange 5.5 mode) replaced visibly.
QString shown_name(const QString& name) { return program::ReportName(program::shown_entry_name(name)); }

// A text of lines from outside (the collector's error text, an error's description), each line
// made visible, so a CR or LF of a server's text inside one starts no line of the log.
QString shown_lines(const QString& text)
{
    return QString::fromStdU16String(win32::visible_lines(text.toStdU16String()));
}

} // namespace

void SessionLog::AddLogLine(const QString& text, bool bClear)
{
    if (bClear)
        m_sLog.clear();
    m_sLog += text + kCrLf;
}

QString SessionLog::FormatDate(const QDateTime& when)
{
    // The general date of the user's time locale (LC_ALL, LC_TIME, LANG): its short date, a
    // blank, its long time. The C locale and US English keep the form of the system's own
    // US English logs, M/d/yyyy h:mm:ss AM/PM, as does a locale that is not installed.
    const QByteArray name = time_locale_name();
    if (!name.isEmpty() && name != "C" && !name.startsWith("C.") && name != "POSIX" && !name.startsWith("en_US")) {
        if (const locale_t locale = newlocale(LC_TIME_MASK, name.constData(), locale_t(0))) {
            const std::time_t seconds = static_cast<std::time_t>(when.toSecsSinceEpoch());
            std::tm local{};
            localtime_r(&seconds, &local);
            char text[128];
            const std::size_t length = strftime_l(text, sizeof text, "%x %X", &local, locale);
            freelocale(locale);
            if (length > 0)
                return QString::fromUtf8(text, static_cast<qsizetype>(length));
        }
    }
    return QLocale::c().toString(when, QStringLiteral("M/d/yyyy h:mm:ss AP"));
}

QString SessionLog::Now() { return FormatDate(QDateTime::currentDateTime()); }

QString SessionLog::StartLine(const QString& now)
{
    return now + QStringLiteral(", ") + Resources::Shared().LoadString(IDS_LOG_START) + kCrLf;
}

QString SessionLog::SuccessLine(const QString& now, bool exchange5, const QString& name)
{
    return now + QStringLiteral(", Success:\t") +
           (exchange5 ? QStringLiteral("Organization ") : QStringLiteral("Domain ")) + shown_name(name) +
           QStringLiteral(" inspected successfully.");
}

QString SessionLog::FailureLine(const QString& now, bool exchange5, const QString& name, const QString& errorText)
{
    return now + QStringLiteral(", Error:\t") + (exchange5 ? QStringLiteral("Server ") : QStringLiteral("Domain ")) +
           shown_name(name) + QStringLiteral(". ") + kCrLf + shown_lines(program::hide_entry_password(errorText, name));
}

QString SessionLog::HandlerFailureLine(const QString& now, bool exchange5, const QString& name, std::int32_t number,
                                       const QString& description)
{
    return now + QStringLiteral(", Error:\t") + (exchange5 ? QStringLiteral("Server ") : QStringLiteral("Domain ")) +
           shown_name(name) + QStringLiteral(". ") + kCrLf + QStringLiteral("error number:") + QString::number(number) +
           QStringLiteral(" - ") + shown_lines(program::hide_entry_password(description, name));
}

QString SessionLog::CancelLine(const QString& now)
{
    return kCrLf + now + QStringLiteral(", ") + Resources::Shared().LoadString(IDS_LOG_CANCEL) + kCrLf;
}

QString SessionLog::EndLine(const QString& now)
{
    return kCrLf + now + QStringLiteral(", ") + Resources::Shared().LoadString(IDS_LOG_END);
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
    return QStringLiteral("An error occured: ") + shown_lines(description);
}

} // namespace program
