#include "program/collector.h"

#include "program/collector_events.h"
#include "program/com_error.h"
#include "program/entry_name.h"
#include "program/output_file.h"
#include "program/resources.h"

#include "platform/com/apartment.h"
#include "platform/com/connection_points.h"
#include "platform/com/runtime.h"
#include "platform/com/safearray.h"
#include "platform/forms/vb_error.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// Owns the VARIANT of a name list.
struct variant_holder {
    VARIANT v;
    variant_holder() { VariantInit(&v); }
    ~variant_holder() { VariantClear(&v); }
    variant_holder(const variant_holder&) = delete;
    variant_holder& operator=(const variant_holder&) = delete;
};

// The names of /domain: as a one-dimensional array of strings from 0, split at every comma
// with nothing trimmed (an empty piece stays an empty name).
void names_variant(const QStringList& names, VARIANT& out)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(names.size()));
    if (!array)
        forms::raise(forms::vberr::OutOfMemory);
    for (LONG i = 0; i < static_cast<LONG>(names.size()); ++i) {
        BSTR name = program::to_bstr(names[i]);
        const HRESULT hr = SafeArrayPutElement(array, &i, name);
        SysFreeString(name);
        if (hr < 0) {
            SafeArrayDestroy(array);
            program::check(hr);
        }
    }
    out.vt = VT_ARRAY | VT_BSTR;
    out.parray = array;
}

// The names an enumeration returned, to keep their passwords out of every text.
QStringList names_of(const VARIANT& list)
{
    QStringList names;
    if (list.vt != (VT_ARRAY | VT_BSTR) || !list.parray || SafeArrayGetDim(list.parray) != 1)
        return names;
    LONG low = 0;
    LONG high = -1;
    SafeArrayGetLBound(list.parray, 1, &low);
    SafeArrayGetUBound(list.parray, 1, &high);
    for (LONG i = low; i <= high; ++i) {
        BSTR name = nullptr;
        if (SafeArrayGetElement(list.parray, &i, &name) >= 0)
            names.append(program::from_bstr(name));
        SysFreeString(name);
    }
    return names;
}

// The program's messages without a window go to standard error, one line each.
void to_stderr(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fprintf(stderr, "Ostrel: %s\n", lines.trimmed().toUtf8().constData());
    std::fflush(stderr);
}

// DoEvents of the wait loop: the calls the collector's thread queued to this apartment
// (its events) and the program's own pending events.
void do_events()
{
    com::serve_sta_queue();
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

} // namespace

CCollector::CCollector() = default;

CCollector::~CCollector()
{
    Disconnect();
}

void CCollector::AddLogLine(const QString& text, bool bClear)
{
    m_sLog.AddLogLine(text, bClear);
}

void CCollector::Connect()
{
    program::com_ref<IConnectionPointContainer> container;
    program::check(m_oxc->QueryInterface(container.put()));
    program::com_ref<IConnectionPoint> point;
    program::check(container->FindConnectionPoint(com::uuidof<_IOstrelCollectorEvents>(), point.put()));
    m_events = CCollectorEvents::Create(
        [this](const QString& name, const QString& errorText) { m_oxc_DomainCollected(name, errorText); },
        [this](IOstrelInfoCollection* infos, const QString& errorText) { m_oxc_CollectionCompleted(infos, errorText); });
    DWORD cookie = 0;
    const HRESULT hr = point->Advise(static_cast<_IOstrelCollectorEvents*>(m_events), &cookie);
    if (hr < 0) {
        m_events->Release();
        m_events = nullptr;
        program::check(hr);
    }
    m_cookie = cookie;
    m_point = point.get();
    m_point->AddRef();
}

void CCollector::Disconnect()
{
    if (m_point) {
        m_point->Unadvise(m_cookie);
        m_point->Release();
        m_point = nullptr;
    }
    if (m_events) {
        m_events->Detach();
        m_events->Release();
        m_events = nullptr;
    }
    // Cancel waits until the collector's worker thread has ended (serving this apartment
    // meanwhile). The worker holds a reference of its own while it raises the completion
    // event, so without this wait our Release would not be the last one, and the process
    // could end while the worker still runs. After a completed run Cancel changes nothing.
    if (m_oxc) {
        m_oxc->Cancel();
        m_oxc.reset();
    }
}

void CCollector::Fail(const QString& reason)
{
    QString text = reason;
    for (const QString& name : m_names)
        text = entry_name::hide_password(text, name);
    to_stderr(text);
}

int CCollector::CollectAndSave(const QString& sDomains, bool bExchange5, const QString& sFilename)
{
    // A failure before the collection starts has no log to go to: it ends the run with its
    // reason on standard error and no file.
    try {
        program::check(CoCreateInstance(CLSID_OstrelCollector, nullptr, CLSCTX_INPROC_SERVER,
                                        com::uuidof<IOstrelCollector>(), reinterpret_cast<void**>(m_oxc.put())));
        Connect();

        variant_holder names;
        if (sDomains.isEmpty()) {
            program::check(m_oxc->EnumerateNetwork(&names.v));
            m_names = names_of(names.v);
        } else {
            m_names = sDomains.split(u',');
            names_variant(m_names, names.v);
        }

        m_bDone = false;
        m_sFileName = sFilename;
        m_bExchange5 = bExchange5;
        AddLogLine(SessionLog::StartLine(SessionLog::Now()), true);
        m_nErrors = 0;

        program::check(m_oxc->Collect(&names.v, bExchange5 ? oxcExchange5 : oxcNetwork));
    } catch (const forms::VbError& error) {
        Fail(QStringLiteral("the collection could not start: ") + error.description());
        Disconnect();
        return 2;
    }

    while (!m_bDone) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        do_events();
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
        if (!program::write_output_file(m_sFileName, text, m_sLog.text(), reason)) {
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
}
