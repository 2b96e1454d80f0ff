#include "platform/forms/late_binding.h"

#include "platform/forms/control_site.h"
#include "platform/forms/conversions.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/user_control.h"
#include "platform/forms/vb_error.h"

#include <QMetaMethod>
#include <QMetaProperty>

#include <vector>

namespace forms {

namespace {

std::vector<QObject*> targets(QObject* object)
{
    if (!object)
        raise(vberr::ObjectVariableNotSet);
    std::vector<QObject*> out{object};
    if (auto* site = qobject_cast<ControlSite*>(object); site && site->control())
        out.push_back(site->control());
    return out;
}

struct Property {
    QObject* object = nullptr;
    QMetaProperty property;
};

Property find_property(QObject* object, const QString& name)
{
    for (QObject* o : targets(object)) {
        const QMetaObject* mo = o->metaObject();
        for (int i = mo->propertyCount() - 1; i >= 0; --i) {
            const QMetaProperty p = mo->property(i);
            if (QString::fromLatin1(p.name()).compare(name, Qt::CaseInsensitive) == 0)
                return Property{o, p};
        }
    }
    return {};
}

// The methods named `name` (invokables, slots and signals) of the first target that has any.
std::pair<QObject*, std::vector<QMetaMethod>> find_methods(QObject* object, const QString& name, bool signals_only)
{
    for (QObject* o : targets(object)) {
        const QMetaObject* mo = o->metaObject();
        std::vector<QMetaMethod> found;
        for (int i = mo->methodCount() - 1; i >= 0; --i) {
            const QMetaMethod m = mo->method(i);
            if (signals_only != (m.methodType() == QMetaMethod::Signal))
                continue;
            if (!signals_only && m.access() != QMetaMethod::Public)
                continue;
            if (QString::fromLatin1(m.name()).compare(name, Qt::CaseInsensitive) == 0)
                found.push_back(m);
        }
        if (!found.empty())
            return {o, found};
    }
    return {nullptr, {}};
}

// A Variant never holds another Variant: a value that arrives wrapped is the value inside.
QVariant unwrapped(QVariant value)
{
    while (value.typeId() == QMetaType::QVariant)
        value = *static_cast<const QVariant*>(value.constData());
    return value;
}

// A meta-call passes every value as a pointer to an object of the member's own type. For a
// Variant-typed member that object is the QVariant itself, so the value travels inside a
// QVariant holding a QVariant; for any other type the converted value is that object.
QVariant meta_slot(QMetaType type, const QVariant& converted)
{
    if (type.id() == QMetaType::QVariant)
        return QVariant(type, &converted);
    return converted;
}

// The value a meta-call left in a slot of the member's type: a Variant-typed slot gives the
// Variant it holds, not a Variant wrapped around it.
QVariant slot_value(const QVariant& slot) { return unwrapped(slot); }

// A value converted to `type` as the runtime converts on assignment.
QVariant convert_to(const QVariant& given, QMetaType type)
{
    const QVariant value = unwrapped(given);
    switch (type.id()) {
    case QMetaType::Bool: return QVariant(CBool(value));
    case QMetaType::Short: return QVariant::fromValue<short>(CInt(value));
    case QMetaType::Int: return QVariant(CLng(value));
    case QMetaType::UInt: {
        // OLE_COLOR and other unsigned 32-bit values take any Long bit pattern.
        if (value.typeId() == QMetaType::UInt)
            return value;
        const double d = CDbl(value);
        if (d < -2147483648.0 || d > 4294967295.0)
            raise(vberr::Overflow);
        return QVariant(d < 0 ? static_cast<uint>(CLng(value)) : static_cast<uint>(round_half_even(d)));
    }
    case QMetaType::Double: return QVariant(CDbl(value));
    case QMetaType::Float: return QVariant(CSng(value));
    case QMetaType::QString: return QVariant(CStr(value));
    case QMetaType::QVariant: return value;
    default: break;
    }
    if (value.metaType() == type)
        return value;
    QVariant copy = value;
    if (!copy.convert(type))
        raise(vberr::TypeMismatch);
    return copy;
}

bool is_object_value(const QVariant& v)
{
    return v.typeId() == qMetaTypeId<FontRef>() || v.typeId() == qMetaTypeId<PictureRef>() ||
           v.metaType().flags().testFlag(QMetaType::PointerToQObject);
}

// The type of a method's parameter i; a by-reference parameter is named by its type
// without '&' (a late-bound caller passes the value, which the method may change in its copy).
QMetaType parameter_type(const QMetaMethod& method, int i)
{
    QMetaType type = method.parameterMetaType(i);
    if (type.isValid())
        return type;
    QByteArray name = method.parameterTypes().at(i);
    if (name.startsWith("const "))
        name.remove(0, 6);
    while (name.endsWith('&'))
        name.chop(1);
    return QMetaType::fromName(name.trimmed());
}

QVariant invoke(QObject* target, const std::vector<QMetaMethod>& methods, const QVariantList& args)
{
    const QMetaMethod* chosen = nullptr;
    for (const QMetaMethod& m : methods)
        if (m.parameterCount() == args.size()) {
            chosen = &m;
            break;
        }
    if (!chosen)
        raise(vberr::WrongNumberOfArguments);
    if (args.size() > 10)
        raise(vberr::WrongNumberOfArguments);
    std::vector<QVariant> converted;
    converted.reserve(static_cast<size_t>(args.size()));
    for (int i = 0; i < args.size(); ++i) {
        const QMetaType type = parameter_type(*chosen, i);
        converted.push_back(meta_slot(type, convert_to(args[i], type)));
    }
    // Direct call through the meta-object: argv[0] is the result, then each argument.
    void* argv[11] = {};
    QVariant result;
    const QMetaType rt = chosen->returnMetaType();
    if (rt.isValid() && rt.id() != QMetaType::Void) {
        result = QVariant(rt, nullptr);
        argv[0] = result.data();
    }
    for (size_t i = 0; i < converted.size(); ++i)
        argv[i + 1] = converted[i].data();
    QMetaObject::metacall(target, QMetaObject::InvokeMetaMethod, chosen->methodIndex(), argv);
    return slot_value(result);
}

void write_property(const Property& p, const QVariant& value)
{
    if (!p.property.isWritable())
        raise(vberr::SetNotSupportedReadOnly);
    const QMetaType type = p.property.metaType();
    QVariant converted = meta_slot(type, convert_to(value, type));
    void* argv[] = {converted.data(), nullptr};
    QMetaObject::metacall(p.object, QMetaObject::WriteProperty, p.property.propertyIndex(), argv);
}

QVariant read_property(const Property& p)
{
    if (!p.property.isReadable())
        raise(vberr::GetNotSupportedWriteOnly);
    QVariant result(p.property.metaType(), nullptr);
    void* argv[] = {result.data()};
    QMetaObject::metacall(p.object, QMetaObject::ReadProperty, p.property.propertyIndex(), argv);
    return slot_value(result);
}

// A receiver whose one dynamic slot hands the event to a handler.
class EventSink : public QObject {
public:
    EventSink(QObject* context, QMetaMethod signal, EventHandler handler)
        : QObject(context), signal_(signal), handler_(std::move(handler))
    {
    }

