#include "collector/hrx_ex.h"

#include "platform/win32/last_error.h"
#include "platform/win32/win_errors.h"

#include <algorithm>

namespace {

HRESULT from_win32(DWORD code)
{
    // A code with its top bit set is already an HRESULT.
    if ((code & 0x80000000u) != 0)
        return static_cast<HRESULT>(code);
    return static_cast<HRESULT>(0x80070000u | (code & 0xFFFFu));
}

std::unique_ptr<WCHAR[]> duplicate(const WCHAR* text)
{
    if (text == nullptr)
        return nullptr;
    std::size_t length = 0;
    while (text[length] != u'\0')
        ++length;
    auto copy = std::make_unique<WCHAR[]>(length + 1);
    std::copy_n(text, length + 1, copy.get());
    return copy;
}

} // namespace

// The return address is read with the compiler's builtin, which is always safe to take; the
// original's probe of the stack page is not needed for that.
#define HRXEX_CALLER() __builtin_extract_return_addr(__builtin_return_address(0))

HRXEx::HRXEx(HRESULT hr) { *this = hr; }
HRXEx::HRXEx(DWORD code) { *this = code; }
HRXEx::HRXEx(win32_bool result) { *this = result; }
HRXEx::HRXEx(HANDLE handle) { *this = handle; }

HRXEx::HRXEx(const HRXEx& other)
    : HRX(other), m_return_address(other.m_return_address), m_error_info(other.m_error_info),
      m_context(duplicate(other.get_context()))
{
}

[[gnu::noinline]] HRXEx& HRXEx::operator=(HRESULT hr)
{
    if (hr >= 0)
        succeed(hr);
    else
        fail(hr, true, HRXEX_CALLER());
    return *this;
}

[[gnu::noinline]] HRXEx& HRXEx::operator=(DWORD code)
{
    if (code == 0)
        succeed(0);
    else
        fail(from_win32(code), false, HRXEX_CALLER());
    return *this;
}

[[gnu::noinline]] HRXEx& HRXEx::operator=(win32_bool result)
{
    if (result.value != FALSE) {
        succeed(0);
        return *this;
    }
    const DWORD code = GetLastError();
    if (code == 0)
        succeed(0);
    else
        fail(from_win32(code), false, HRXEX_CALLER());
    return *this;
}

[[gnu::noinline]] HRXEx& HRXEx::operator=(HANDLE handle)
{
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
        succeed(0);
    else
        fail(E_HANDLE, true, HRXEX_CALLER());
    return *this;
}

HRXEx& HRXEx::operator=(const HRXEx& other)
{
    if (this == &other || m_value == other.m_value)
        return *this;
    m_value = other.m_value;
    m_return_address = other.m_return_address;
    m_error_info = other.m_error_info;
    m_context = duplicate(other.get_context());
    return *this;
}

void HRXEx::set_context(const WCHAR* text) { m_context = duplicate(text); }

void HRXEx::succeed(HRESULT value)
{
    m_value = value;
    m_return_address = 0;
    m_context.reset();
}

void HRXEx::fail(HRESULT value, bool take_error_info, const void* return_address)
{
    m_value = value;
    m_error_info.Release();
    if (take_error_info) {
        IErrorInfo* info = nullptr;
        // Taking the thread's error information also clears it.
        if (GetErrorInfo(0, &info) == S_OK)
            m_error_info.Attach(info);
    }
    m_return_address = reinterpret_cast<std::uintptr_t>(return_address);
    throw HRXEx(*this);
}
