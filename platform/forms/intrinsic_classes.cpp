#include "platform/forms/intrinsic_classes.h"

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/flex_grid.h"
#include "platform/forms/frame.h"
#include "platform/forms/image.h"
#include "platform/forms/key_case.h"
#include "platform/forms/label.h"
#include "platform/forms/late_binding.h"
#include "platform/forms/line.h"
#include "platform/forms/list_view.h"
#include "platform/forms/option_button.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/shape.h"
#include "platform/forms/stored_value.h"
#include "platform/forms/text_box.h"
#include "platform/forms/vb_error.h"

#include <QMetaProperty>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <memory>

namespace forms {

namespace {

constexpr int32_t kCannotCreate = 429;

using Maker = std::function<IntrinsicControl*(QWidget*, const QString&)>;

struct IntrinsicClass {
    const char* name;
    Maker make;
};

template <class Control>
Maker maker()
{
    return [](QWidget* container, const QString& name) { return new Control(container, name); };
}

const std::vector<IntrinsicClass>& classes()
{
    static const std::vector<IntrinsicClass> all = {
        {"VB.Label", maker<Label>()},
        {"VB.CommandButton", maker<CommandButton>()},
        {"VB.TextBox", maker<TextBox>()},
        {"VB.CheckBox", maker<CheckBox>()},
        {"VB.OptionButton", maker<OptionButton>()},
        {"VB.ComboBox", maker<ComboBox>()},
        {"VB.Frame", maker<Frame>()},
        {"VB.PictureBox", maker<PictureBox>()},
        {"VB.Image", maker<Image>()},
        {"VB.Line", maker<Line>()},
        {"VB.Shape", maker<Shape>()},
        {"MSComctlLib.ListView", maker<ListView>()},
        {"MSFlexGridLib.MSFlexGrid", maker<FlexGrid>()},
    };
    return all;
}

const IntrinsicClass* find(const QString& class_name)
{
    for (const IntrinsicClass& c : classes())
        if (class_name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

} // namespace

bool is_intrinsic_class(const QString& class_name) { return find(class_name) != nullptr; }

IntrinsicControl* create_intrinsic(const QString& class_name, QWidget* container, const QString& name)
{
    const IntrinsicClass* c = find(class_name);
    if (c == nullptr)
        forms::raise(kCannotCreate, class_name, QStringLiteral("%1 is not an intrinsic control class").arg(class_name));
    return c->make(container, name);
}

namespace {

// Whether `key` names a property the runtime's control declares: the intrinsic control's own
// and its class's, never the widget toolkit's (objectName, styleSheet, ...), which a stored
// file must not reach.
bool declared_property(const IntrinsicControl& control, const QString& key)
{
    const QMetaObject* meta = control.metaObject();
    for (int i = IntrinsicControl::staticMetaObject.propertyOffset(); i < meta->propertyCount(); ++i)
        if (QString::fromLatin1(meta->property(i).name()).compare(key, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

void read_intrinsic(IntrinsicControl& control, const PropertyBag& bag)
{
    for (const PropertyBag::Entry& entry : bag.entries()) {
        if (!declared_property(control, entry.key))
            forms::raise(vberr::MemberNotSupported, control.Name(),
                         bag.where(entry.key) + QStringLiteral(": %1 has no such property").arg(control.Name()));
        const StoredLength length = stored_length_kind(entry.key);
        if (length == StoredLength::Place)
            stored_position(bag, entry.key, 0.0);
        else if (length == StoredLength::Size)
            stored_length(bag, entry.key, 0.0);
        try {
            let(&control, entry.key, entry.value);
        } catch (const VbError& error) {
            throw VbError(error.number(), control.Name(),
                          bag.where(entry.key) + QStringLiteral(": ") + error.description());
        }
    }
}

void write_intrinsic(const IntrinsicControl& control, const QString& class_name, PropertyBag& bag)
{
    QWidget scratch;
    const std::unique_ptr<IntrinsicControl> fresh(create_intrinsic(class_name, &scratch, control.Name()));
    const QMetaObject* meta = control.metaObject();
    // The runtime's properties start at the intrinsic control's own; Qt's widget properties
    // are not the control's.
    for (int i = IntrinsicControl::staticMetaObject.propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isWritable() || !property.isStored())
            continue;
        bag.WriteProperty(QString::fromLatin1(property.name()), property.read(&control), property.read(fresh.get()));
    }
}

} // namespace forms
