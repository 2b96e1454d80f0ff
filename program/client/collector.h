#pragma once
// CCollector: the program's driver of one collection without a window (CollectAndSave), and
// the conversions the wizard uses on fresh instances: the collector's result collection into
// the result model (Infos2domains), the results matrix and the INI text.

#include "program/client/collector_events.h"
#include "program/report/output_file.h"
#include "program/report/processed_domains.h"
#include "program/report/results_report.h"
#include "program/report/session_log.h"

#include "collector/ostrel_collector_lib.h"
#include "platform/com/atl/com_ptr.h"
#include "platform/com/connection_points.h"
#include "platform/com/variant.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

namespace program {

class CCollector {
public:
    CCollector();
    ~CCollector();
    CCollector(const CCollector&) = delete;
    CCollector& operator=(const CCollector&) = delete;

    // The whole headless run. The result is the process's exit status: 0 when the output
    // file was written (whatever the entries' results: failed entries are in its log);
    // 1 when the output file cannot be written (known before anything is counted) or the
    // results could not be converted or written; 2 when the names are refused or the
    // collection could not start. The reason is on standard error; no file is left.
    int CollectAndSave(const QString& sDomains, bool bExchange5, const QString& sFilename);

    // The result model of a run. Names are kept as shown (a password of host/user/password
    // removed). Errors of the collector's objects are raised to the caller.
    std::shared_ptr<ProcessedDomains> Infos2domains(IOstrelInfoCollection* infos, bool bExchange);

    // The results matrix; a failure gives nothing, its description on standard error.
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

    // Takes `names` as the run's names; false with the reason on standard error when there
    // are none or they are refused (entry_names_refusal).
    bool AcceptNames(const QStringList& names, bool fromCommandLine);

    CComPtr<IOstrelCollector> m_oxc;
    CComPtr<CCollectorEvents> m_events;
    CComPtr<IConnectionPoint> m_point;
    DWORD m_cookie = 0;

    bool m_bDone = false;
    HANDLE m_done = nullptr; // set with m_bDone; the wait serves the apartment meanwhile
    program::output_file m_file;
    QString m_sFileName;
    bool m_bExchange5 = false;
    SessionLog m_sLog;
    std::int32_t m_nErrors = 0;

    bool m_bWritten = false;
    QStringList m_names; // the run's names, so that no text shows their passwords
};

} // namespace program