    int qt_metacall(QMetaObject::Call call, int id, void** argv) override
    {
        id = QObject::qt_metacall(call, id, argv);
        if (id < 0 || call != QMetaObject::InvokeMetaMethod)
            return id;
        if (id == 0)
            dispatch(argv);
        return id - 1;
    }

private:
    QMetaType parameter_type(int i) const { return forms::parameter_type(signal_, i); }

    void dispatch(void** argv)
    {
        QVariantList args;
        for (int i = 0; i < signal_.parameterCount(); ++i)
            args.push_back(slot_value(QVariant(parameter_type(i), argv[i + 1])));
        handler_(args);
        const QList<QByteArray> types = signal_.parameterTypes();
        for (int i = 0; i < signal_.parameterCount(); ++i) {
            const QByteArray& t = types[i];
            if (!t.endsWith('&') || t.startsWith("const "))
                continue;
            const QMetaType mt = parameter_type(i);
            if (!mt.isValid())
                continue;
            const QVariant v = meta_slot(mt, convert_to(args[i], mt));
            mt.destruct(argv[i + 1]);
            mt.construct(argv[i + 1], v.constData());
        }
    }

    QMetaMethod signal_;
    EventHandler handler_;
};

} // namespace

QVariant get(QObject* object, const QString& name, const QVariantList& args)
{
    if (const Property p = find_property(object, name); p.object) {
        if (!args.isEmpty())
            raise(vberr::WrongNumberOfArguments);
        return read_property(p);
    }
    auto [target, methods] = find_methods(object, name, false);
    if (!target)
        raise(vberr::MemberNotSupported);
    return invoke(target, methods, args);
}

void let(QObject* object, const QString& name, const QVariant& value)
{
    const Property p = find_property(object, name);
    if (!p.object) {
        if (find_methods(object, name, false).first)
            raise(vberr::WrongNumberOfArguments);
        raise(vberr::MemberNotSupported);
    }
    write_property(p, value);
}

void set(QObject* object, const QString& name, const QVariant& object_value)
{
    if (!is_object_value(unwrapped(object_value)))
        raise(424);
    let(object, name, object_value);
}

QVariant call(QObject* object, const QString& name, const QVariantList& args)
{
    auto [target, methods] = find_methods(object, name, false);
    if (target)
        return invoke(target, methods, args);
    return get(object, name, args);
}

bool has_member(QObject* object, const QString& name)
{
    return find_property(object, name).object || find_methods(object, name, false).first;
}

QMetaObject::Connection connect_event(QObject* source, const QString& name, QObject* context, EventHandler handler)
{
    auto [target, signals_found] = find_methods(source, name, true);
    if (!target)
        raise(vberr::MemberNotSupported);
    const QMetaMethod signal = signals_found.back(); // the declaration with the most arguments
    auto* sink = new EventSink(context ? context : target, signal, std::move(handler));
    return QMetaObject::connect(target, signal.methodIndex(), sink, QObject::staticMetaObject.methodCount(),
                                Qt::DirectConnection);
}

} // namespace forms
