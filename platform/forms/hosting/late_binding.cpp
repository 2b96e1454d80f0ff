#include "platform/forms/hosting/late_binding.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/hosting/object_dispatch.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/hosting/user_control.h"
#include "platform/forms/core/vb_error.h"

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

Property property_of(QObject* o, const QString& name)
{
    const QMetaObject* mo = o->metaObject();
    for (int i = mo->propertyCount() - 1; i >= 0; --i) {
        const QMetaProperty p = mo->property(i);
        if (QString::fromLatin1(p.name()).compare(name, Qt::CaseInsensitive) == 0)
            return Property{o, p};
    }
    return {};
}

// The methods named `name` of one object: its public invokables and slots, or its signals.
std::vector<QMetaMethod> methods_of(QObject* o, const QString& name, bool signals_only)
{
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
    return found;
}

// What a described interface says of a name: the accessors it lists for it.
struct Accessors {
    bool get = false, let = false, set = false, method = false;
    bool any() const { return get || let || set || method; }
};

Accessors accessors_in(const com::tlb::interface_desc& itf, const QString& name)
{
    Accessors a;
    for (const auto& m : itf.members) {
        if (QString::fromStdU16String(m.name).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        switch (m.kind) {
        case INVOKE_PROPERTYGET: a.get = true; break;
        case INVOKE_PROPERTYPUT: a.let = true; break;
        case INVOKE_PROPERTYPUTREF: a.set = true; break;
        default: a.method = true; break;
        }
    }
    return a;
}

// The interface that describes one target: the control's class's, never the extender's
// (a site's members are its own and have no description).
const com::tlb::interface_desc* description_of(const QObject* target, bool events)
{
    if (qobject_cast<const ControlSite*>(target))
        return nullptr;
    const DescribedClass cls = described_class(target);
    if (cls.interface == nullptr)
        return nullptr;
    if (events) {
        static const com::tlb::interface_desc none;
        return cls.events != nullptr ? cls.events : &none;
    }
    return cls.interface;
}

// A name resolved on the first target that has it. For an object of a described class the
// class's type-library description says which names it has and with which accessors; the
// Qt property or method of that name implements the member. Other objects have the members
// of their meta-object.
struct Member {
    Property property;
    QObject* target = nullptr;
    std::vector<QMetaMethod> methods;
    bool described = false;
    Accessors accessors;
};

// What one target offers under `name`: a described class its listed members only, any other
// object the members of its meta-object. `found` is false when the target has no such member.
Member member_of(QObject* o, const QString& name, bool& found)
{
    Member m;
    m.property = property_of(o, name);
    m.methods = methods_of(o, name, false);
    m.target = o;
    found = false;
    if (const auto* itf = description_of(o, false)) {
        m.described = true;
        m.accessors = accessors_in(*itf, name);
        if (!m.accessors.any())
            return m; // not a member of the class, whatever its implementation declares
        if (!m.property.object && m.methods.empty())
            raise(vberr::MemberNotSupported); // described, but the class lacks it
        found = true;
        return m;
    }
    found = m.property.object || !m.methods.empty();
    return m;
}

// Whether a control declares `name` itself: listed by its class's description, or, for a
// class no library describes, declared by the control's own class rather than inherited from
// the runtime's UserControl and QWidget (whose `visible`, `width`, ... are no members).
bool own_member_of_control(QObject* control, const QString& name)
{
    if (const auto* itf = description_of(control, false))
        return accessors_in(*itf, name).any();
    const Property p = property_of(control, name);
    if (p.object && p.property.propertyIndex() >= UserControl::staticMetaObject.propertyCount())
        return true;
    for (const QMetaMethod& m : methods_of(control, name, false))
        if (m.methodIndex() >= UserControl::staticMetaObject.methodCount())
            return true;
    return false;
}

// The extender's members come first, except a member of the control's own of the same name:
// a progress bar's caption `Align` wins over the site's docking `Align`, as the class's type
// library says.
Member find_member(QObject* object, const QString& name)
{
    std::vector<QObject*> order = targets(object);
    if (order.size() == 2 && own_member_of_control(order[1], name))
        std::swap(order[0], order[1]);
    for (QObject* o : order) {
        bool found = false;
        Member m = member_of(o, name, found);
        if (found)
            return m;
    }
    return {};
}

Member required_member(QObject* object, const QString& name)
{
    Member m = find_member(object, name);
    if (!m.property.object && m.methods.empty())
        raise(vberr::MemberNotSupported);
    return m;
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
    const Member m = required_member(object, name);
    if (m.described && !m.accessors.get && !m.accessors.method)
        raise(vberr::GetNotSupportedWriteOnly);
    if (m.property.object) {
        if (!args.isEmpty())
            raise(vberr::WrongNumberOfArguments);
        return read_property(m.property);
    }
    return invoke(m.target, m.methods, args);
}

void let(QObject* object, const QString& name, const QVariant& value)
{
    const Member m = required_member(object, name);
    if (m.described && !m.accessors.let && !m.accessors.set)
        raise(m.accessors.get ? vberr::SetNotSupportedReadOnly : vberr::WrongNumberOfArguments);
    if (!m.property.object)
        raise(vberr::WrongNumberOfArguments); // a method
    write_property(m.property, value);
}

void set(QObject* object, const QString& name, const QVariant& object_value)
{
    if (!is_object_value(unwrapped(object_value)))
        raise(424);
    let(object, name, object_value);
}

QVariant call(QObject* object, const QString& name, const QVariantList& args)
{
    const Member m = required_member(object, name);
    // A method, or a parameterised property that its class implements as one (its index
    // arguments, then the value).
    if (!m.methods.empty())
        return invoke(m.target, m.methods, args);
    return get(object, name, args);
}

bool has_member(QObject* object, const QString& name)
{
    const Member m = find_member(object, name);
    return m.property.object || !m.methods.empty();
}

QMetaObject::Connection connect_event(QObject* source, const QString& name, QObject* context, EventHandler handler)
{
    for (QObject* target : targets(source)) {
        const auto* events = description_of(target, true);
        if (events != nullptr && !accessors_in(*events, name).method)
            continue; // not an event of the class's event interface
        const std::vector<QMetaMethod> signals_found = methods_of(target, name, true);
        if (signals_found.empty()) {
            if (events != nullptr)
                raise(vberr::MemberNotSupported); // described, but the class lacks it
            continue;
        }
        const QMetaMethod signal = signals_found.back(); // the declaration with the most arguments
        auto* sink = new EventSink(context ? context : target, signal, std::move(handler));
        return QMetaObject::connect(target, signal.methodIndex(), sink, QObject::staticMetaObject.methodCount(),
                                    Qt::DirectConnection);
    }
    raise(vberr::MemberNotSupported);
}

} // namespace forms
