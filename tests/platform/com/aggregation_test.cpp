#include "platform/com/atl/com_object.h"
#include "platform/com/atl/com_ptr.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct IValue : IUnknown {
    virtual HRESULT get_Value(LONG* value) = 0;

protected:
    ~IValue() = default;
};

} // namespace
COM_DECLARE_IID(IValue, "5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0010");

namespace {

constexpr CLSID CLSID_Inner = com::make_guid("5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0011");
std::atomic<int> live_inner{0};

class CInner : public CComObjectRootEx<CComMultiThreadModel>, public CComCoClass<CInner, &CLSID_Inner>, public IValue {
public:
    BEGIN_COM_MAP(CInner)
    COM_INTERFACE_ENTRY(IValue)
    END_COM_MAP()
    HRESULT FinalConstruct()
    {
        ++live_inner;
        return S_OK;
    }
    void FinalRelease() { --live_inner; }
    HRESULT get_Value(LONG* value) override
    {
        *value = 42;
        return S_OK;
    }
};

class CSolo : public CComObjectRootEx<CComSingleThreadModel>, public CComCoClass<CSolo, &CLSID_Inner>, public IValue {
public:
    DECLARE_NOT_AGGREGATABLE(CSolo)
    BEGIN_COM_MAP(CSolo)
    COM_INTERFACE_ENTRY(IValue)
    END_COM_MAP()
    HRESULT get_Value(LONG* value) override
    {
        *value = 1;
        return S_OK;
    }
};

// An outer object that aggregates CInner and exposes its IValue as its own.
class outer_root : public CComObjectRootEx<CComMultiThreadModel>, public IUnknown {
public:
    outer_root() { InternalAddRef(); } // the test's own reference
    BEGIN_COM_MAP(outer_root)
    COM_INTERFACE_ENTRY(IUnknown)
    END_COM_MAP()
};

class outer_object final : public CComObjectStackEx<outer_root> {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IValue && inner)
            return inner->QueryInterface(riid, ppv);
        return CComObjectStackEx::QueryInterface(riid, ppv);
    }
    CComPtr<IUnknown> inner;
};

TEST(Aggregation, InnerDelegatesIdentityAndCountToOuter)
{
    {
        outer_object outer;
        ASSERT_EQ(CInner::_CreatorClass::CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)),
                  S_OK);
        EXPECT_EQ(live_inner.load(), 1);
        CComPtr<IValue> value;
        ASSERT_EQ(outer.QueryInterface(IID_IValue, reinterpret_cast<void**>(&value)), S_OK);
        EXPECT_EQ(outer.m_dwRef.load(), 2u);
        CComPtr<IUnknown> identity;
        ASSERT_EQ(value->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
        EXPECT_EQ(identity.p, static_cast<IUnknown*>(&outer));
        LONG v = 0;
        value->get_Value(&v);
        EXPECT_EQ(v, 42);
        identity.Release();
        value.Release();
        EXPECT_EQ(outer.m_dwRef.load(), 1u);
        outer.inner.Release();
    }
    EXPECT_EQ(live_inner.load(), 0);
}

TEST(Aggregation, RulesOfCreation)
{
    outer_object outer;
    void* p = nullptr;
    // With an outer object only IUnknown may be asked for.
    EXPECT_EQ(CInner::_CreatorClass::CreateInstance(&outer, IID_IValue, &p), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CSolo::_CreatorClass::CreateInstance(&outer, IID_IUnknown, &p), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(p, nullptr);
    CComPtr<IValue> plain;
    ASSERT_EQ(CInner::CreateInstance(&plain), S_OK);
    CComQIPtr<IValue> again(static_cast<IUnknown*>(plain.p));
    EXPECT_EQ(again.p, plain.p);
    CComPtr<IUnknown> unknown;
    EXPECT_EQ(plain->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&unknown)), E_NOINTERFACE);
}

TEST(Aggregation, PolyObjectIsItsOwnOuterWithoutOne)
{
    CComPolyObject<CInner>* poly = nullptr;
    ASSERT_EQ(CComPolyObject<CInner>::CreateInstance(nullptr, &poly), S_OK);
    poly->AddRef();
    CComPtr<IValue> value;
    ASSERT_EQ(poly->QueryInterface(IID_IValue, reinterpret_cast<void**>(&value)), S_OK);
    CComPtr<IUnknown> identity;
    value->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    EXPECT_EQ(identity.p, static_cast<IUnknown*>(poly));
    identity.Release();
    value.Release();
    poly->Release();
    EXPECT_EQ(live_inner.load(), 0);
}

} // namespace
