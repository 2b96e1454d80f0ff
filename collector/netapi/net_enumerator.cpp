#include "collector/netapi/net_enumerator.h"

#include "collector/ca_string.h"
#include "collector/hrx.h"
#include "collector/safe_vector.h"
#include "platform/win32/win_errors.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr DWORD kInitialProviderNameLength = 32;
constexpr DWORD kLastErrorTextLength = 256;
constexpr std::size_t kErrorInfoMaxLength = 255;
constexpr DWORD kNoPage = 0xFFFFFFFFu;
constexpr DWORD kMachineAccounts = SV_TYPE_ALL;

// The next-index field of the last record of one page of display information.
DWORD next_index_of(DWORD level, const void* buffer, DWORD returned)
{
    const DWORD last = returned - 1;
    switch (level) {
    case 1: return static_cast<const NET_DISPLAY_USER*>(buffer)[last].usri1_next_index;
    case 2: return static_cast<const NET_DISPLAY_MACHINE*>(buffer)[last].usri2_next_index;
    default: return static_cast<const NET_DISPLAY_GROUP*>(buffer)[last].grpi3_next_index;
    }
}

} // namespace

CNetEnumerator::CNetEnumerator(net_platform& platform) : m_platform(platform) {}

CNetEnumerator::~CNetEnumerator() { CloseEnum(); }

void CNetEnumerator::CloseEnum()
{
    if (m_enum != nullptr) {
        m_platform.WNetCloseEnum(m_enum);
        m_enum = nullptr;
    }
}

DWORD CNetEnumerator::EnumerateDomains(VARIANT* domains)
{
    if (domains == nullptr)
        return ERROR_INVALID_PARAMETER;
    DWORD code = OpenEnum(nullptr);
    CSafeVector result;
    ULONG found = 0;
    while (code == NO_ERROR) {
        LPWSTR name = nullptr;
        DWORD display_type = 0;
        DWORD usage = 0;
        code = GetNextItem(name, display_type, usage);
        if (code == ERROR_NO_MORE_ITEMS) {
            code = NO_ERROR;
            break;
        }
        if (code != NO_ERROR)
            break;
        // A record without a name names no domain that could be counted.
        if (display_type != RESOURCEDISPLAYTYPE_DOMAIN || usage != RESOURCEUSAGE_CONTAINER || name == nullptr)
            continue;
        const bool grown = found == 0 ? result.CreateSimpleVector(VT_BSTR, 1, 0)
                                      : SUCCEEDED(result.Redim(found + 1, 0));
        CComVariant value(static_cast<const OLECHAR*>(name));
        if (!grown || value.vt != VT_BSTR || !result.PutElem(static_cast<LONG>(found), value)) {
            code = ERROR_NOT_ENOUGH_MEMORY;
            break;
        }
        ++found;
    }
    if (code == NO_ERROR && FAILED(result.Detach(domains)))
        code = ERROR_INVALID_PARAMETER;
    if (code != NO_ERROR)
        netErrorHandler(code);
    return code;
}

DWORD CNetEnumerator::getProviderName()
{
    DWORD size = kInitialProviderNameLength;
    for (;;) {
        m_provider.assign(size, 0);
        DWORD needed = size;
        const DWORD code = m_platform.WNetGetProviderNameW(WNNC_NET_LANMAN, m_provider.data(), &needed);
        // Grow only while the provider asks for more, so a provider that keeps answering
        // "more data" for the same size cannot keep us here.
        if (code != ERROR_MORE_DATA || needed <= size)
            return code;
        size = needed;
    }
}

DWORD CNetEnumerator::OpenEnum(LPWSTR local_name)
{
    const DWORD code = getProviderName();
    if (code != NO_ERROR)
        return code;

    // The provider's own node: the enumeration lists its top-level containers.
    NETRESOURCEW node{};
    node.dwScope = RESOURCE_GLOBALNET;
    node.dwType = RESOURCETYPE_ANY;
    node.dwUsage = RESOURCEUSAGE_CONTAINER;
    node.lpLocalName = local_name;
    node.lpProvider = m_provider.data();

    CloseEnum();
    HANDLE handle = nullptr;
    const DWORD opened = m_platform.WNetOpenEnumW(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, RESOURCEUSAGE_CONTAINER, &node,
                                                  &handle);
    if (opened != NO_ERROR)
        return opened;
    m_enum = handle;
    m_page.reset(new std::byte[page_size]());
    m_next = kNoPage;
    m_last = 0;
    return NO_ERROR;
}

