#include "platform/forms/hosting/object_dispatch.h"

#include "platform/com/atl/com_ptr.h"
#include "platform/com/atl/com_object.h"
#include "platform/com/atl/connection_point.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/dispatch_bridge.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/hosting/user_control.h"

#include <QHash>
#include <QPointer>

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

// The dispatch of one value. For an object of a described class: its default interface by the
// class's DISPIDs, and one connection point for its event interface, whose sinks get every
// event of the object from the first Advise on.
class DispatchInterfaces : public CComObjectRootEx<CComSingleThreadModel>,
                           public IDispatch,
                           public IConnectionPointContainer,
                           public IFormsValue {
public:
    BEGIN_COM_MAP(DispatchInterfaces)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IConnectionPointContainer)
    COM_INTERFACE_ENTRY(IFormsValue)
    END_COM_MAP()

protected:
    ~DispatchInterfaces() = default;
};

class ObjectDispatchBase;

// The dispatch each live object has, so that every dispatch_of of one object gives the same
// IUnknown while any client holds it. Not owned: a dispatch leaves the table as it ends.
std::mutex& identities_lock()
{
    static std::mutex lock;
    return lock;
}

QHash<const QObject*, ObjectDispatchBase*>& identities()
{
    static QHash<const QObject*, ObjectDispatchBase*> table;
    return table;
}

class ObjectDispatchBase : public DispatchInterfaces, public IConnectionPointImpl<ObjectDispatchBase, nullptr> {
public:
    void init(QVariant value, std::shared_ptr<QObject> owned = {})
    {
        value_ = std::move(value);
        object_ = object_in(value_);
        owned_ = std::move(owned);
        key_ = object_.data();
        if (object_)
            cls_ = described_class(object_);
    }

    // The object this dispatch stands for while it lives (null once it has gone).
    QObject* object() const { return object_.data(); }

    void FinalRelease()
    {
        std::lock_guard guard(identities_lock());
        if (auto it = identities().find(key_); it != identities().end() && it.value() == this)
            identities().erase(it);
    }

    // The default interface is a dispatch interface; a class with no events has no
    // connection points to hand out.
    HRESULT _InternalQueryInterface(REFIID riid, void** ppv)
    {
        if (ppv != nullptr && cls_.interface != nullptr && riid != IID_IDispatch &&
            cls_.library->find_interface(riid) == cls_.interface)
            return DispatchInterfaces::_InternalQueryInterface(IID_IDispatch, ppv);
        if (ppv != nullptr && riid == IID_IConnectionPointContainer && cls_.events == nullptr) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        return DispatchInterfaces::_InternalQueryInterface(riid, ppv);
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
        if (ppEnum == nullptr)
            return E_POINTER;
        *ppEnum = new com::CConnectionPointEnumerator({connection_point()});
        return S_OK;
    }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override
    {
        if (ppCP == nullptr)
            return E_POINTER;
        *ppCP = nullptr;
        if (riid != outgoing_iid())
            return CONNECT_E_NOCONNECTION;
        if (!object_)
            return RPC_E_DISCONNECTED;
        *ppCP = connection_point();
        (*ppCP)->AddRef();
        return S_OK;
    }

    // The connection point's outgoing interface: the class's event interface.
    const IID& outgoing_iid() const { return cls_.events->iid; }

    // Before the first sink: every event of the event interface comes from the object's
    // signal of that name, for as long as this dispatch lives.
    HRESULT before_advise()
    {
        if (!object_)
            return RPC_E_DISCONNECTED;
        if (events_context_)
            return S_OK;
        auto context = std::make_unique<QObject>();
        for (const auto& event : cls_.events->members) {
            const com::tlb::member_desc* described = &event;
            try {
                connect_event(object_.data(), QString::fromStdU16String(event.name), context.get(),
                              [this, described](QVariantList& args) { fire(*described, args); });
            } catch (const VbError&) {
                return CONNECT_E_CANNOTCONNECT; // the class lacks an event its description lists
            }
        }
        events_context_ = std::move(context);
        return S_OK;
    }

    // An object that has gone is carried as nothing.
    QVariant carried() const override
    {
        if (value_.metaType().flags().testFlag(QMetaType::PointerToQObject) && !object_)
            return QVariant::fromValue<QObject*>(nullptr);
        return value_;
    }

protected:
    ~ObjectDispatchBase() = default;

private:
    // Each connected sink in turn; a sink may end its own or another's connection, or let go
    // of this dispatch, while it handles the event.
    void fire(const com::tlb::member_desc& event, QVariantList& args)
    {
        CComPtr<IUnknown> alive(GetUnknown());
        const int count = m_vec.GetSize();
        for (int i = 0; i < count; ++i) {
            Lock();
            CComPtr<IUnknown> sink(m_vec.GetAt(i));
            Unlock();
            if (CComQIPtr<IDispatch> dispatch{sink})
                raise_on_sink(dispatch, event, args);
        }
    }

    QVariant value_;
    QPointer<QObject> object_;
    std::shared_ptr<QObject> owned_; // an object a client created: it lives as long as this
    const QObject* key_ = nullptr;    // its entry in the identities, never dereferenced
    DescribedClass cls_;
    std::unique_ptr<QObject> events_context_; // the events' connections end with it
};

using ObjectDispatch = CComObject<ObjectDispatchBase>;

// One dispatch per object: the one it has, else a new one. A Font or a Picture is a value,
// carried by a dispatch of its own each time.
HRESULT dispatch_of_value(QVariant value, std::shared_ptr<QObject> owned, IDispatch** out)
{
    QObject* object = object_in(value);
    std::lock_guard guard(identities_lock());
    if (object != nullptr) {
        if (ObjectDispatchBase* known = identities().value(object); known != nullptr && known->object() == object) {
            known->GetUnknown()->AddRef();
            *out = static_cast<IDispatch*>(known);
            return S_OK;
        }
    }
    ObjectDispatch* made = nullptr;
    HRESULT hr = ObjectDispatch::CreateInstance(&made);
    if (FAILED(hr))
        return hr;
    made->init(std::move(value), std::move(owned));
    made->AddRef();
    if (object != nullptr)
        identities().insert(object, made); // replaces the dispatch of a gone object at this address
    *out = made;
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
    return dispatch_of_value(std::move(value), {}, out);
}

HRESULT dispatch_of_created(std::shared_ptr<QObject> object, IDispatch** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (!object)
        return E_INVALIDARG;
    QVariant value = QVariant::fromValue<QObject*>(object.get());
    return dispatch_of_value(std::move(value), std::move(object), out);
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

namespace {

// Objects cross the COM boundary (core/dispatch_bridge.h) by the dispatches made here from the
// moment this library is loaded: whoever holds a control or a public class has loaded it.
struct DispatcherGiven {
    DispatcherGiven() { set_object_dispatcher({&dispatch_of, &value_of_dispatch}); }
} const dispatcher_given;

} // namespace

} // namespace forms
