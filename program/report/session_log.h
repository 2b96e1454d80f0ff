#pragma once
// The session log: the running text record of a program run, grown by appending a piece and
// CR LF, and the fixed texts of its lines. The wizard and the headless run write the same
// lines; names are shown as entry_name makes them (never with a password), and every text from
// outside (names, the collector's error texts, error descriptions) with the characters that
// would break a line or forge a section replaced visibly, as the report shows names.

#include <QDateTime>
#include <QString>

#include <cstdint>

namespace program {

class SessionLog {
public:
    // Appends `text` and CR LF; with `bClear` the log is emptied first.
    void AddLogLine(const QString& text, bool bClear = false);
    const QString& text() const { return m_sLog; }

    // The current local date and time as log lines show it: the short date, a blank and the
    // long time of the user's time locale (12/10/2026 9:05:03 AM under C and en_US,
    // 10.12.2026 09:05:03 under de_DE).
    static QString Now();
    static QString FormatDate(const QDateTime& when);

    // The pieces handed to AddLogLine, each for the time `now`.
    static QString StartLine(const QString& now);
    static QString SuccessLine(const QString& now, bool exchange5, const QString& name);
    static QString FailureLine(const QString& now, bool exchange5, const QString& name, const QString& errorText);
    static QString HandlerFailureLine(const QString& now, bool exchange5, const QString& name, std::int32_t number,
                                      const QString& description);
    static QString CancelLine(const QString& now);
    static QString EndLine(const QString& now);
    static QString ProcessedLine(std::int32_t count);
    static QString ErrorsLine(std::int32_t errors);
    static QString EndFailureLine(const QString& description);

private:
    QString m_sLog;
};

} // namespace program
