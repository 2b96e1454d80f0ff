#include "platform/forms/object_dispatch.h"

#include "platform/com/atl/com_ptr.h"
#include "platform/com/connection_points.h"
#include "platform/forms/control_site.h"
#include "platform/forms/dispatch_bridge.h"
#include "platform/forms/late_binding.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/user_control.h"

#include <QHash>
#include <QPointer>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

// What a dispatch made here carries, so that the runtime gets its own value back.
struct IFormsValue : IUnknown {
    virtual QVariant carried() const = 0;

protected:
    ~IFormsValue() = default;
};
COM_DECLARE_IID(IFormsValue, "9D3E6F0A-52B7-4C41-A8E3-6B0F7C2D9E14");

namespace forms {

namespace {

std::mutex& classes_lock()
{
    static std::mutex lock;
    return lock;
}

QHash<QString, DescribedClass>& classes()
{
    static QHash<QString, DescribedClass> table;
    return table;
}

const QObject* described_object(const QObject* object)
{
    if (const auto* site = qobject_cast<const ControlSite*>(object); site && site->control())
        return site->control();
    return object;
}

QObject* object_in(const QVariant& value)
{
    return value.metaType().flags().testFlag(QMetaType::PointerToQObject) ? value.value<QObject*>() : nullptr;
}

class ObjectDispatch;

// The connection point of a described class's source interface: each connected sink gets the
// class's events by the event interface's DISPIDs, as long as it stays connected.
class EventPoint final : public IConnectionPoint {
public:
    EventPoint(ObjectDispatch* owner, QObject* source, const DescribedClass& cls);

    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
            *ppv = static_cast<IConnectionPoint*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override
    {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT GetConnectionInterface(IID* pIID) override
    {
        if (pIID == nullptr)
            return E_POINTER;
        *pIID = cls_.events->iid;
        return S_OK;
    }
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override;
    HRESULT Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override;
    HRESULT Unadvise(DWORD dwCookie) override
    {
        auto it = connections_.find(dwCookie);
        if (it == connections_.end())
            return CONNECT_E_NOCONNECTION;
        connections_.erase(it); // the context ends, and with it every connection of the sink
        return S_OK;
    }
    HRESULT EnumConnections(IEnumConnections** ppEnum) override
    {
        if (ppEnum != nullptr)
            *ppEnum = nullptr;
        return E_NOTIMPL;
    }

private:
    ~EventPoint();

    std::atomic<ULONG> refs_{1};
    ObjectDispatch* owner_;
    QPointer<QObject> source_;
    DescribedClass cls_;
    DWORD next_cookie_ = 1;
    std::map<DWORD, std::unique_ptr<QObject>> connections_;
};

class ObjectDispatch final : public IDispatch, public IConnectionPointContainer, public IFormsValue {
public:
    explicit ObjectDispatch(QVariant value) : value_(std::move(value)), object_(object_in(value_))
    {
        if (object_)
            cls_ = described_class(object_);
    }

    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch)
            *ppv = static_cast<IDispatch*>(this);
        else if (riid == IID_IConnectionPointContainer && cls_.events != nullptr)
            *ppv = static_cast<IConnectionPointContainer*>(this);
        else if (riid == com::uuidof<IFormsValue>())
            *ppv = static_cast<IFormsValue*>(this);
        else if (cls_.interface != nullptr && cls_.library->find_interface(riid) == cls_.interface)
            *ppv = static_cast<IDispatch*>(this); // the default interface is a dispatch interface
        if (*ppv == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override
    {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo == nullptr)
            return E_POINTER;
        *pctinfo = cls_.interface != nullptr ? 1 : 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo == nullptr)
            return E_POINTER;
        *ppTInfo = nullptr;
        if (iTInfo != 0 || cls_.interface == nullptr)
            return DISP_E_BADINDEX;
        return com::tlb::create_type_info(*cls_.library, *cls_.interface, ppTInfo);
    }
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override
    {
        if (riid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        if (cls_.interface == nullptr) {
            for (UINT i = 0; rgDispId != nullptr && i < cNames; ++i)
                rgDispId[i] = DISPID_UNKNOWN;
            return DISP_E_UNKNOWNNAME;
        }
        return com::tlb::get_ids_of_names(*cls_.interface, rgszNames, cNames, rgDispId);
    }
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                   EXCEPINFO* pExcepInfo, UINT* puArgErr) override
    {
        if (riid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        if (cls_.interface == nullptr)
            return DISP_E_MEMBERNOTFOUND;
        if (!object_)
            return RPC_E_DISCONNECTED;
        return com::tlb::invoke(*cls_.interface, object_.data(), dispIdMember, wFlags, pDispParams, pVarResult,
                                pExcepInfo, puArgErr);
    }

    HRESULT EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override
    {
        if (ppEnum != nullptr)
            *ppEnum = nullptr;
        return E_NOTIMPL;
    }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override
    {
        if (ppCP == nullptr)
            return E_POINTER;
        *ppCP = nullptr;
        if (cls_.events == nullptr || riid != cls_.events->iid)
            return CONNECT_E_NOCONNECTION;
        if (!object_)
            return RPC_E_DISCONNECTED;
        *ppCP = new EventPoint(this, object_.data(), cls_);
        return S_OK;
    }

    // An object that has gone is carried as nothing.
    QVariant carried() const override
    {
        if (value_.metaType().flags().testFlag(QMetaType::PointerToQObject) && !object_)
            return QVariant::fromValue<QObject*>(nullptr);
        return value_;
    }

private:
    ~ObjectDispatch() = default;

    std::atomic<ULONG> refs_{1};
    QVariant value_;
    QPointer<QObject> object_;
    DescribedClass cls_;
};

EventPoint::EventPoint(ObjectDispatch* owner, QObject* source, const DescribedClass& cls)
    : owner_(owner), source_(source), cls_(cls)
{
    owner_->AddRef();
}

EventPoint::~EventPoint()
{
    connections_.clear();
    owner_->Release();
}

HRESULT EventPoint::GetConnectionPointContainer(IConnectionPointContainer** ppCPC)
{
    if (ppCPC == nullptr)
        return E_POINTER;
    return owner_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(ppCPC));
}

// Raises one event on the sink: the arguments in reverse order, those the event takes by
// reference as references to locals whose values go back to the raiser afterwards.
void raise_on_sink(IDispatch* sink, const com::tlb::member_desc& event, QVariantList& args)
{
    const std::size_t n = event.params.size();
    std::vector<CComVariant> locals(n);
    std::vector<VARIANT> passed(n);
    for (std::size_t k = 0; k < n; ++k) {
        const VARTYPE vt = event.params[k].vt;
        const VARTYPE base = static_cast<VARTYPE>(vt & ~VT_BYREF);
        if (k < static_cast<std::size_t>(args.size()))
            from_qvariant(args[static_cast<qsizetype>(k)], base, locals[k]);
        VARIANT& slot = passed[n - 1 - k];
        VariantInit(&slot);
        if ((vt & VT_BYREF) != 0) {
            if (locals[k].vt == VT_EMPTY && base != VT_VARIANT) {
                CComVariant empty;
                if (SUCCEEDED(VariantChangeType(&empty, &empty, 0, base)))
                    locals[k] = empty;
            }
            if (base == VT_VARIANT) {
                slot.vt = VT_VARIANT | VT_BYREF;
                slot.pvarVal = &locals[k];
            } else {
                slot.vt = static_cast<VARTYPE>(locals[k].vt | VT_BYREF);
                slot.byref = &locals[k].lVal; // the value's storage, whatever its type
            }
        } else {
            slot = locals[k]; // borrowed: the sink does not own its arguments
        }
    }
    DISPPARAMS params{n == 0 ? nullptr : passed.data(), nullptr, static_cast<UINT>(n), 0};
    sink->Invoke(event.dispid, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    for (std::size_t k = 0; k < n && k < static_cast<std::size_t>(args.size()); ++k) {
        if ((event.params[k].vt & VT_BYREF) == 0)
            continue;
        QVariant back;
        if (SUCCEEDED(to_qvariant(locals[k], back)))
            args[static_cast<qsizetype>(k)] = back;
    }
}

HRESULT EventPoint::Advise(IUnknown* pUnkSink, DWORD* pdwCookie)
{
    if (pUnkSink == nullptr || pdwCookie == nullptr)
        return E_POINTER;
    *pdwCookie = 0;
    CComQIPtr<IDispatch> sink(pUnkSink);
    if (!sink)
        return CONNECT_E_CANNOTCONNECT;
    if (!source_)
        return RPC_E_DISCONNECTED;
    auto context = std::make_unique<QObject>();
    for (const auto& event : cls_.events->members) {
        const QString name = QString::fromStdU16String(event.name);
        CComPtr<IDispatch> held(sink);
        const com::tlb::member_desc* described = &event;
        try {
            connect_event(source_.data(), name, context.get(),
                          [held, described](QVariantList& args) { raise_on_sink(held, *described, args); });
        } catch (const VbError&) {
            return CONNECT_E_CANNOTCONNECT; // the class lacks an event its description lists
        }
    }
    *pdwCookie = next_cookie_++;
    connections_.emplace(*pdwCookie, std::move(context));
    return S_OK;
}

} // namespace

void register_dispatch_library(const com::tlb::library_desc& library)
{
    com::tlb::register_library(library);
    std::lock_guard guard(classes_lock());
    for (const auto& cls : library.coclasses) {
        DescribedClass described{&library, nullptr, nullptr};
        for (const auto& implemented : cls.interfaces) {
            const auto* itf = library.find_interface(implemented.iid);
            if ((implemented.flags & IMPLTYPEFLAG_FSOURCE) != 0)
                described.events = itf;
            else if ((implemented.flags & IMPLTYPEFLAG_FDEFAULT) != 0)
                described.interface = itf;
        }
        classes().insert(QString::fromStdU16String(cls.name), described);
    }
}

DescribedClass described_class(const QObject* object)
{
    if (object == nullptr)
        return {};
    const QString name = QString::fromLatin1(described_object(object)->metaObject()->className());
    std::lock_guard guard(classes_lock());
    return classes().value(name);
}

HRESULT dispatch_of(const QVariant& object, IDispatch** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    QVariant value = object;
    if (QObject* o = object_in(value); o != nullptr) {
        if (auto* site = qobject_cast<ControlSite*>(o); site && site->control())
            value = QVariant::fromValue<QObject*>(site->control());
        else
            value = QVariant::fromValue<QObject*>(o);
    } else if (!value.metaType().flags().testFlag(QMetaType::PointerToQObject) &&
               value.typeId() != qMetaTypeId<FontRef>() && value.typeId() != qMetaTypeId<PictureRef>()) {
        return E_INVALIDARG;
    }
    if (value.metaType().flags().testFlag(QMetaType::PointerToQObject) && object_in(value) == nullptr)
        return S_OK; // Nothing: a null object
    *out = new ObjectDispatch(std::move(value));
    return S_OK;
}

bool value_of_dispatch(IUnknown* dispatch, QVariant& out)
{
    if (dispatch == nullptr)
        return false;
    CComQIPtr<IFormsValue> value(dispatch);
    if (!value)
        return false;
    out = value->carried();
    return true;
}

} // namespace forms
