#pragma once
// Result objects of the collector's shape for tests: an entry (IOstrelInfo) with its name,
// error text and counts, and a result collection of such entries.

#include "collector/ostrel_collector_lib.h"

#include "platform/com/atl/com_object.h"
#include "platform/com/atl/com_ptr.h"
#include "platform/com/bstr.h"

#include <QString>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace program_test {

// A result object of the collector's shape: the runtime's IUnknown (the COM map); the
// program calls it early bound, so its IDispatch answers nothing.
template <class I>
class dispatch_fake : public CComObjectRootEx<CComSingleThreadModel>, public I {
public:
    BEGIN_COM_MAP(dispatch_fake)
    COM_INTERFACE_ENTRY(I)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }

protected:
    template <class Fake>
    static CComPtr<Fake> create()
    {
        CComObject<Fake>* object = nullptr;
        EXPECT_EQ(CComObject<Fake>::CreateInstance(&object), S_OK);
        return CComPtr<Fake>(object);
    }
};

class info : public dispatch_fake<IOstrelInfo> {
public:
    static CComPtr<IOstrelInfo> make(QString name, QString error, std::map<LONG, LONG> counts)
    {
        auto object = create<info>();
        object->name_ = std::move(name);
        object->error_ = std::move(error);
        object->counts_ = std::move(counts);
        return CComPtr<IOstrelInfo>(object.p);
    }
    HRESULT get_DomainName(BSTR* pVal) override
    {
        *pVal = CComBSTR(name_.toStdU16String()).Detach();
        return S_OK;
    }
    HRESULT GetInfo(oxcOstrelCounter counter, LONG* rv) override
    {
        auto it = counts_.find(counter);
        *rv = it == counts_.end() ? -1 : it->second;
        return S_OK;
    }
    HRESULT get_ErrorString(BSTR* pVal) override
    {
        *pVal = CComBSTR(error_.toStdU16String()).Detach();
        return S_OK;
    }

private:
    QString name_, error_;
    std::map<LONG, LONG> counts_;
};

class infos : public dispatch_fake<IOstrelInfoCollection> {
public:
    static CComPtr<IOstrelInfoCollection> make(std::vector<CComPtr<IOstrelInfo>> items)
    {
        auto object = create<infos>();
        object->items_ = std::move(items);
        return CComPtr<IOstrelInfoCollection>(object.p);
    }
    HRESULT get_Count(LONG* pVal) override
    {
        *pVal = static_cast<LONG>(items_.size());
        return S_OK;
    }
    HRESULT get_Item(LONG index, IOstrelInfo** ppVal) override
    {
        if (index < 0 || index >= static_cast<LONG>(items_.size()))
            return E_INVALIDARG;
        return items_[static_cast<std::size_t>(index)].CopyTo(ppVal);
    }

private:
    std::vector<CComPtr<IOstrelInfo>> items_;
};

} // namespace program_test
