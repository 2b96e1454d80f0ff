#pragma once
// Texts across the COM boundary: BSTR <-> QString (both UTF-16), and the owner of an
// interface pointer the program holds.

#include "platform/com/bstr.h"
#include "platform/com/unknown.h"

#include <QString>

#include <utility>

namespace program {

inline QString from_bstr(BSTR text)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), static_cast<qsizetype>(SysStringLen(text)));
}

// A new BSTR holding `text` (the caller frees it).
inline BSTR to_bstr(const QString& text)
{
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()), static_cast<UINT>(text.size()));
}

// Holds one reference to an interface and releases it at the end.
template <class I>
class com_ref {
public:
    com_ref() = default;
    explicit com_ref(I* p) : p_(p) {}  // takes over a reference
    com_ref(const com_ref&) = delete;
    com_ref& operator=(const com_ref&) = delete;
    com_ref(com_ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    com_ref& operator=(com_ref&& other) noexcept
    {
        reset(std::exchange(other.p_, nullptr));
        return *this;
    }
    ~com_ref() { reset(); }

    void reset(I* p = nullptr)
    {
        if (p_)
            p_->Release();
        p_ = p;
    }
    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // The slot an out parameter fills; releases what was held.
    I** put()
    {
        reset();
        return &p_;
    }

private:
    I* p_ = nullptr;
};

} // namespace program
