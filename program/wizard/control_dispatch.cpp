#include "program/wizard/control_dispatch.h"

#include "platform/com/atl/com_object.h"
#include "platform/com/error_info.h"
#include "platform/forms/core/dispatch_bridge.h"
#include "platform/forms/hosting/object_dispatch.h"
#include "platform/forms/core/vb_error.h"

#include <cstring>
#include <utility>
#include <vector>

namespace program {

namespace {

DispatchTrace& trace()
{
    static DispatchTrace current;
    return current;
}

void note(DispatchStep::Kind kind, const QString& member, DISPID id, WORD flags = 0)
{
    if (trace())
        trace()(DispatchStep{kind, member, id, flags});
}

// The program's contract with the control library: the members it calls of each interface,
// by their published DISPIDs. A call goes by the constant; no name is ever looked up at the
// control or in its type information (a description that lost a name leaves the program's
// calls working, and no call depends on which came first).
constexpr GUID kNavigator = com::make_guid("0679F701-5F06-4ACA-A8CD-19029CCBE5F3");
constexpr GUID kNavigatorEvents = com::make_guid("A63F1204-DF9D-4F58-8C9D-2B497B6C102C");
constexpr GUID kPage = com::make_guid("8FB925E2-1DEB-46C6-A753-3124723A0BD3");
constexpr GUID kPageRegistry = com::make_guid("53BE86AE-D956-4393-A69E-14C048E30242");
constexpr GUID kPageProxy = com::make_guid("E9274905-ABC4-4569-B341-CA6AC0EFF632");
constexpr GUID kProgressBar = com::make_guid("4C687FE1-9014-4F79-9884-BD2648CA9AB7");
constexpr GUID kProgressInfo = com::make_guid("E0A62450-A21A-47AA-B1AE-EFDAB4936586");

struct ContractMember {
    const GUID& iid;
    const char* name;
    DISPID id;
};

constexpr ContractMember kContract[] = {
    {kNavigator, "WizardPages", 0x68030056},
    {kNavigator, "CurrentPage", 0x6803003E},
    {kNavigator, "GoToNewPage", 0x60030068},
    {kNavigator, "RightMiddleButtonEnabled", 0x6803004E},
    {kNavigator, "ImageWaterMark", 0x6803003A},
    {kNavigator, "ImageBanner", 0x6803003C},
    {kNavigator, "ImageWaterMarkBig", 0x68030039},
    {kNavigator, "ImageBannerBig", 0x6803003B},
    {kNavigator, "DefaultButton", 0x6803002D},
    {kNavigator, "SetFocusOnButton", 0x600300A8},
    {kNavigatorEvents, "BeforePageChange", 1},
    {kNavigatorEvents, "AfterPageChange", 2},
    {kNavigatorEvents, "FinishClick", 3},
    {kNavigatorEvents, "CancelClick", 4},
    {kPage, "BannerTitle", 0x6803007B},
    {kPage, "BannerDescription", 0x6803007E},
    {kPage, "WatermarkTitle", 0x68030072},
    {kPage, "WatermarkDescription", 0x68030078},
    {kPageRegistry, "Item", DISPID_VALUE},
    {kPageProxy, "Name", 0x6803000F},
    {kProgressBar, "Value", 0x6803000F},
    {kProgressBar, "Max", 0x6803000D},
    {kProgressInfo, "Image", 0x6803002E},
    {kProgressInfo, "Description", 0x6803002D},
    {kProgressInfo, "StepDescription0", 0x6803002C},
    {kProgressInfo, "Progress", 0x68030026},
    {kProgressInfo, "ProgressMax", 0x68030025},
    {kProgressInfo, "StepState", 0x68030024},
    {kProgressInfo, "Total", 0x68030023},
    {kProgressInfo, "Processed", 0x68030022},
    {kProgressInfo, "Errors", 0x68030021},
};

// The member's DISPID by the contract; 438 for one the program has no contract for.
DISPID contract_dispid(const GUID& iid, const char* member)
{
    for (const ContractMember& m : kContract) {
        if (m.iid == iid && std::strcmp(m.name, member) == 0)
            return m.id;
    }
    forms::raise(forms::vberr::MemberNotSupported);
}

[[noreturn]] void raise_failure(HRESULT hr) { throw forms::error_of(hr); }

GUID interface_of(ITypeInfo* type)
{
    TYPEATTR* attr = nullptr;
    if (FAILED(type->GetTypeAttr(&attr)) || attr == nullptr)
        forms::raise(430);
    const GUID iid = attr->guid;
    type->ReleaseTypeAttr(attr);
    return iid;
}

// The value an event argument refers to, replaced by `value` converted to its type.
HRESULT write_back(VARIANT& arg, const QVariant& value)
{
    const VARTYPE base = static_cast<VARTYPE>(arg.vt & ~VT_BYREF);
    if (base == VT_VARIANT) {
        CComVariant converted;
        HRESULT hr = forms::from_qvariant(value, VT_VARIANT, converted);
        return FAILED(hr) ? hr : VariantCopy(arg.pvarVal, &converted);
    }
    CComVariant converted;
    HRESULT hr = forms::from_qvariant(value, base, converted);
    if (FAILED(hr))
        return hr;
    switch (base) {
    case VT_BOOL: *arg.pboolVal = converted.boolVal; return S_OK;
    case VT_I2: *arg.piVal = converted.iVal; return S_OK;
    case VT_I4: *arg.plVal = converted.lVal; return S_OK;
    case VT_R4: *arg.pfltVal = converted.fltVal; return S_OK;
    case VT_R8: *arg.pdblVal = converted.dblVal; return S_OK;
    case VT_BSTR:
        SysFreeString(*arg.pbstrVal);
        *arg.pbstrVal = converted.bstrVal;
        converted.vt = VT_EMPTY; // now the raiser's
        return S_OK;
    case VT_DISPATCH:
        if (*arg.ppdispVal != nullptr)
            (*arg.ppdispVal)->Release();
        *arg.ppdispVal = converted.vt == VT_DISPATCH ? converted.pdispVal : nullptr;
        converted.vt = VT_EMPTY;
        return S_OK;
    default: return DISP_E_TYPEMISMATCH;
    }
}

// The sink of one event: it answers the event interface and hands the event with that DISPID
// to its handler.
class EventSinkInterfaces : public CComObjectRootEx<CComSingleThreadModel>, public IDispatch {
public:
    BEGIN_COM_MAP(EventSinkInterfaces)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

protected:
    ~EventSinkInterfaces() = default;
};

class EventSinkBase : public EventSinkInterfaces {
public:
    void init(const IID& events, DISPID id, forms::EventHandler handler)
    {
        events_ = events;
        id_ = id;
        handler_ = std::move(handler);
    }

