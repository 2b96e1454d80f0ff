#include "platform/forms/pages/stock_property_page.h"

#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/hosting/user_control.h"

#include <QMetaProperty>
#include <QPalette>
#include <QScopeGuard>

namespace forms {

namespace {

// The control itself behind an extender: its own properties are the ones listed.
const QObject* control_of(QObject* selected)
{
    if (auto* site = qobject_cast<ControlSite*>(selected); site && site->control())
        return site->control();
    return selected;
}

} // namespace

StockPropertyPage::StockPropertyPage(const QString& caption, QMetaType kind, QWidget* parent)
    : PropertyPage(parent), kind_(kind)
{
    setCaption(caption);
    setAccessibleName(caption);
    setMinimumSize(Screen::to_pixels_x(5925), Screen::to_pixels_y(3495));
    // The fields stand on the button face, as on the controls' own pages.
    QPalette ground = palette();
    ground.setColor(QPalette::Window, resolve_color(syscolor::ButtonFace, ground));
    setPalette(ground);
    setAutoFillBackground(true);
    auto* label = new Label(this, QStringLiteral("lblProperties"), QStringLiteral("Properties:"));
    label->Move(240, 240, 2520, 255);
    properties_ = new ComboBox(this, QStringLiteral("lstProperties"), ComboBox::DropdownList);
    properties_->Move(240, 540, 2520, 315);
    properties_->set_label_name(QStringLiteral("Properties"));
    connect(properties_, &IntrinsicControl::Click, this, [this] { show_chosen(); });
}

QStringList StockPropertyPage::property_names() const
{
    QStringList names;
    for (const Entry& e : entries_)
        names << e.name;
    return names;
}

void StockPropertyPage::SelectionChanged()
{
    QObject* selected = first_selected();
    const QMetaObject* meta = control_of(selected)->metaObject();
    // Loading again (after an apply) keeps the property the designer was looking at.
    const int shown = properties_->ListIndex();
    const QString shown_name = shown >= 0 && shown < static_cast<int>(entries_.size())
                                   ? entries_[static_cast<size_t>(shown)].name
                                   : QString();
    entries_.clear();
    properties_->Clear();
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.metaType() != kind_ || !property.isWritable())
            continue;
        const QString name = QString::fromLatin1(property.name());
        {
            const auto restore = qScopeGuard([this] { showing_ = false; });
            showing_ = true;
            show_value(get(name));
        }
        entries_.push_back({name, field_value(), false});
        properties_->AddItem(name);
    }
    if (entries_.empty())
        return;
    int index = 0;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].name == shown_name)
            index = static_cast<int>(i);
    properties_->setListIndex(index);
}

void StockPropertyPage::ApplyChanges()
{
    for (Entry& e : entries_) {
        if (!e.edited)
            continue;
        write(e.name, e.value);
        e.edited = false;
    }
}

void StockPropertyPage::show_chosen()
{
    const int index = properties_->ListIndex();
    if (index < 0 || index >= static_cast<int>(entries_.size()))
        return;
    const auto restore = qScopeGuard([this] { showing_ = false; });
    showing_ = true;
    show_value(entries_[static_cast<size_t>(index)].value);
}

void StockPropertyPage::field_edited()
{
    const int index = properties_->ListIndex();
    if (showing_ || index < 0 || index >= static_cast<int>(entries_.size()))
        return;
    Entry& e = entries_[static_cast<size_t>(index)];
    e.value = field_value();
    e.edited = true;
    setChanged(true);
}

} // namespace forms
