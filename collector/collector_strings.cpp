#include "collector/collector_strings.h"

namespace collector_strings {

namespace {

// Texts byte for byte as the collector shows and sends them. There are no strings 102 and 106.
constexpr win32::string_resource kTable[] = {
    {IDS_PROJNAME, u"OstrelCollector"},
    {IDS_TIMEOUT, u"Timeout expired"},
    {IDS_COLLECTION_FAILED, u"Collection of domain \"%s\" failed due to the following reason: %s"},
    {IDS_FILTER_USER, u"(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4.803:=512))"},
    {IDS_FILTER_ENABLED_USER, u"(&(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4."
                              u"803:=512)(!userAccountControl:1.2.840.113556.1.4.803:=2)))"},
    {IDS_FILTER_GLOBAL_GROUP, u"(&(objectCategory=group)(groupType:1.2.840.113556.1.4.804:=10))"},
    {IDS_FILTER_LOCAL_GROUP, u"(&(objectCategory=group)(groupType:1.2.840.113556.1.4.803:=4))"},
    {IDS_FILTER_WORKSTATION,
     u"(&(objectCategory=computer)(!(primaryGroupId=516))(operatingSystem=*)(!(operatingSystem=*Server*)))"},
    {IDS_FILTER_DC, u"(&(objectCategory=computer)(primaryGroupId=516))"},
    {IDS_FILTER_SERVER, u"(&(objectCategory=computer)(!(primaryGroupId=516))(operatingSystem=*Server*))"},
    {IDS_FILTER_EXCHANGE_SERVER, u"(objectCategory=msExchExchangeServer)"},
    {IDS_FILTER_MAIL_ENABLED_USER, u"(&(objectCategory=person)(objectClass=user)(mail=*))"},
    {IDS_FILTER_MAILBOX_ENABLED_USER,
     u"(&(mailnickname=*)(objectCategory=person)(objectClass=user)(|(homeMDB=*)(msExchHomeServerName=*)))"},
    {IDS_FILTER_MAIL_ENABLED_GROUP, u"(&(objectCategory=group)(mail=*))"},
    {IDS_FILTER_CONTACT, u"(&(objectCategory=person)(objectClass=contact)(mail=*))"},
    {IDS_FILTER_EXCHANGE5_SERVERS, u"(objectClass=Computer)"},
    {IDS_FILTER_EXCHANGE5_MAILBOX, u"(objectClass=organizationalPerson)"},
    {IDS_FILTER_ORGANIZATION, u"(objectClass=organization)"},
    {IDS_NO_EXCHANGE_ORGANIZATION, u"No Exchange Organization found on server "},
    {IDS_FILTER_UNKNOWN_COMPUTER, u"(&(objectCategory=computer)(!(primaryGroupId=516))(!(operatingSystem=*)))"},
    {IDS_FILTER_UNIVERSAL_GROUP, u"(&(objectCategory=group)(groupType:1.2.840.113556.1.4.803:=8))"},
    {IDS_FILTER_SERVER_BY_CN, u"(&(objectClass=Computer)(cn=%s))"},
    {IDS_FILTER_MSA, u"(&(objectCategory=msDS-ManagedServiceAccount)(objectClass=msDS-ManagedServiceAccount))"},
    {IDS_FILTER_LYNC_ENABLED_USER,
     u"(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4.803:=512)(!userAccountControl:"
     u"1.2.840.113556.1.4.803:=2)(msRTCSIP-UserEnabled=TRUE))"},
};

} // namespace

std::span<const win32::string_resource> entries() { return kTable; }

HINSTANCE module()
{
    static const HINSTANCE handle = win32::current_module();
    // Registered on first use rather than by a namespace-scope static, which the linker would
    // drop from a static library that nothing else references.
    static const win32::string_table_registration registration(handle, kTable);
    return handle;
}

} // namespace collector_strings
