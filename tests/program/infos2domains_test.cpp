// The conversion of a result collection into the result model, on small in-process result
// objects shaped as the collector's (the collector's own objects drive the same code in the
// end-to-end runs).

#include "program/collector.h"

#include "platform/forms/vb_error.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

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
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

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

TEST(Infos2domains, ConvertsEveryEntryInOrderWithItsColumns)
{
    const auto results = infos::make({
        info::make(QStringLiteral("a.com"), {}, {{oxcUser, 10}, {oxcMailboxEnabledUser, 3}, {oxcMailEnabledUser, 4}}),
        info::make(QStringLiteral("A.COM"), QStringLiteral("failed\r\n"), {}),
        info::make(QString(), {}, {{oxcUser, 1}}),
        info::make(QStringLiteral("zero"), {}, {{oxcContact, 0}}),
    });
    CCollector collector;
    auto domains = collector.Infos2domains(results.p, false);
    ASSERT_EQ(domains->PropertyNames().size(), 17);
    ASSERT_EQ(domains->Count(), 3);  // the entry without a name is dropped

    auto first = domains->Item(1);
    EXPECT_EQ(first->DomainName.toStdString(), "a.com");
    EXPECT_TRUE(first->isCorrectlyProcessed);
    ASSERT_EQ(first->Props()->Count(), 16);
    EXPECT_EQ(first->Props()->Item(8)->value.toStdString(), "10");   // Users
    EXPECT_EQ(first->Props()->Item(13)->value.toStdString(), "3");   // Mailbox-enabled Users
    EXPECT_EQ(first->Props()->Item(14)->value.toStdString(), "4");   // Mail/Mailbox-enabled Users
    EXPECT_EQ(first->Props()->Item(1)->value.toStdString(), "-1");

    auto second = domains->Item(2);
    EXPECT_EQ(second->DomainName.toStdString(), "A.COM(1)");
    EXPECT_FALSE(second->isCorrectlyProcessed);
    EXPECT_EQ(second->StatusString.toStdString(), "failed\r\n");
    EXPECT_TRUE(domains->Item(3)->isCorrectlyProcessed);  // one 0 is data

    const auto matrix = collector.FillResultsMatrix(*domains);
    ASSERT_TRUE(matrix.has_value());
    EXPECT_EQ(matrix->size(), 4);  // header, a.com, zero, Total
}

TEST(Infos2domains, ExchangeEntriesHaveServersThenMailboxes)
{
    const auto results = infos::make(
        {info::make(QStringLiteral("Org"), {}, {{oxcExchange5Servers, 2}, {oxcExchange5Mailbox, 40}})});
    CCollector collector;
    auto domains = collector.Infos2domains(results.p, true);
    EXPECT_EQ(domains->PropertyNames().join(u'|').toStdString(), "Organization|Exchange Servers|Mailboxes");
    auto org = domains->Item(1);
    ASSERT_EQ(org->Props()->Count(), 2);
    EXPECT_EQ(org->Props()->Item(1)->value.toStdString(), "2");
    EXPECT_EQ(org->Props()->Item(2)->value.toStdString(), "40");
}

TEST(Infos2domains, AnEntrysPasswordIsNotKept)
{
    const QString name = QStringLiteral("dc1/admin/Secr3t");
    const auto results = infos::make(
        {info::make(name, QStringLiteral("error while connecting to LDAP server '") + name + QStringLiteral("': x\r\n"),
                  {{oxcUser, 5}})});
    CCollector collector;
    auto domains = collector.Infos2domains(results.p, false);
    auto entry = domains->Item(1);
    EXPECT_EQ(entry->DomainName.toStdString(), "dc1/admin");
    EXPECT_FALSE(entry->StatusString.contains(QStringLiteral("Secr3t")));
    const auto matrix = collector.FillResultsMatrix(*domains);
    ASSERT_TRUE(matrix.has_value());
    EXPECT_FALSE(collector.MakeINIString(*matrix).contains(QStringLiteral("Secr3t")));
}

TEST(Infos2domains, AnEmptyCollectionGivesTitlesOnlyAndNoCollectionIsError91)
{
    const auto results = infos::make({});
    CCollector collector;
    auto domains = collector.Infos2domains(results.p, false);
    EXPECT_EQ(domains->Count(), 0);
    EXPECT_EQ(domains->PropertyNames().size(), 17);
    try {
        collector.Infos2domains(nullptr, false);
        FAIL() << "no error";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), 91);
    }
}

} // namespace
