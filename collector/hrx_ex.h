#pragma once
// HRXEx: an HRX that throws itself, carrying the HRESULT, the thread's COM error information
// at the time of raising, the return address of the raising call and a context text.
//
// The four kinds of result are told apart by type (HRESULT and BOOL are both 32-bit ints
// here, unlike on the original platform):
//   HRESULT          fails when negative; takes the thread's error information
//   DWORD            a Win32 code, fails when nonzero -> HRESULT_FROM_WIN32
//   HRXEx::win32_bool  a BOOL, fails when FALSE and GetLastError() is nonzero
//   HANDLE           fails when null or INVALID_HANDLE_VALUE -> E_HANDLE, takes error info

#include "collector/hrx.h"
#include "platform/com/atl/com_ptr.h"
#include "platform/com/error_info.h"

#include <cstdint>
#include <memory>

class HRXEx : public HRX {
public:
    struct win32_bool {
        BOOL value;
    };

    HRXEx() = default;
    HRXEx(HRESULT hr);
    HRXEx(DWORD code);
    HRXEx(win32_bool result);
    HRXEx(HANDLE handle);
    HRXEx(const HRXEx& other);
    ~HRXEx() = default;

    HRXEx& operator=(HRESULT hr);
    HRXEx& operator=(DWORD code);
    HRXEx& operator=(win32_bool result);
    HRXEx& operator=(HANDLE handle);
    // Copies only when the two HRESULTs differ.
    HRXEx& operator=(const HRXEx& other);

    const WCHAR* get_context() const { return m_context ? m_context.get() : nullptr; }
    void set_context(const WCHAR* text);
    void clear_context() { m_context.reset(); }

    std::uintptr_t return_address() const { return m_return_address; }
    IErrorInfo* error_info() const { return m_error_info; }

private:
    void succeed(HRESULT value);
    [[noreturn]] void fail(HRESULT value, bool take_error_info, const void* return_address);

    std::uintptr_t m_return_address = 0;
    CComPtr<IErrorInfo> m_error_info;
    std::unique_ptr<WCHAR[]> m_context;
};
