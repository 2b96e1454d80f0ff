#pragma once
// CCollector: the program's driver of one collection without a window (CollectAndSave), and
// the conversions the wizard uses on fresh instances: the collector's result collection into
// the result model (Infos2domains), the results matrix and the INI text.

#include "program/com_text.h"
#include "program/processed_domains.h"
#include "program/results_report.h"
#include "program/session_log.h"

#include "collector/ostrel_collector_lib.h"
#include "platform/com/connection_points.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

class CCollectorEvents;

class CCollector {
public:
    CCollector();
    ~CCollector();
    CCollector(const CCollector&) = delete;
    CCollector& operator=(const CCollector&) = delete;

    // The whole headless run. The result is the process's exit status: 0 when the output
    // file was written (whatever the entries' results: failed entries are in its log),
    // otherwise non-zero, with the reason on standard error and no file.
    int CollectAndSave(const QString& sDomains, bool bExchange5, const QString& sFilename);

    // The result model of a run. Names are kept as shown (a password of host/user/password
    // removed). Errors of the collector's objects are raised to the caller.
    std::shared_ptr<ProcessedDomains> Infos2domains(IOstrelInfoCollection* infos, bool bExchange);

    // The results matrix; a failure shows its message box and gives nothing.
    std::optional<QStringList> FillResultsMatrix(ProcessedDomains& domains);
    QString MakeINIString(const QStringList& results);

    // The collector's events.
    void m_oxc_DomainCollected(const QString& sDomainName, const QString& ErrorString);
    void m_oxc_CollectionCompleted(IOstrelInfoCollection* pInfos, const QString& ErrorString);

    // The headless session log so far.
    const QString& Log() const { return m_sLog.text(); }

private:
    void AddLogLine(const QString& text, bool bClear = false);
    void Connect();
    void Disconnect();
    void Fail(const QString& reason);

    program::com_ref<IOstrelCollector> m_oxc;
    CCollectorEvents* m_events = nullptr;
    IConnectionPoint* m_point = nullptr;
    DWORD m_cookie = 0;

    bool m_bDone = false;
    QString m_sFileName;
    bool m_bExchange5 = false;
    SessionLog m_sLog;
    std::int32_t m_nErrors = 0;

    bool m_bWritten = false;
    QStringList m_names;  // the run's names, so that no text shows their passwords
};
