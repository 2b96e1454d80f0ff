#include "platform/com/bstr.h"

#include "platform/win32/text.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace {

// Layout of one allocation: [uint32 byte length][characters][two NUL bytes].
constexpr std::size_t prefix = sizeof(std::uint32_t);

std::uint32_t* header_of(BSTR text) { return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(text) - prefix); }

BSTR allocate_bytes(const void* source, UINT bytes)
{
    // An allocation that does not fit the 32-bit prefix is refused rather than truncated.
    if (bytes > std::numeric_limits<std::uint32_t>::max() - prefix - 2) {
        return nullptr;
    }
    // Rounded up to whole characters plus the NUL, so an odd byte count stays terminated.
    std::size_t total = prefix + bytes + 2 + (bytes & 1u);
    char* block = static_cast<char*>(std::malloc(total));
    if (block == nullptr) {
        return nullptr;
    }
    std::memset(block, 0, total);
    std::uint32_t length = bytes;
    std::memcpy(block, &length, prefix);
    if (source != nullptr && bytes != 0) {
        std::memcpy(block + prefix, source, bytes);
    }
    return reinterpret_cast<BSTR>(block + prefix);
}

std::size_t olestr_length(const OLECHAR* text)
{
    std::size_t n = 0;
    while (text[n] != 0) {
        ++n;
    }
    return n;
}

} // namespace

BSTR SysAllocString(const OLECHAR* text)
{
    if (text == nullptr)
        return nullptr;
    std::size_t len = olestr_length(text);
    if (len > std::numeric_limits<UINT>::max() / 2)
        return nullptr;
    return allocate_bytes(text, static_cast<UINT>(len * 2));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT len)
{
    if (len > std::numeric_limits<UINT>::max() / 2)
        return nullptr;
    return allocate_bytes(text, len * 2);
}

BSTR SysAllocStringByteLen(const char* bytes, UINT len) { return allocate_bytes(bytes, len); }

INT SysReAllocStringLen(BSTR* target, const OLECHAR* text, UINT len)
{
    if (target == nullptr)
        return FALSE;
    // text may point into *target: copy before freeing.
    BSTR fresh = SysAllocStringLen(text, len);
    if (fresh == nullptr)
        return FALSE;
    SysFreeString(*target);
    *target = fresh;
    return TRUE;
}

INT SysReAllocString(BSTR* target, const OLECHAR* text)
{
    if (target == nullptr)
        return FALSE;
    if (text == nullptr) {
        SysFreeString(*target);
        *target = nullptr;
        return TRUE;
    }
    std::size_t len = olestr_length(text);
    if (len > std::numeric_limits<UINT>::max() / 2)
        return FALSE;
    return SysReAllocStringLen(target, text, static_cast<UINT>(len));
}

void SysFreeString(BSTR text)
{
    if (text != nullptr) {
        std::free(header_of(text));
    }
}

UINT SysStringByteLen(BSTR text) { return text == nullptr ? 0 : *header_of(text); }

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / 2; }

namespace com {

BSTR bstr_from_utf16(std::u16string_view text)
{
    if (text.size() > std::numeric_limits<UINT>::max() / 2)
        return nullptr;
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

BSTR bstr_from_utf8(std::string_view text) { return bstr_from_utf16(win32::utf8_to_utf16(text)); }

std::string bstr_to_utf8(BSTR text) { return win32::utf16_to_utf8(bstr_view(text)); }

} // namespace com

CComBSTR& CComBSTR::operator=(const CComBSTR& other)
{
    if (this != std::addressof(other)) {
        BSTR copy = other.Copy();
        SysFreeString(m_str);
        m_str = copy;
    }
    return *this;
}

CComBSTR& CComBSTR::operator=(CComBSTR&& other) noexcept
{
    if (this != std::addressof(other)) {
        SysFreeString(m_str);
        m_str = other.m_str;
        other.m_str = nullptr;
    }
    return *this;
}

CComBSTR& CComBSTR::operator=(const OLECHAR* text)
{
    if (text != m_str) {
        BSTR copy = SysAllocString(text);
        SysFreeString(m_str);
        m_str = copy;
    }
    return *this;
}

BSTR CComBSTR::Copy() const
{
    if (m_str == nullptr)
        return nullptr;
    return SysAllocStringByteLen(reinterpret_cast<const char*>(m_str), SysStringByteLen(m_str));
}

HRESULT CComBSTR::CopyTo(BSTR* out) const
{
    if (out == nullptr)
        return E_POINTER;
    *out = Copy();
    if (*out == nullptr && m_str != nullptr)
        return E_OUTOFMEMORY;
    return S_OK;
}

void CComBSTR::Attach(BSTR text) noexcept
{
    if (text != m_str) {
        SysFreeString(m_str);
        m_str = text;
    }
}

BSTR CComBSTR::Detach() noexcept
{
    BSTR s = m_str;
    m_str = nullptr;
    return s;
}

void CComBSTR::Empty() noexcept
{
    SysFreeString(m_str);
    m_str = nullptr;
}

HRESULT CComBSTR::Append(const OLECHAR* text, int len)
{
    if (len < 0)
        return E_INVALIDARG;
    if (len == 0 && text == nullptr) {
        // Appending nothing to a null string still leaves a string, as ATL does.
        if (m_str == nullptr) {
            m_str = SysAllocStringLen(nullptr, 0);
            return m_str == nullptr ? E_OUTOFMEMORY : S_OK;
        }
        return S_OK;
    }
    std::u16string joined(view());
    joined.append(text, static_cast<std::size_t>(len));
    BSTR fresh = com::bstr_from_utf16(joined);
    if (fresh == nullptr)
        return E_OUTOFMEMORY;
    SysFreeString(m_str);
    m_str = fresh;
    return S_OK;
}

HRESULT CComBSTR::Append(const OLECHAR* text)
{
    if (text == nullptr)
        return Append(nullptr, 0);
    return Append(text, static_cast<int>(std::u16string_view(text).size()));
}

CComBSTR& CComBSTR::operator+=(const CComBSTR& text)
{
    Append(text);
    return *this;
}

CComBSTR& CComBSTR::operator+=(const OLECHAR* text)
{
    Append(text);
    return *this;
}

bool CComBSTR::operator==(const OLECHAR* text) const noexcept
{
    if (text == nullptr)
        return m_str == nullptr || Length() == 0;
    return view() == std::u16string_view(text);
}
