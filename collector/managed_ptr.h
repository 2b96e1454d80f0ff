#pragma once
// ManagedPtr: one counted COM interface pointer.

#include <utility>

template <typename I>
class ManagedPtr {
public:
    ManagedPtr() = default;
    ManagedPtr(I* p) : m_p(p)
    {
        if (m_p != nullptr)
            m_p->AddRef();
    }
    ManagedPtr(const ManagedPtr& other) : ManagedPtr(other.m_p) {}
    ~ManagedPtr() { Release(); }

    ManagedPtr& operator=(ManagedPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    void Release()
    {
        if (m_p != nullptr) {
            I* p = m_p;
            m_p = nullptr;
            p->Release();
        }
    }

    // Adopts a reference the caller already owns (no AddRef).
    void Attach(I* p)
    {
        Release();
        m_p = p;
    }
    I* Detach() { return std::exchange(m_p, nullptr); }

    // For out-parameters; used on an empty pointer.
    I** operator&() { return &m_p; }
    I* operator->() const { return m_p; }
    operator I*() const { return m_p; }
    I* get() const { return m_p; }

private:
    I* m_p = nullptr;
};