DWORD CNetEnumerator::GetNextItem(LPWSTR& name, DWORD& display_type, DWORD& usage)
{
    if (m_next > m_last) {
        if (m_page == nullptr)
            return ERROR_INVALID_HANDLE;
        std::memset(m_page.get(), 0, page_size);
        DWORD count = 0xFFFFFFFFu;
        DWORD size = page_size;
        DWORD code = m_platform.WNetEnumResourceW(m_enum, &count, m_page.get(), &size);
        if (code == NO_ERROR && count == 0)
            code = ERROR_NO_MORE_ITEMS;
        if (code == ERROR_NO_MORE_ITEMS) {
            m_page.reset();
            CloseEnum();
            m_last = 0;
            m_next = kNoPage;
            return code;
        }
        if (code != NO_ERROR) {
            m_page.reset();
            m_last = 0;
            m_next = kNoPage;
            return code;
        }
        // Never read past the page, whatever count the provider claims.
        constexpr DWORD capacity = page_size / sizeof(NETRESOURCEW);
        m_last = (count < capacity ? count : capacity) - 1;
        m_next = 0;
    }
    const NETRESOURCEW& record = reinterpret_cast<const NETRESOURCEW*>(m_page.get())[m_next];
    display_type = record.dwDisplayType;
    usage = record.dwUsage;
    name = record.lpRemoteName;
    ++m_next;
    return NO_ERROR;
}

void CNetEnumerator::netErrorHandler(DWORD code)
{
    if (code != ERROR_EXTENDED_ERROR) {
        HRX::SetErrorInfo(HRESULT_FROM_WIN32(code));
        return;
    }
    DWORD provider_code = 0;
    std::array<WCHAR, kLastErrorTextLength> text{};
    std::array<WCHAR, kLastErrorTextLength> provider{};
    if (m_platform.WNetGetLastErrorW(&provider_code, text.data(), kLastErrorTextLength, provider.data(),
                                     kLastErrorTextLength) != NO_ERROR) {
        HRX::SetErrorInfo(CAString(u"Unknown error."));
        return;
    }
    CAString message;
    message.Format(u"%s failed with code %d;\n%s", provider.data(), static_cast<int>(provider_code), text.data());
    if (message.length() > kErrorInfoMaxLength)
        message = CAString(message.str().substr(0, kErrorInfoMaxLength).c_str());
    HRX::SetErrorInfo(message);
}

const WCHAR* CNetEnumerator::getBrowser(const std::u16string& domain)
{
    if (const auto cached = m_controllers.find(domain); cached != m_controllers.end()) {
        if (!cached->second.name.empty())
            return cached->second.name.data();
        // A count may have cleared the last error before it got here: without the lookup's
        // code again its failure would be reported without a reason.
        m_last_error = cached->second.failure;
        return nullptr;
    }

    controller_entry& entry = m_controllers[domain];
    // A name with a "/" is no domain but a whole host/user/password entry: looking it up
    // would send its password to the name service.
    if (domain.find(u'/') != std::u16string::npos) {
        entry.failure = m_last_error = ERROR_INVALID_DOMAINNAME;
        return nullptr;
    }
    LPBYTE buffer = nullptr;
    NET_API_STATUS code = m_platform.NetGetDCName(nullptr, domain.c_str(), &buffer);
    if (code == NERR_Success && buffer != nullptr) {
        const std::u16string_view name(reinterpret_cast<const WCHAR*>(buffer));
        if (!name.empty()) {
            entry.name.assign(name.begin(), name.end());
            entry.name.push_back(0);
        }
    }
    if (buffer != nullptr)
        m_platform.NetApiBufferFree(buffer);
    if (entry.name.empty()) {
        // A success without a name finds no controller either.
        entry.failure = m_last_error = code != NERR_Success ? code : NERR_DCNotFound;
        return nullptr;
    }
    return entry.name.data();
}

