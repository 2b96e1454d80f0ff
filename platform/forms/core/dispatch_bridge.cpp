#include "platform/forms/core/dispatch_bridge.h"

#include "platform/com/atl/com_ptr.h"
#include "platform/com/atl/enum_on_stl.h"
#include "platform/com/bstr.h"
#include "platform/com/error_info.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/core/std_picture.h"
#include "platform/win32/message_table.h"

#include <atomic>

namespace forms {

namespace {

// Set once as the hosting library loads, read on any thread after.
constinit std::atomic<HRESULT (*)(const QVariant&, IDispatch**)> g_dispatch_of{nullptr};
constinit std::atomic<bool (*)(IUnknown*, QVariant&)> g_value_of_dispatch{nullptr};

const VARIANT& followed(const VARIANT& in)
{
    const VARIANT* v = &in;
    while (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal != nullptr)
        v = v->pvarVal;
    return *v;
}

HRESULT object_value(IUnknown* object, QVariant& out)
{
    if (object == nullptr) {
        out = QVariant::fromValue<QObject*>(nullptr);
        return S_OK;
    }
    const auto value_of_dispatch = g_value_of_dispatch.load();
    return value_of_dispatch != nullptr && value_of_dispatch(object, out) ? S_OK : DISP_E_TYPEMISMATCH;
}

bool is_object(const QVariant& v)
{
    return v.typeId() == qMetaTypeId<FontRef>() || v.typeId() == qMetaTypeId<PictureRef>() ||
           v.metaType().flags().testFlag(QMetaType::PointerToQObject);
}

} // namespace

void set_object_dispatcher(const ObjectDispatcher& dispatcher)
{
    g_dispatch_of.store(dispatcher.dispatch_of);
    g_value_of_dispatch.store(dispatcher.value_of_dispatch);
}

HRESULT to_qvariant(const VARIANT& given, QVariant& out)
{
    const VARIANT& in = followed(given);
    CComVariant value;
    // A by-reference scalar or string: its value.
    if ((in.vt & VT_BYREF) != 0 && (in.vt & ~VT_BYREF) != VT_DISPATCH && (in.vt & ~VT_BYREF) != VT_UNKNOWN) {
        if (FAILED(VariantCopyInd(&value, &in)))
            return DISP_E_TYPEMISMATCH;
    } else if (FAILED(VariantCopy(&value, &in))) {
        return DISP_E_TYPEMISMATCH;
    }
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_ERROR: out = QVariant(); return S_OK; // VT_ERROR: an argument left out
    case VT_BOOL: out = QVariant(value.boolVal != VARIANT_FALSE); return S_OK;
    case VT_I1: out = QVariant(static_cast<int>(value.cVal)); return S_OK;
    case VT_UI1: out = QVariant(static_cast<int>(value.bVal)); return S_OK;
    case VT_I2: out = QVariant::fromValue<short>(value.iVal); return S_OK;
    case VT_UI2: out = QVariant(static_cast<int>(value.uiVal)); return S_OK;
    case VT_I4:
    case VT_INT: out = QVariant(static_cast<int>(value.lVal)); return S_OK;
    case VT_UI4:
    case VT_UINT: out = QVariant(static_cast<uint>(value.ulVal)); return S_OK;
    case VT_R4: out = QVariant(value.fltVal); return S_OK;
    case VT_R8:
    case VT_DATE: out = QVariant(value.dblVal); return S_OK;
    case VT_BSTR: out = QVariant(QString::fromStdU16String(std::u16string(com::bstr_view(value.bstrVal)))); return S_OK;
    case VT_DISPATCH: return object_value(value.pdispVal, out);
    case VT_UNKNOWN: return object_value(value.punkVal, out);
    case VT_DISPATCH | VT_BYREF: return object_value(in.ppdispVal ? *in.ppdispVal : nullptr, out);
    case VT_UNKNOWN | VT_BYREF: return object_value(in.ppunkVal ? *in.ppunkVal : nullptr, out);
    default: return DISP_E_TYPEMISMATCH;
    }
}

