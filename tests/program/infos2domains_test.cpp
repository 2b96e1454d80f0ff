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

// Holds the one reference a new fake starts with.
template <class I>
CComPtr<I> adopt(I* object)
{
    CComPtr<I> held;
    held.Attach(object);
    return held;
}

template <class I>
class dispatch_base : public I {
public:
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override
    {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == com::uuidof<IUnknown>() || riid == com::uuidof<IDispatch>() || riid == com::uuidof<I>()) {
            *ppv = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

protected:
    virtual ~dispatch_base() = default;

private:
    ULONG refs_ = 1;
};

class info final : public dispatch_base<IOstrelInfo> {
public:
    info(QString name, QString error, std::map<LONG, LONG> counts)
        : name_(std::move(name)), error_(std::move(error)), counts_(std::move(counts))
    {
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

class infos final : public dispatch_base<IOstrelInfoCollection> {
public:
    explicit infos(std::vector<info*> items) : items_(std::move(items)) {}
    ~infos() override
    {
        for (info* i : items_)
            i->Release();
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
        items_[static_cast<std::size_t>(index)]->AddRef();
        *ppVal = items_[static_cast<std::size_t>(index)];
        return S_OK;
    }

private:
    std::vector<info*> items_;
};

TEST(Infos2domains, ConvertsEveryEntryInOrderWithItsColumns)
{
    const auto results = adopt(new infos({
        new info(QStringLiteral("a.com"), {}, {{oxcUser, 10}, {oxcMailboxEnabledUser, 3}, {oxcMailEnabledUser, 4}}),
        new info(QStringLiteral("A.COM"), QStringLiteral("failed\r\n"), {}),
        new info(QString(), {}, {{oxcUser, 1}}),
        new info(QStringLiteral("zero"), {}, {{oxcContact, 0}}),
    }));
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
    const auto results = adopt(
        new infos({new info(QStringLiteral("Org"), {}, {{oxcExchange5Servers, 2}, {oxcExchange5Mailbox, 40}})}));
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
    const auto results = adopt(new infos(
        {new info(name, QStringLiteral("error while connecting to LDAP server '") + name + QStringLiteral("': x\r\n"),
                  {{oxcUser, 5}})}));
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
    const auto results = adopt(new infos({}));
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