    // The event interface is a dispatch interface.
    HRESULT _InternalQueryInterface(REFIID riid, void** ppv)
    {
        return EventSinkInterfaces::_InternalQueryInterface(riid == events_ ? IID_IDispatch : riid, ppv);
    }

    HRESULT GetTypeInfoCount(UINT* count) override
    {
        if (count == nullptr)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info != nullptr)
            *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (id != id_)
            return S_OK; // another event of the interface: this sink does not handle it
        if (params == nullptr)
            return E_POINTER;
        QVariantList args;
        for (UINT k = params->cArgs; k-- > 0;) { // DISPPARAMS holds them in reverse
            QVariant value;
            HRESULT hr = forms::to_qvariant(params->rgvarg[k], value);
            if (FAILED(hr))
                return hr;
            args.push_back(value);
        }
        try {
            handler_(args);
        } catch (const forms::VbError& error) {
            return forms::hresult_of(error);
        }
        for (UINT i = 0; i < params->cArgs && i < static_cast<UINT>(args.size()); ++i) {
            VARIANT& arg = params->rgvarg[params->cArgs - 1 - i];
            if ((arg.vt & VT_BYREF) != 0) {
                if (HRESULT hr = write_back(arg, args[static_cast<qsizetype>(i)]); FAILED(hr))
                    return hr;
            }
        }
        return S_OK;
    }

protected:
    ~EventSinkBase() = default;

private:
    IID events_{};
    DISPID id_ = DISPID_UNKNOWN;
    forms::EventHandler handler_;
};

using EventSink = CComObject<EventSinkBase>;

} // namespace

DispatchTrace set_dispatch_trace(DispatchTrace replacement) { return std::exchange(trace(), std::move(replacement)); }

EventConnection::EventConnection(CComPtr<IConnectionPoint> point, DWORD cookie)
    : point_(std::move(point)), cookie_(cookie)
{
}

EventConnection::EventConnection(EventConnection&& other) noexcept
    : point_(std::move(other.point_)), cookie_(std::exchange(other.cookie_, 0))
{
}