namespace {

// A list asked for as an object: its enumerator, each item as a VARIANT (an object as its
// one dispatch).
HRESULT enumerator_of(const QVariantList& list, VARIANT& out)
{
    std::vector<CComVariant> items(static_cast<std::size_t>(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (HRESULT hr = from_qvariant(list[i], VT_VARIANT, items[static_cast<std::size_t>(i)]); FAILED(hr))
            return hr;
    }
    IEnumVARIANT* enumerator = nullptr;
    if (HRESULT hr = com::create_variant_enumerator(std::move(items), &enumerator); FAILED(hr))
        return hr;
    out.vt = VT_UNKNOWN;
    out.punkVal = enumerator;
    return S_OK;
}

} // namespace

HRESULT from_qvariant(const QVariant& in, VARTYPE vt, VARIANT& out)
{
    VariantInit(&out);
    if (vt == VT_UNKNOWN && in.typeId() == QMetaType::QVariantList)
        return enumerator_of(in.toList(), out);
    CComVariant value;
    if (is_object(in)) {
        const auto dispatch_of = g_dispatch_of.load();
        if (dispatch_of == nullptr)
            return DISP_E_TYPEMISMATCH;
        IDispatch* object = nullptr;
        HRESULT hr = dispatch_of(in, &object);
        if (FAILED(hr))
            return hr;
        value.vt = VT_DISPATCH;
        value.pdispVal = object;
    } else {
        switch (in.typeId()) {
        case QMetaType::UnknownType: break;
        case QMetaType::Bool: value = in.toBool(); break;
        case QMetaType::Short: value = CComVariant(static_cast<SHORT>(in.value<short>())); break;
        case QMetaType::Int: value = static_cast<LONG>(in.toInt()); break;
        case QMetaType::UInt:
            value.vt = VT_UI4;
            value.ulVal = in.toUInt();
            break;
        case QMetaType::LongLong: value = CComVariant(static_cast<double>(in.toLongLong())); break;
        case QMetaType::Float: value = CComVariant(in.toFloat()); break;
        case QMetaType::Double: value = CComVariant(in.toDouble()); break;
        case QMetaType::QString: value = CComVariant(in.toString().toStdU16String().c_str()); break;
        default: {
            if (!in.canConvert<QString>())
                return DISP_E_TYPEMISMATCH;
            value = CComVariant(in.toString().toStdU16String().c_str());
            break;
        }
        }
    }
    if (vt != VT_EMPTY && vt != VT_VARIANT && vt != VT_DISPATCH && vt != VT_UNKNOWN && value.vt != vt) {
        HRESULT hr = VariantChangeType(&value, &value, 0, vt);
        if (FAILED(hr))
            return hr;
    }
    return value.Detach(&out);
}

void set_error_info(const QString& description, const QString& source)
{
    CComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(&create)))
        return;
    const std::u16string text = description.toStdU16String();
    const std::u16string from = source.toStdU16String();
    create->SetDescription(const_cast<LPOLESTR>(text.c_str()));
    create->SetSource(const_cast<LPOLESTR>(from.c_str()));
    CComQIPtr<IErrorInfo> info(create);
    SetErrorInfo(0, info);
}

HRESULT hresult_of(const VbError& error)
{
    switch (error.number()) {
    case vberr::MemberNotSupported: return DISP_E_MEMBERNOTFOUND;
    case vberr::WrongNumberOfArguments: return DISP_E_BADPARAMCOUNT;
    case vberr::TypeMismatch: return DISP_E_TYPEMISMATCH;
    case vberr::Overflow: return DISP_E_OVERFLOW;
    default: break;
    }
    set_error_info(error.description(), error.source());
    return static_cast<HRESULT>(0x800A0000u | (static_cast<uint32_t>(error.number()) & 0xFFFFu));
}

VbError error_of(HRESULT hr)
{
    switch (hr) {
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME: return VbError(vberr::MemberNotSupported);
    case DISP_E_BADPARAMCOUNT: return VbError(vberr::WrongNumberOfArguments);
    case DISP_E_TYPEMISMATCH: return VbError(vberr::TypeMismatch);
    case DISP_E_OVERFLOW: return VbError(vberr::Overflow);
    default: break;
    }
    const bool runtime_error = (static_cast<uint32_t>(hr) & 0xFFFF0000u) == 0x800A0000u;
    const int32_t number = runtime_error ? static_cast<int32_t>(static_cast<uint32_t>(hr) & 0xFFFFu) : hr;
    QString source;
    const QString description = failure_description(hr, &source);
    return VbError(number, source, description);
}

QString failure_description(HRESULT hr, QString* source)
{
    QString description;
    CComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        CComBSTR text, from;
        if (SUCCEEDED(info->GetDescription(&text.m_str)))
            description = QString::fromStdU16String(std::u16string(text.view()));
        if (source != nullptr && SUCCEEDED(info->GetSource(&from.m_str)))
            *source = QString::fromStdU16String(std::u16string(from.view()));
    }
    // A failure the object did not describe is told in the system's words for its code (an
    // object gone from under its caller: "The object invoked has disconnected from its
    // clients."), not as an anonymous application error. A runtime error's own number has the
    // runtime's standard text instead.
    const bool runtime_error = (static_cast<uint32_t>(hr) & 0xFFFF0000u) == 0x800A0000u;
    if (description.isEmpty() && !runtime_error)
        description = QString::fromStdU16String(win32::system_message(static_cast<DWORD>(hr))).trimmed();
    return description;
}

} // namespace forms
