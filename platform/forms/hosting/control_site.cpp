#include "platform/forms/hosting/control_site.h"

#include "platform/forms/hosting/form.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/stored_value.h"
#include "platform/forms/hosting/user_control.h"
#include "platform/forms/core/vb_error.h"

#include <QMetaProperty>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace forms {

namespace {

// The docking a site takes, set or stored.
constexpr StoredChoice kStoredChoices[] = {{"Align", vbAlignNone, vbAlignRight}};

} // namespace

ControlSite::ControlSite(Form& form, UserControl& control, QString class_name, QString name, ControlSite* container)
    : form_(form), control_(&control), class_name_(std::move(class_name)), name_(std::move(name)),
      container_(container), ambient_(*this)
{
    width_ = control.width() * Screen::TwipsPerPixelX();
    height_ = control.height() * Screen::TwipsPerPixelY();
}

ControlSite::~ControlSite() = default;

bool ControlSite::is_valid_name(const QString& name)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,39}$"));
    return identifier.match(name).hasMatch();
}

void ControlSite::setName(const QString& name)
{
    if (name == name_)
        return;
    if (!is_valid_name(name))
        raise(vberr::InvalidPropertyValue, {}, QStringLiteral("\"%1\" is not a valid control name").arg(name));
    if (ControlSite* other = form_.site(name); other && other != this)
        raise(vberr::InvalidPropertyValue, {}, QStringLiteral("Ambiguous name detected: ") + name);
    const QString old_name = name_;
    name_ = name;
    form_.site_renamed(*this, old_name);
    if (control_)
        control_->run_ambient_changed(QStringLiteral("DisplayName"));
}

void ControlSite::setAlign(int align)
{
    if (!kStoredChoices[0].takes(align))
        raise(vberr::InvalidPropertyValue);
    align_ = align;
    form_.dock_aligned();
}

void ControlSite::Move(double left, double top, double width, double height)
{
    if (width < 0 || height < 0)
        raise(vberr::InvalidPropertyValue);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    apply_geometry();
    if (align_ != vbAlignNone)
        form_.dock_aligned();
}

void ControlSite::set_docked_geometry(double left, double top, double width, double height, bool container_resized)
{
    left_ = left;
    top_ = top;
    width_ = std::max(0.0, width);
    height_ = std::max(0.0, height);
    if (!apply_geometry() && container_resized && control_)
        control_->run_container_resize();
}

bool ControlSite::apply_geometry()
{
    if (!control_)
        return false;
    const QSize before = control_->size();
    control_->setGeometry(Screen::to_pixels_x(left_), Screen::to_pixels_y(top_), Screen::to_pixels_x(width_),
                          Screen::to_pixels_y(height_));
    // A shown control has had its Resize from the resize event by now; a hidden one gets it
    // here, since Qt sends a hidden widget's resize event only when it shows.
    if (!control_)
        return false;
    const bool ran_here = control_->run_resize_if_changed();
    return ran_here || control_->size() != before;
}

void ControlSite::setVisible(bool visible)
{
    visible_ = visible;
    // In design mode every control stays visible so that it can be edited.
    if (control_)
        control_->setVisible(form_.UserMode() ? visible : true);
    if (align_ != vbAlignNone)
        form_.dock_aligned();
}

void ControlSite::setDefault(bool value)
{
    default_ = value;
    if (value)
        form_.site_became_default(*this);
}

void ControlSite::setCancel(bool value)
{
    cancel_ = value;
    if (value)
        form_.site_became_cancel(*this);
}

void ControlSite::setTabStop(bool value)
{
    tab_stop_ = value;
    apply_focus_policy();
}

namespace {
// The first widget inside `control`, in the focus chain, that Tab can reach and that is
// shown and usable, or none.
QWidget* first_tab_stop_inside(QWidget* control)
{
    for (QWidget* w = control->nextInFocusChain(); w != nullptr && w != control; w = w->nextInFocusChain())
        if (control->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(control) && w->isEnabled())
            return w;
    return nullptr;
}

bool has_focusable_constituent(const QWidget* control)
{
    for (const QWidget* w : control->findChildren<QWidget*>())
        if (w->focusPolicy() & Qt::TabFocus)
            return true;
    return false;
}
} // namespace

void ControlSite::apply_focus_policy()
{
    if (!control_)
        return;
    if (has_focusable_constituent(control_) || !control_->CanGetFocus())
        control_->setFocusPolicy(Qt::NoFocus);
    else
        control_->setFocusPolicy(tab_stop_                                        ? Qt::StrongFocus
                                 : control_->takes_click_focus_without_tab_stop() ? Qt::ClickFocus
                                                                                  : Qt::NoFocus);
}

