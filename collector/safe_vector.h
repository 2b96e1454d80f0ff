#pragma once
// CSafeVector: a variant meant to hold a one-dimensional safe array, directly or by
// reference, or nothing. Reports by result, never throws.

#include "platform/com/safearray.h"
#include "platform/com/variant.h"

class CSafeVector {
public:
    CSafeVector();
    ~CSafeVector();
    CSafeVector(const CSafeVector&) = delete;
    CSafeVector& operator=(const CSafeVector&) = delete;

    // Count 0 clears the variant and gives false; else a new array held directly.
    bool CreateSimpleVector(VARTYPE type, ULONG count, LONG lower_bound);
    HRESULT Redim(ULONG count, LONG lower_bound);

    // The element count of the first dimension; 1 without an array; 0 when flagged as an
    // array but holding none.
    ULONG GetArraySize() const;
    LONG GetLBound() const;
    LONG GetUBound() const;
    SAFEARRAY* GetArrayPtr() const;
    bool IsArray() const;
    VARTYPE GetType() const;

    bool GetElem(LONG index, VARIANT* out) const;
    VARIANT GetElem(LONG index) const; // the caller clears it; empty on failure
    bool PutElem(LONG index, const VARIANT& value);

    // Moves the held variant into `out` (cleared first) and leaves this one empty.
    HRESULT Detach(VARIANT* out);

    // Copies `source` in (for reading an array given by the caller); the caller's array is
    // only copied, never taken over.
    HRESULT CopyFrom(const VARIANT& source);

    VARIANT& variant() { return m_var; }
    const VARIANT& variant() const { return m_var; }

private:
    VARIANT m_var;
};
