#include "program/client/collector.h"

#include "program/client/collector_calls.h"
#include "program/client/com_error.h"
#include "program/report/entry_name.h"
#include "program/report/output_file.h"
#include "program/report/resources.h"

#include "platform/com/apartment.h"
#include "platform/com/runtime.h"
#include "platform/com/safearray.h"
#include "platform/com/threading.h"
#include "platform/forms/core/vb_error.h"

#include <cstdio>

namespace program {

namespace {

// The program's messages without a window go to standard error, one line each.
void to_stderr(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fprintf(stderr, "Ostrel: %s\n", lines.trimmed().toUtf8().constData());
    std::fflush(stderr);
}

} // namespace

CCollector::CCollector() = default;

CCollector::~CCollector()
{
    Disconnect();
    if (m_done)
        CloseHandle(m_done);
}

void CCollector::AddLogLine(const QString& text, bool bClear) { m_sLog.AddLogLine(text, bClear); }

void CCollector::Connect()
{
    CComPtr<IConnectionPointContainer> container;
    program::check(m_oxc.QueryInterface(&container));
    CComPtr<IConnectionPoint> point;
    program::check(container->FindConnectionPoint(com::uuidof<_IOstrelCollectorEvents>(), &point));
    m_events = make_collector_events(
        [this](const QString& name, const QString& errorText) { m_oxc_DomainCollected(name, errorText); },
        [this](IOstrelInfoCollection* infos, const QString& errorText) {
            m_oxc_CollectionCompleted(infos, errorText);
        });
    if (!m_events)
        forms::raise(forms::vberr::OutOfMemory);
    DWORD cookie = 0;
    const HRESULT hr = point->Advise(m_events->GetUnknown(), &cookie);
    if (hr < 0) {
        m_events.Release();
        program::check(hr);
    }
    m_cookie = cookie;
    m_point = point;
}

void CCollector::Disconnect()
{
    if (m_point) {
        m_point->Unadvise(m_cookie);
        m_point.Release();
    }
    if (m_events) {
        m_events->Forward(nullptr, nullptr);
        m_events.Release();
    }
    // Cancel waits until the collector's worker thread has ended (serving this apartment
    // meanwhile). The worker holds a reference of its own while it raises the completion
    // event, so without this wait our Release would not be the last one, and the process
    // could end while the worker still runs. After a completed run Cancel changes nothing.
    if (m_oxc) {
        m_oxc->Cancel();
        m_oxc.Release();
    }
}

void CCollector::Fail(const QString& reason)
{
    QString text = reason;
    for (const QString& name : m_names)
        text = program::hide_entry_password(text, name);
    to_stderr(text);
}

bool CCollector::AcceptNames(const QStringList& names, bool fromCommandLine)
{
    if (names.isEmpty()) {
        Fail(QStringLiteral("no domain was found on the network; name the domains to count with "
                            "/domain:name[,name2...]."));
        return false;
    }
    const QString refused = program::entry_names_refusal(names, fromCommandLine);
    if (!refused.isEmpty()) {
        // Nothing of the names is repeated: the reason names the entry by its position.
        Fail(refused);
        return false;
    }
    m_names = names;
    return true;
}

int CCollector::CollectAndSave(const QString& sDomains, bool bExchange5, const QString& sFilename)
{
    // Whether the output file can be written is known before anything is counted; the file
    // itself is written only at the end.
    QString reason;
    if (!m_file.open(sFilename, reason)) {
        Fail(QStringLiteral("cannot write the output file \"") + sFilename + QStringLiteral("\": ") + reason);
        return 1;
    }
    // Names from the command line are checked before the collector exists: a refused list
    // reaches nobody.
    if (!sDomains.isEmpty() && !AcceptNames(sDomains.split(u','), true))
        return 2;

    // A failure before the collection starts has no log to go to: it ends the run with its
    // reason on standard error and no file.
    try {
        program::check(CoCreateInstance(CLSID_OstrelCollector, nullptr, CLSCTX_INPROC_SERVER,
                                        com::uuidof<IOstrelCollector>(), reinterpret_cast<void**>(&m_oxc)));
        Connect();

        CComVariant names;
        if (sDomains.isEmpty()) {
            try {
                program::check(m_oxc->EnumerateNetwork(&names));
            } catch (const forms::VbError& error) {
                Fail(QStringLiteral("no domain was found on the network (") + error.description() +
                     QStringLiteral("); name the domains to count with /domain:name[,name2...]."));
                Disconnect();
                return 2;
            }
            if (!AcceptNames(program::names_of(names), false)) {
                Disconnect();
                return 2;
            }
        } else {
            program::names_variant(m_names, names);
        }

        m_bDone = false;
        m_sFileName = sFilename;
        m_bExchange5 = bExchange5;
        AddLogLine(SessionLog::StartLine(SessionLog::Now()), true);
        m_nErrors = 0;

        m_done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!m_done)
            forms::raise(forms::vberr::OutOfMemory);
        program::check(m_oxc->Collect(&names, bExchange5 ? oxcExchange5 : oxcNetwork));
    } catch (const forms::VbError& error) {
        Fail(QStringLiteral("the collection could not start: ") + error.description());
        Disconnect();
        return 2;
    }

    // The collector's events arrive through this apartment's queue, which the wait serves;
    // the completion handler sets the event.
    while (!m_bDone) {
        DWORD index = 0;
        if (CoWaitForMultipleHandles(0, INFINITE, 1, &m_done, &index) < 0)
            break;
    }
    Disconnect();
    return m_bWritten ? 0 : 1;
}

void CCollector::m_oxc_DomainCollected(const QString& sDomainName, const QString& ErrorString)
{
    const QString now = SessionLog::Now();
    if (ErrorString.isEmpty()) {
        AddLogLine(SessionLog::SuccessLine(now, m_bExchange5, sDomainName));
    } else {
        AddLogLine(SessionLog::FailureLine(now, m_bExchange5, sDomainName, ErrorString));
        ++m_nErrors;
    }
}

void CCollector::m_oxc_CollectionCompleted(IOstrelInfoCollection* pInfos, const QString&)
{
    try {
        auto domains = Infos2domains(pInfos, m_bExchange5);
        AddLogLine(SessionLog::EndLine(SessionLog::Now()));
        LONG count = 0;
        program::check(pInfos->get_Count(&count));
        AddLogLine(SessionLog::ProcessedLine(count));
        AddLogLine(SessionLog::ErrorsLine(m_nErrors));

        const auto results = FillResultsMatrix(*domains);
        if (!results)
            forms::raise(forms::vberr::ObjectVariableNotSet);
        const QString text = MakeINIString(*results);

        QString reason;
        if (!m_file.commit(text, m_sLog.text(), reason)) {
            AddLogLine(reason);
            Fail(QStringLiteral("cannot write the output file \"") + m_sFileName + QStringLiteral("\": ") + reason);
        } else {
            m_bWritten = true;
        }
    } catch (const forms::VbError& error) {
        AddLogLine(error.description());
        Fail(QStringLiteral("the results could not be written: ") + error.description());
    } catch (const std::exception& error) {
        AddLogLine(QString::fromUtf8(error.what()));
        Fail(QStringLiteral("the results could not be written: ") + QString::fromUtf8(error.what()));
    }
    m_bDone = true;
    if (m_done)
        SetEvent(m_done);
}

} // namespace program
