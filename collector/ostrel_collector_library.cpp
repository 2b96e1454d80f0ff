#include "collector/ostrel_collector_library.h"

#include "collector/ostrel_collector_lib.h"

const com::tlb::library_desc& ostrel_collector_library()
{
    using namespace com::tlb;
    constexpr USHORT retval = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
    static const library_desc library{
        LIBID_OSTRELCOLLECTORLib,
        u"OSTRELCOLLECTORLib",
        u"OstrelCollector 1.0 Type Library",
        1,
        0,
        {
            interface_desc{
                IID_IOstrelCollector,
                u"IOstrelCollector",
                u"IOstrelCollector Interface",
                true,
                {
                    method(1, u"EnumerateNetwork", u"method EnumerateNetwork", &IOstrelCollector::EnumerateNetwork,
                           {{u"pDomains", retval}}),
                    method(2, u"Collect", u"method Collect", &IOstrelCollector::Collect, {{u"pDomains"}, {u"flags"}}),
                    method(3, u"Cancel", u"method Cancel", &IOstrelCollector::Cancel),
                }},
            interface_desc{
                IID_IOstrelInfo,
                u"IOstrelInfo",
                u"IOstrelInfo Interface",
                true,
                {
                    property_get(1, u"DomainName", u"property DomainName", &IOstrelInfo::get_DomainName,
                                 {{u"pVal", retval}}),
                    method(2, u"GetInfo", u"method GetInfo", &IOstrelInfo::GetInfo, {{u"counter"}, {u"rv", retval}}),
                    property_get(3, u"ErrorString", u"property ErrorString", &IOstrelInfo::get_ErrorString,
                                 {{u"pVal", retval}}),
                }},
            interface_desc{IID_IOstrelInfoCollection,
                           u"IOstrelInfoCollection",
                           u"IOstrelInfoCollection Interface",
                           true,
                           {
                               property_get(1, u"Count", u"property Count", &IOstrelInfoCollection::get_Count,
                                            {{u"pVal", retval}}),
                               property_get(2, u"Item", u"property Item", &IOstrelInfoCollection::get_Item,
                                            {{u"index"}, {u"ppVal", retval}}),
                           }},
            interface_desc{
                DIID__IOstrelCollectorEvents,
                u"_IOstrelCollectorEvents",
                u"_IOstrelCollectorEvents Interface",
                false,
                {
                    event_method(1, u"CollectionCompleted", u"method CollectionCompleted",
                                 {{u"pInfos", PARAMFLAG_FIN, VT_DISPATCH}, {u"ErrorString", PARAMFLAG_FIN, VT_BSTR}}),
                    event_method(2, u"DomainCollected", u"method DomainCollected",
                                 {{u"sDomainName", PARAMFLAG_FIN, VT_BSTR}, {u"ErrorString", PARAMFLAG_FIN, VT_BSTR}}),
                }},
        },
        {
            enum_desc{u"oxcOstrelCounter",
                      u"",
                      {{u"oxcAll", oxcAll},
                       {u"oxcDC", oxcDC},
                       {u"oxcServer", oxcServer},
                       {u"oxcWorkstation", oxcWorkstation},
                       {u"oxcUnknownComputerType", oxcUnknownComputerType},
                       {u"oxcGlobalGroup", oxcGlobalGroup},
                       {u"oxcLocalGroup", oxcLocalGroup},
                       {u"oxcUser", oxcUser},
                       {u"oxcEnabledUser", oxcEnabledUser},
                       {u"oxcExchangeServer", oxcExchangeServer},
                       {u"oxcMailEnabledUser", oxcMailEnabledUser},
                       {u"oxcMailboxEnabledUser", oxcMailboxEnabledUser},
                       {u"oxcMailEnabledGroup", oxcMailEnabledGroup},
                       {u"oxcContact", oxcContact},
                       {u"oxcUniversalGroup", oxcUniversalGroup},
                       {u"oxcMSA", oxcMSA},
                       {u"oxcLyncEnabledUser", oxcLyncEnabledUser},
                       {u"oxcNetwork", oxcNetwork},
                       {u"oxcExchange5Servers", oxcExchange5Servers},
                       {u"oxcExchange5Mailbox", oxcExchange5Mailbox},
                       {u"oxcExchange5", oxcExchange5}}},
        },
        {
            coclass_desc{CLSID_OstrelCollector,
                         u"OstrelCollector",
                         u"OstrelCollector Class",
                         {{IID_IOstrelCollector, IMPLTYPEFLAG_FDEFAULT},
                          {DIID__IOstrelCollectorEvents, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}}},
            coclass_desc{
                CLSID_OstrelInfo, u"OstrelInfo", u"OstrelInfo Class", {{IID_IOstrelInfo, IMPLTYPEFLAG_FDEFAULT}}},
            coclass_desc{CLSID_OstrelInfoCollection,
                         u"OstrelInfoCollection",
                         u"OstrelInfoCollection Class",
                         {{IID_IOstrelInfoCollection, IMPLTYPEFLAG_FDEFAULT}}},
        },
    };
    return library;
}