QWidget* ControlSite::focus_target() const
{
    QWidget* inside = control_ ? first_tab_stop_inside(control_) : nullptr;
    return inside ? inside : control_.data();
}

void ControlSite::setTabIndex(int value)
{
    tab_index_ = value;
    form_.apply_tab_order();
}

void ControlSite::setToolTipText(const QString& text)
{
    tool_tip_ = text;
    if (control_)
        control_->setToolTip(text);
}

bool ControlSite::Enabled() const
{
    if (!control_)
        return false;
    // A control that publishes Enabled of its own answers for itself (an up-down box that is
    // disabled keeps its widget usable for selecting its text).
    const QMetaObject* meta = control_->metaObject();
    const int own = meta->indexOfProperty("Enabled");
    if (own >= 0 && meta->property(own).isReadable())
        return meta->property(own).read(control_).toBool();
    return control_->isEnabled();
}

void ControlSite::setEnabled(bool value)
{
    if (!control_)
        return;
    // A control that publishes Enabled of its own hears every change of it, whoever makes it
    // (late binding and the property pages go through the extender).
    const QMetaObject* meta = control_->metaObject();
    const int own = meta->indexOfProperty("Enabled");
    if (own >= 0 && meta->property(own).isWritable())
        meta->property(own).write(control_, value);
    else
        control_->setEnabled(value);
}

QObject* ControlSite::Container() const
{
    return container_ ? static_cast<QObject*>(container_) : static_cast<QObject*>(&form_);
}

QObject* ControlSite::Parent() const { return &form_; }
QObject* ControlSite::Object() const { return control_.data(); }

void ControlSite::ZOrder(int position)
{
    if (position != 0 && position != 1)
        raise(vberr::InvalidProcedureCall);
    form_.site_zorder(*this, position);
}

void ControlSite::SetFocus()
{
    if (!control_ || !control_->isVisible() || !control_->isEnabled())
        raise(5, {}, QStringLiteral("Invalid procedure call or argument"));
    focus_target()->setFocus(Qt::OtherFocusReason);
}

void ControlSite::write_extender(PropertyBag& bag) const
{
    bag.WriteProperty(QStringLiteral("Left"), left_, 0.0);
    bag.WriteProperty(QStringLiteral("Top"), top_, 0.0);
    bag.WriteProperty(QStringLiteral("Width"), width_);
    bag.WriteProperty(QStringLiteral("Height"), height_);
    bag.WriteProperty(QStringLiteral("Align"), align_, 0);
    bag.WriteProperty(QStringLiteral("Visible"), visible_, true);
    bag.WriteProperty(QStringLiteral("Tag"), tag_, QString());
    bag.WriteProperty(QStringLiteral("Default"), default_, false);
    bag.WriteProperty(QStringLiteral("Cancel"), cancel_, false);
    bag.WriteProperty(QStringLiteral("TabStop"), tab_stop_, true);
    bag.WriteProperty(QStringLiteral("TabIndex"), tab_index_, 0);
    bag.WriteProperty(QStringLiteral("ToolTipText"), tool_tip_, QString());
    bag.WriteProperty(QStringLiteral("HelpContextID"), help_context_, 0);
}

void ControlSite::read_stored_geometry(const PropertyBag& bag)
{
    // A place or size no form can show is no layout to try.
    left_ = stored_position(bag, QStringLiteral("Left"), left_);
    top_ = stored_position(bag, QStringLiteral("Top"), top_);
    width_ = stored_length(bag, QStringLiteral("Width"), width_);
    height_ = stored_length(bag, QStringLiteral("Height"), height_);
    align_ = stored_choice(bag, kStoredChoices, QStringLiteral("Align"), align_);
    apply_geometry();
    if (align_ != vbAlignNone)
        form_.dock_aligned();
}

void ControlSite::read_extender(const PropertyBag& bag)
{
    setTag(bag.ReadProperty(QStringLiteral("Tag"), tag_).toString());
    setDefault(bag.ReadProperty(QStringLiteral("Default"), default_).toBool());
    setCancel(bag.ReadProperty(QStringLiteral("Cancel"), cancel_).toBool());
    setTabStop(bag.ReadProperty(QStringLiteral("TabStop"), tab_stop_).toBool());
    setTabIndex(bag.ReadProperty(QStringLiteral("TabIndex"), tab_index_).toInt());
    setToolTipText(bag.ReadProperty(QStringLiteral("ToolTipText"), tool_tip_).toString());
    setHelpContextID(bag.ReadProperty(QStringLiteral("HelpContextID"), help_context_).toInt());
    visible_ = bag.ReadProperty(QStringLiteral("Visible"), visible_).toBool();
}

} // namespace forms
