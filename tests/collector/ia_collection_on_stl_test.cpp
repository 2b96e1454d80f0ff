#include "collector/ia_collection_on_stl_base.h"
#include "collector/ostrel_collector_lib.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

// An item that only counts its references; the dispatch members are not exercised here.
class item final : public IOstrelInfo {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IOstrelInfo) {
            *out = static_cast<IOstrelInfo*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }
    HRESULT get_DomainName(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetInfo(oxcOstrelCounter, LONG*) override { return E_NOTIMPL; }
    HRESULT get_ErrorString(BSTR*) override { return E_NOTIMPL; }
    std::atomic<ULONG> refs{1};
};

// An object without the item interface.
class stranger final : public IUnknown {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
};

class collection final : public IACollectionOnSTLBase<IOstrelInfoCollection, IOstrelInfo> {
public:
    HRESULT QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }
    using IACollectionOnSTLBase::Add;
};

TEST(IACollectionOnSTLBase, ItemAndCountBounds)
{
    collection c;
    item a, b;
    IOstrelInfo* out = nullptr;
    LONG count = -1;
    EXPECT_EQ(c.get_Count(nullptr), E_POINTER);
    EXPECT_EQ(c.get_Item(0, &out), E_INVALIDARG); // empty
    ASSERT_EQ(c.Add(static_cast<IOstrelInfo*>(&a)), S_OK);
    ASSERT_EQ(c.Add(static_cast<IUnknown*>(&b)), S_OK);
    EXPECT_EQ(c.get_Count(&count), S_OK);
    EXPECT_EQ(count, 2);
    struct Case {
        LONG index;
        HRESULT expected;
    };
    for (const Case k : {Case{-1, E_INVALIDARG}, Case{2, E_INVALIDARG}, Case{0, S_OK}, Case{1, S_OK}}) {
        out = nullptr;
        EXPECT_EQ(c.get_Item(k.index, &out), k.expected) << k.index;
        if (out != nullptr)
            out->Release();
    }
    EXPECT_EQ(c.get_Item(0, nullptr), E_POINTER);
    c.get_Item(1, &out);
    EXPECT_EQ(out, &b);
    out->Release();
    EXPECT_EQ(a.refs, 2u); // the collection's own reference
}

TEST(IACollectionOnSTLBase, AddPutRemoveClear)
{
    collection c;
    item a, b, d;
    stranger s;
    EXPECT_EQ(c.Add(static_cast<IOstrelInfo*>(&a)), S_OK);
    EXPECT_EQ(c.Add(static_cast<IOstrelInfo*>(&a)), E_INVALIDARG); // the same pointer again
    // An object without the item interface is refused, not added as a null item.
    EXPECT_EQ(c.Add(static_cast<IUnknown*>(&s)), E_NOINTERFACE);
    EXPECT_EQ(c.Add(static_cast<IUnknown*>(nullptr)), E_POINTER);
    EXPECT_EQ(c.Add(static_cast<IOstrelInfo*>(nullptr)), E_POINTER);
    LONG count = 0;
    c.get_Count(&count);
    EXPECT_EQ(count, 1);

    EXPECT_EQ(c.put_Item(0, nullptr), E_POINTER);
    EXPECT_EQ(c.put_Item(1, &b), E_INVALIDARG);
    EXPECT_EQ(c.put_Item(0, &b), S_OK);
    EXPECT_EQ(a.refs, 1u); // the old reference released
    EXPECT_EQ(b.refs, 2u);

    c.Add(static_cast<IOstrelInfo*>(&d));
    EXPECT_EQ(c.Remove(2), E_INVALIDARG);
    EXPECT_EQ(c.Remove(0), S_OK);
    IOstrelInfo* out = nullptr;
    c.get_Item(0, &out);
    EXPECT_EQ(out, &d); // the later ones move up
    out->Release();
    EXPECT_EQ(c.Clear(), S_OK);
    c.get_Count(&count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(b.refs, 1u);
    EXPECT_EQ(d.refs, 1u);
}

} // namespace