EventConnection& EventConnection::operator=(EventConnection&& other) noexcept
{
    if (this != &other) {
        disconnect();
        point_ = std::move(other.point_);
        cookie_ = std::exchange(other.cookie_, 0);
    }
    return *this;
}

EventConnection::~EventConnection() { disconnect(); }

void EventConnection::disconnect()
{
    if (point_ && cookie_ != 0)
        point_->Unadvise(cookie_);
    cookie_ = 0;
    point_.Release();
}

void ControlDispatch::bind() const
{
    if (type_)
        return;
    if (object_.isNull())
        forms::raise(forms::vberr::ObjectVariableNotSet);
    CComPtr<IDispatch> dispatch;
    CComPtr<ITypeInfo> type;
    if (FAILED(forms::dispatch_of(QVariant::fromValue<QObject*>(object_.data()), &dispatch)) || !dispatch ||
        FAILED(dispatch->GetTypeInfo(0, 0, &type)) || !type)
        forms::raise(430, QString(), QStringLiteral("Class does not support Automation"));
    iid_ = interface_of(type);
    dispatch_ = std::move(dispatch);
    type_ = std::move(type);
}

QVariant ControlDispatch::invoke(const char* member, WORD flags, const QVariantList& args) const
{
    bind();
    const DISPID id = contract_dispid(iid_, member);
    std::vector<CComVariant> values(static_cast<std::size_t>(args.size()));
    for (qsizetype i = 0; i < args.size(); ++i) {
        // DISPPARAMS holds the arguments in reverse.
        if (HRESULT hr = forms::from_qvariant(args[i], VT_EMPTY,
                                              values[values.size() - 1 - static_cast<std::size_t>(i)]);
            FAILED(hr))
            raise_failure(hr);
    }
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPPARAMS params{values.empty() ? nullptr : values.data(), put ? &named : nullptr,
                      static_cast<UINT>(values.size()), put ? 1u : 0u};
    note(DispatchStep::Invoke, QString::fromLatin1(member), id, flags);
    SetErrorInfo(0, nullptr); // what a failure leaves is this call's
    CComVariant result;
    if (HRESULT hr = dispatch_->Invoke(id, IID_NULL, 0, flags, &params, put ? nullptr : &result, nullptr, nullptr);
        FAILED(hr))
        raise_failure(hr);
    QVariant value;
    if (HRESULT hr = forms::to_qvariant(result, value); FAILED(hr))
        raise_failure(hr);
    return value;
}

QVariant ControlDispatch::get(const char* member, const QVariantList& args) const
{
    return invoke(member, DISPATCH_PROPERTYGET, args);
}

void ControlDispatch::let(const char* member, const QVariant& value, const QVariantList& index) const
{
    invoke(member, DISPATCH_PROPERTYPUT, index + QVariantList{value});
}

void ControlDispatch::set(const char* member, const QVariant& object) const
{
    invoke(member, DISPATCH_PROPERTYPUTREF, {object});
}

QVariant ControlDispatch::call(const char* member, const QVariantList& args) const
{
    return invoke(member, DISPATCH_METHOD, args);
}

EventConnection ControlDispatch::connect_event(const char* event, forms::EventHandler handler) const
{
    // The object's connection point and, through the type library, its event interface.
    bind();
    CComQIPtr<IConnectionPointContainer> container(dispatch_.p);
    CComPtr<IEnumConnectionPoints> points;
    CComPtr<IConnectionPoint> point;
    ULONG fetched = 0;
    if (!container || FAILED(container->EnumConnectionPoints(&points)) || points->Next(1, &point, &fetched) != S_OK)
        forms::raise(forms::vberr::MemberNotSupported);
    IID events{};
    if (HRESULT hr = point->GetConnectionInterface(&events); FAILED(hr))
        raise_failure(hr);
    const DISPID id = contract_dispid(events, event);

    EventSink* sink = nullptr;
    if (HRESULT hr = EventSink::CreateInstance(&sink); FAILED(hr))
        raise_failure(hr);
    sink->init(events, id, std::move(handler));
    CComPtr<IUnknown> held(sink->GetUnknown());
    DWORD cookie = 0;
    if (HRESULT hr = point->Advise(held, &cookie); FAILED(hr))
        raise_failure(hr);
    note(DispatchStep::Advise, QString::fromLatin1(event), id);
    return EventConnection(std::move(point), cookie);
}

} // namespace program
