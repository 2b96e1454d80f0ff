#include "program/client/collector_events.h"

#include "platform/com/atl/type_library.h"

#include <QString>

namespace program {

namespace {

QString text_of(BSTR text) { return QString::fromStdU16String(std::u16string(text ? text : u"", SysStringLen(text))); }

// The program's description of the event interface; the arguments are converted by it
// (strings by value or by reference, the result collection asked for by QueryInterface).
const com::tlb::library_desc& program_library()
{
    using namespace com::tlb;
    static const library_desc library{
        LIBID_OstrelProgram,
        u"OstrelProgram",
        u"Ostrel program",
        1,
        0,
        {interface_desc{DIID__IOstrelCollectorEvents,
                        u"_IOstrelCollectorEvents",
                        u"_IOstrelCollectorEvents Interface",
                        true,
                        {
                            method(DISPID_CollectionCompleted, u"CollectionCompleted", u"method CollectionCompleted",
                                   &ICollectorEventsSink::CollectionCompleted, {{u"pInfos"}, {u"ErrorString"}}),
                            method(DISPID_DomainCollected, u"DomainCollected", u"method DomainCollected",
                                   &ICollectorEventsSink::DomainCollected, {{u"sDomainName"}, {u"ErrorString"}}),
                        }}},
        {},
        {},
    };
    return library;
}

template <class Call>
HRESULT forwarded(Call&& call)
{
    try {
        call();
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

} // namespace

HRESULT CCollectorEventsBase::CollectionCompleted(IOstrelInfoCollection* pInfos, BSTR ErrorString)
{
    return forwarded([&] {
        if (m_completed)
            m_completed(pInfos, text_of(ErrorString));
    });
}

HRESULT CCollectorEventsBase::DomainCollected(BSTR sDomainName, BSTR ErrorString)
{
    return forwarded([&] {
        if (m_domainCollected)
            m_domainCollected(text_of(sDomainName), text_of(ErrorString));
    });
}

void CCollectorEventsBase::Forward(DomainCollectedHandler domainCollected, CollectionCompletedHandler completed)
{
    m_domainCollected = std::move(domainCollected);
    m_completed = std::move(completed);
}

CComPtr<CCollectorEvents> make_collector_events(CCollectorEventsBase::DomainCollectedHandler domainCollected,
                                                CCollectorEventsBase::CollectionCompletedHandler completed)
{
    static const bool registered = (com::tlb::register_library(program_library()), true);
    (void)registered;
    CCollectorEvents* object = nullptr;
    if (CCollectorEvents::CreateInstance(&object) < 0)
        return nullptr;
    CComPtr<CCollectorEvents> sink(object);
    sink->Forward(std::move(domainCollected), std::move(completed));
    return sink;
}

} // namespace program
