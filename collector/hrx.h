#pragma once
// HRX: turns failing HRESULTs into exceptions and HRESULTs into texts. Callers write each COM
// call's result into a local HRX and catch HRESULT around a block:
//   try { HRX hr; hr = obj->Call(); ... } catch (HRESULT failure) { ... }
// HRESULT is the 32-bit value of the COM boundary, so what is thrown is an int32_t.

#include "collector/ca_string.h"
#include "platform/win32/win_types.h"

template <typename T, int Flag>
class HRXBase {
public:
    HRXBase() = default;
    explicit HRXBase(T value) : m_value(value) {}
    operator T() const { return m_value; }

protected:
    T m_value = 0;
};

class HRX : public HRXBase<HRESULT, 1> {
public:
    HRX() = default;

    // Stores the value; a negative one is thrown as a bare HRESULT.
    HRX& operator=(HRESULT value);

    // Empty for 0; otherwise the system text of the code (with its final line break), or
    // empty when there is none. For facility 8 only the low 16 bits are looked up.
    static CAString GetErrorDescription(HRESULT hr);

    // Installs a COM error object whose description is `text` as the thread's error
    // information; FALSE at once for an empty text or when any step fails. Never throws.
    static BOOL SetErrorInfo(const CAString& text);
    static BOOL SetErrorInfo(HRESULT hr);
};
