#pragma once
// BSTR: a length-prefixed UTF-16 string. The 32-bit byte length sits just before the first
// character, and a NUL follows the last one. A null BSTR and an empty one are different
// values, though both have length 0.

#include "platform/com/ole_types.h"

#include <string>
#include <string_view>

BSTR SysAllocString(const OLECHAR* text);
// len characters; from text when it is not null, else zero-filled.
BSTR SysAllocStringLen(const OLECHAR* text, UINT len);
// len bytes (an odd count is allowed); from bytes when not null, else zero-filled.
BSTR SysAllocStringByteLen(const char* bytes, UINT len);
// Replace *target by a copy of text (which may point into *target). TRUE on success;
// on failure *target is unchanged.
INT SysReAllocString(BSTR* target, const OLECHAR* text);
INT SysReAllocStringLen(BSTR* target, const OLECHAR* text, UINT len);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);

namespace com {
// A new BSTR from UTF-8 / UTF-16 text (never null, also for empty text; null only when
// memory runs out).
BSTR bstr_from_utf8(std::string_view text);
BSTR bstr_from_utf16(std::u16string_view text);
// The characters of a BSTR (a null one is empty).
inline std::u16string_view bstr_view(BSTR text) { return {text, SysStringLen(text)}; }
std::string bstr_to_utf8(BSTR text);
} // namespace com

// Owns one BSTR (m_str, null at first).
class CComBSTR {
public:
    BSTR m_str = nullptr;

    CComBSTR() noexcept = default;
    CComBSTR(std::nullptr_t) noexcept {}
    CComBSTR(const OLECHAR* text) : m_str(SysAllocString(text)) {}
    CComBSTR(int len, const OLECHAR* text) : m_str(SysAllocStringLen(text, static_cast<UINT>(len))) {}
    explicit CComBSTR(std::u16string_view text) : m_str(com::bstr_from_utf16(text)) {}
    // The "ANSI" code page of this system is UTF-8.
    explicit CComBSTR(const char* utf8) : m_str(utf8 == nullptr ? nullptr : com::bstr_from_utf8(utf8)) {}
    CComBSTR(const CComBSTR& other) : m_str(other.Copy()) {}
    CComBSTR(CComBSTR&& other) noexcept : m_str(other.m_str) { other.m_str = nullptr; }
    ~CComBSTR() { SysFreeString(m_str); }

    CComBSTR& operator=(const CComBSTR& other);
    CComBSTR& operator=(CComBSTR&& other) noexcept;
    CComBSTR& operator=(const OLECHAR* text);

    operator BSTR() const noexcept { return m_str; }
    BSTR* operator&() noexcept { return &m_str; }
    bool operator!() const noexcept { return m_str == nullptr; }

    unsigned int Length() const noexcept { return SysStringLen(m_str); }
    unsigned int ByteLength() const noexcept { return SysStringByteLen(m_str); }
    BSTR Copy() const;
    HRESULT CopyTo(BSTR* out) const;
    void Attach(BSTR text) noexcept;
    BSTR Detach() noexcept;
    void Empty() noexcept;
    HRESULT Append(const OLECHAR* text, int len);
    HRESULT Append(const OLECHAR* text);
    HRESULT Append(const CComBSTR& text) { return Append(text.m_str, static_cast<int>(text.Length())); }
    HRESULT AppendBSTR(BSTR text) { return Append(text, static_cast<int>(SysStringLen(text))); }
    CComBSTR& operator+=(const CComBSTR& text);
    CComBSTR& operator+=(const OLECHAR* text);

    std::u16string_view view() const noexcept { return com::bstr_view(m_str); }
    std::string to_utf8() const { return com::bstr_to_utf8(m_str); }

    // Compares contents; two null strings are equal, and a null string equals an empty
    // one, as ATL compares them.
    bool operator==(const CComBSTR& other) const noexcept { return view() == other.view(); }
    bool operator==(const OLECHAR* text) const noexcept;
    bool operator==(std::nullptr_t) const noexcept { return m_str == nullptr; }
};