LONG CNetEnumerator::NetServerCount(const std::u16string& domain, DWORD server_type)
{
    if (server_type == kMachineAccounts)
        return queryDisplayInformationCount(domain, 2, nullptr);

    const WCHAR* controller = getBrowser(domain);
    if (controller == nullptr)
        return -1;
    LPBYTE buffer = nullptr;
    DWORD read = 0;
    DWORD total = 0;
    DWORD resume = 0;
    const NET_API_STATUS code = m_platform.NetServerEnum(controller, 101, &buffer, MAX_PREFERRED_LENGTH, &read, &total,
                                                         server_type, domain.c_str(), &resume);
    m_last_error = code;
    if (buffer != nullptr)
        m_platform.NetApiBufferFree(buffer);
    return code == NERR_Success ? static_cast<LONG>(total) : -1;
}

LONG CNetEnumerator::NetUserCount(const std::u16string& domain, LONG& enabled)
{
    return queryDisplayInformationCount(domain, 1, &enabled);
}

LONG CNetEnumerator::NetGroupCount(const std::u16string& domain, bool local)
{
    return local ? localGroupsCount(domain) : queryDisplayInformationCount(domain, 3, nullptr);
}

LONG CNetEnumerator::localGroupsCount(const std::u16string& domain)
{
    const WCHAR* controller = getBrowser(domain);
    if (controller == nullptr)
        return -1;
    LONG count = 0;
    DWORD_PTR resume = 0;
    NET_API_STATUS code = NERR_Success;
    do {
        LPBYTE buffer = nullptr;
        DWORD read = 0;
        DWORD total = 0;
        code = m_platform.NetLocalGroupEnum(controller, 0, &buffer, MAX_PREFERRED_LENGTH, &read, &total, &resume);
        if (buffer != nullptr)
            m_platform.NetApiBufferFree(buffer);
        if (code == ERROR_MORE_DATA && read == 0) {
            // "More" without a single entry would ask the same page for ever.
            m_last_error = code;
            return -1;
        }
        if (code != NERR_Success && code != ERROR_MORE_DATA) {
            m_last_error = code;
            return -1;
        }
        count += static_cast<LONG>(read);
    } while (code == ERROR_MORE_DATA);
    return count;
}

LONG CNetEnumerator::queryDisplayInformationCount(const std::u16string& domain, DWORD level, LONG* enabled)
{
    m_last_error = 0;
    const WCHAR* controller = getBrowser(domain);
    if (controller == nullptr)
        return -1;

    LONG total = 0;
    LONG enabled_tally = 0;
    DWORD index = 0;
    NET_API_STATUS code = NERR_Success;
    do {
        DWORD returned = 0;
        void* buffer = nullptr;
        code = m_platform.NetQueryDisplayInformation(controller, level, index, display_entries_per_call,
                                                     MAX_PREFERRED_LENGTH, &returned, &buffer);
        if ((code != NERR_Success && code != ERROR_MORE_DATA) || buffer == nullptr) {
            if (buffer != nullptr)
                m_platform.NetApiBufferFree(buffer);
            m_last_error = code != NERR_Success ? code : ERROR_ACCESS_DENIED;
            break;
        }
        total += static_cast<LONG>(returned);
        if (level == 1 && enabled != nullptr) {
            const auto* users = static_cast<const NET_DISPLAY_USER*>(buffer);
            for (DWORD i = 0; i < returned; ++i)
                if ((users[i].usri1_flags & UF_ACCOUNTDISABLE) == 0)
                    ++enabled_tally;
        }
        const DWORD next = returned > 0 ? next_index_of(level, buffer, returned) : index;
        m_platform.NetApiBufferFree(buffer);
        if (code == ERROR_MORE_DATA && next == index) {
            // "More" without moving on would read the same page for ever.
            m_last_error = code;
            break;
        }
        index = next;
    } while (code == ERROR_MORE_DATA);

    if (m_last_error != 0) {
        if (enabled != nullptr)
            *enabled = -1;
        return -1;
    }
    if (enabled != nullptr)
        *enabled = enabled_tally;
    return total;
}
