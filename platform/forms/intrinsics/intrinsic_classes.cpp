#include "platform/forms/intrinsics/intrinsic_classes.h"

#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/intrinsics/flex_grid.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/intrinsics/image.h"
#include "platform/forms/core/key_case.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/line.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/intrinsics/option_button.h"
#include "platform/forms/intrinsics/picture_box.h"
#include "platform/forms/core/property_bag.h"
#include "platform/forms/intrinsics/shape.h"
#include "platform/forms/core/stored_value.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"

#include <QMetaProperty>

#include <algorithm>
#include <initializer_list>
#include <memory>

namespace forms {

namespace {

constexpr int32_t kCannotCreate = 429;

} // namespace

IntrinsicControl* create_intrinsic(const QString& class_name, QWidget* container, const QString& name)
{
    if (const std::optional<IntrinsicClass> cls = intrinsic_class_named(class_name)) {
        switch (*cls) {
        case IntrinsicClass::Label: return new Label(container, name);
        case IntrinsicClass::CommandButton: return new CommandButton(container, name);
        case IntrinsicClass::TextBox: return new TextBox(container, name);
        case IntrinsicClass::CheckBox: return new CheckBox(container, name);
        case IntrinsicClass::OptionButton: return new OptionButton(container, name);
        case IntrinsicClass::ComboBox: return new ComboBox(container, name);
        case IntrinsicClass::Frame: return new Frame(container, name);
        case IntrinsicClass::PictureBox: return new PictureBox(container, name);
        case IntrinsicClass::Image: return new Image(container, name);
        case IntrinsicClass::Line: return new Line(container, name);
        case IntrinsicClass::Shape: return new Shape(container, name);
        case IntrinsicClass::ListView: return new ListView(container, name);
        case IntrinsicClass::FlexGrid: return new FlexGrid(container, name);
        }
    }
    forms::raise(kCannotCreate, class_name, QStringLiteral("%1 is not an intrinsic control class").arg(class_name));
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
