#include "platform/forms/hosting/form.h"

#include "platform/forms/hosting/control_factory.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/intrinsics/intrinsic_classes.h"
#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/core/key_case.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/stored_value.h"
#include "platform/forms/hosting/user_control.h"
#include "platform/forms/core/vb_error.h"
#include "platform/forms/core/warnings.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace forms {

Form::Form(bool user_mode, QWidget* parent) : QWidget(parent), user_mode_(user_mode) { setFont(StdFont::create()); }

Form::~Form() { unload(); }

ControlSite* Form::site(const QString& name) const { return site_names_.value(key_fold(name), nullptr); }

void Form::site_renamed(ControlSite& s, const QString& old_name)
{
    site_names_.remove(key_fold(old_name));
    site_names_.insert(key_fold(s.Name()), &s);
}

QVariantList Form::Controls() const
{
    QVariantList list;
    for (ControlSite* s : sites_)
        list.push_back(QVariant::fromValue(static_cast<QObject*>(s)));
    for (const IntrinsicEntry& entry : intrinsics_)
        if (entry.control)
            list.push_back(QVariant::fromValue(static_cast<QObject*>(entry.control.data())));
    return list;
}

ControlSite& Form::add_control(std::unique_ptr<UserControl> control, const QString& class_name, const QString& name,
                               ControlSite* container, PropertyBag* bag, const PropertyBag* extender)
{
    if (!control)
        forms::raise(vberr::ObjectVariableNotSet);
    if (!ControlSite::is_valid_name(name) || name_in_use(name))
        forms::raise(vberr::InvalidProcedureCall, {},
                     QStringLiteral("A control named \"%1\" cannot be added").arg(name));
    UserControl* raw = control.get();
    raw->hide();
    raw->setParent(container && container->control() ? static_cast<QWidget*>(container->control())
                                                     : static_cast<QWidget*>(this));
    // Initialize runs before the control has a site, as in the runtime.
    raw->run_initialize();
    auto* s = new ControlSite(*this, *raw, class_name, name, container);
    s->setParent(this);
    sites_.push_back(s);
    site_names_.insert(key_fold(name), s);
    zorder_.push_back(s);
    control.release();
    try {
        if (extender)
            s->read_stored_geometry(*extender);
        else
            s->apply_geometry();
        raw->run_load(*s, bag);
        if (extender)
            s->read_extender(*extender);
        s->apply_focus_policy(); // the constituents are made by now
        // A label placed just before the control names it (an up-down box after "Days:").
        if (label_before_next_ && label_container_ == container)
            label_before_next_->name_next(raw);
        label_before_next_ = nullptr;
        raw->run_resize();
        raw->setVisible(user_mode_ ? s->Visible() : true);
        // Only a docked control moves the others; a form of many controls is not walked
        // once per control.
        if (s->Align() != vbAlignNone)
            dock_aligned();
    } catch (...) {
        remove_control(*s);
        throw;
    }
    return *s;
}

ControlSite& Form::add_control(const QString& class_name, const QString& name, ControlSite* container)
{
    return add_control(ControlFactory::create(class_name), class_name, name, container);
}

namespace {

// A refusal that does not say where it is (a name in use, a class that is not registered)
// is told at the control's Begin line.
[[noreturn]] void rethrow_located(const VbError& error, const FormControlData& c)
{
    if (c.line <= 0 || error.description().startsWith(QLatin1String("Form file")))
        throw;
    const QString file = c.properties.file();
    const QString where = file.isEmpty() ? QStringLiteral("Form file line %1").arg(c.line)
                                         : QStringLiteral("Form file %1 line %2").arg(file).arg(c.line);
    const QString what = error.description().isEmpty() ? standard_description(error.number()) : error.description();
    throw VbError(error.number(), error.source(), QStringLiteral("%1: control %2: %3").arg(where, c.name, what));
}

// A stored key no property read is kept in the file but loads as nothing: said, not refused.
void warn_unread(const PropertyBag& bag)
{
    for (const PropertyBag::Entry* entry : bag.unread())
        report_warning(bag.where(entry->key) + QStringLiteral(": no property of that name reads it; not loaded"));
}

} // namespace

void Form::load_controls(const std::vector<FormControlData>& controls, ControlSite* container)
{
    for (const FormControlData& c : controls) {
        try {
            if (is_intrinsic_class(c.class_name)) {
                load_intrinsic(c, container);
                continue;
            }
            PropertyBag bag = c.properties;
            ControlSite& s = add_control(ControlFactory::create(c.class_name), c.class_name, c.name, container, &bag,
                                         &c.extender);
            warn_unread(c.extender);
            warn_unread(bag);
            load_controls(c.children, &s);
        } catch (const StoredValueError&) {
            throw; // the bag told where already
        } catch (const VbError& error) {
            rethrow_located(error, c);
        }
    }
}

void Form::load(const FormData& data)
{
    name_ = data.name;
    const PropertyBag& p = data.properties;
    setCaption(p.ReadProperty(QStringLiteral("Caption"), QString()).toString());
    if (p.contains(QStringLiteral("Width")))
        setWidth(stored_length(p, QStringLiteral("Width"), Width()));
    if (p.contains(QStringLiteral("Height")))
        setHeight(stored_length(p, QStringLiteral("Height"), Height()));
    setBorderStyle(p.ReadProperty(QStringLiteral("BorderStyle"), 2).toInt());
    setControlBox(p.ReadProperty(QStringLiteral("ControlBox"), true).toBool());
    setStartUpPosition(p.ReadProperty(QStringLiteral("StartUpPosition"), 3).toInt());
    setBackColor(p.ReadProperty(QStringLiteral("BackColor"), syscolor::ButtonFace).toUInt());
    setForeColor(p.ReadProperty(QStringLiteral("ForeColor"), syscolor::ButtonText).toUInt());
    if (p.contains(QStringLiteral("Font")))
        setFont(p.ReadProperty(QStringLiteral("Font"), QVariant::fromValue(StdFont::create())).value<FontRef>());
    warn_unread(p);
    // The tab order is chained once the controls are all there, not once per control.
    loading_ = true;
    try {
        load_controls(data.controls, nullptr);
    } catch (...) {
        loading_ = false;
        // A form that cannot be loaded whole is not left half loaded.
        unload();
        throw;
    }
    loading_ = false;
    apply_tab_order();
}

void Form::save_controls(std::vector<FormControlData>& out, ControlSite* container) const
{
    for (ControlSite* s : sites_) {
        if (s->container() != container || !s->control())
            continue;
        FormControlData c{s->class_name(), s->Name(), {}, {}, {}};
        s->write_extender(c.extender);
        s->control()->run_write(c.properties);
        save_controls(c.children, s);
        out.push_back(std::move(c));
    }
    save_intrinsics(out, container);
}

FormData Form::save() const
{
    FormData data;
    data.name = name_;
    PropertyBag& p = data.properties;
    p.WriteProperty(QStringLiteral("Caption"), Caption(), QString());
    p.WriteProperty(QStringLiteral("Width"), Width());
    p.WriteProperty(QStringLiteral("Height"), Height());
    p.WriteProperty(QStringLiteral("BorderStyle"), border_style_, 2);
    p.WriteProperty(QStringLiteral("ControlBox"), control_box_, true);
    p.WriteProperty(QStringLiteral("StartUpPosition"), start_up_position_, 3);
    p.WriteProperty(QStringLiteral("BackColor"), back_color_, syscolor::ButtonFace);
    p.WriteProperty(QStringLiteral("ForeColor"), fore_color_, syscolor::ButtonText);
    p.WriteProperty(QStringLiteral("Font"), QVariant::fromValue(font_), QVariant::fromValue(StdFont::create()));
    save_controls(data.controls, nullptr);
    return data;
}

void Form::unload()
{
    if ((sites_.empty() && intrinsics_.empty()) || unloading_)
        return;
    unloading_ = true;
    // A key queued meanwhile (a second Cancel) must not reach controls that are leaving.
    const UserInputHold hold;
    remove_intrinsics(nullptr);
    // Hide and Terminate may run queued calls (DoEvents) that change the list; walk a copy
    // that notices a control gone.
    const auto snapshot = guarded_sites();
    for (const QPointer<ControlSite>& s : snapshot)
        if (s && s->control())
            s->control()->hide();
    // Every control's Terminate runs while all its siblings still exist.
    for (const QPointer<ControlSite>& s : snapshot)
        if (s && s->control())
            s->control()->run_terminate();
    unloading_ = false;
    auto sites = std::move(sites_);
    sites_.clear();
    site_names_.clear();
    zorder_.clear();
    // Children of container controls go before their containers.
    for (auto it = sites.rbegin(); it != sites.rend(); ++it) {
        delete (*it)->control();
        delete *it;
    }
}

void Form::remove_control(ControlSite& s)
{
    // A removal asked for while the form unloads is part of that unload.
    if (unloading_)
        return;
    // Controls placed inside this one go first.
    std::vector<ControlSite*> children;
    for (ControlSite* c : sites_)
        if (c->container() == &s)
            children.push_back(c);
    for (ControlSite* c : children)
        remove_control(*c);
    remove_intrinsics(&s);
    if (UserControl* c = s.control()) {
        c->hide();
        c->run_terminate();
    }
    sites_.erase(std::remove(sites_.begin(), sites_.end(), &s), sites_.end());
    site_names_.remove(key_fold(s.Name()));
    zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), &s), zorder_.end());
    delete s.control();
    delete &s;
    dock_aligned();
}

void Form::set_user_mode(bool user_mode)
{
    if (user_mode == user_mode_)
        return;
    user_mode_ = user_mode;
    apply_window_style();
    for (ControlSite* s : sites_)
        if (s->control())
            s->control()->setVisible(user_mode_ ? s->Visible() : true);
    notify_ambient(QStringLiteral("UserMode"));
}

void Form::notify_ambient(const QString& name)
{
    const auto sites = sites_;
    for (ControlSite* s : sites)
        if (s->control())
            s->control()->run_ambient_changed(name);
}

// The size in twips is the one set while the window keeps the pixels it gave, so a stored
// 7512 reads back 7512 and not the 7515 of its nearest whole pixels.
double Form::Width() const
{
    return width() == set_pixels_.width() ? set_twips_.width() : width() * Screen::TwipsPerPixelX();
}
double Form::Height() const
{
    return height() == set_pixels_.height() ? set_twips_.height() : height() * Screen::TwipsPerPixelY();
}
// A hidden form gets its resize event only when shown; docking follows the new size at once.
void Form::setWidth(double twips)
{
    set_twips_.setWidth(twips);
    set_pixels_.setWidth(Screen::to_pixels_x(twips));
    resize_window(QSize(set_pixels_.width(), height()));
    dock_after_form_resize();
}

void Form::setHeight(double twips)
{
    set_twips_.setHeight(twips);
    set_pixels_.setHeight(Screen::to_pixels_y(twips));
    resize_window(QSize(width(), set_pixels_.height()));
    dock_after_form_resize();
}

void Form::resize_window(QSize size)
{
    if (user_resizable()) {
        resize(size);
        return;
    }
    setFixedSize(size);
}

bool Form::user_resizable() const
{
    return !user_mode_ || !(border_style_ == 1 || border_style_ == 3 || border_style_ == 4);
}

void Form::setBorderStyle(int style)
{
    if (style < 0 || style > 5)
        forms::raise(vberr::InvalidPropertyValue);
    border_style_ = style;
    apply_window_style();
}

void Form::setControlBox(bool value)
{
    control_box_ = value;
    apply_window_style();
}

void Form::apply_window_style()
{
    if (!user_mode_ || parentWidget() != nullptr)
        return;
    Qt::WindowFlags flags = Qt::Window;
    if (border_style_ == 0) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (control_box_) {
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            if (border_style_ == 2)
                flags |= Qt::WindowMinMaxButtonsHint;
        }
        if (border_style_ == 4 || border_style_ == 5)
            flags |= Qt::Tool;
    }
    const bool shown = isVisible();
    setWindowFlags(flags);
    if (user_resizable()) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(size());
    }
    if (shown)
        show();
}

void Form::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The owner: the Qt parent's window, or the window a modal Show keeps this one above.
    const QWindow* owner = parentWidget()   ? parentWidget()->window()->windowHandle()
                           : windowHandle() ? windowHandle()->transientParent()
                                            : nullptr;
    // Centre of the owner window (1) or of the screen (2); a form without an owner centres
    // on the screen. A dialog over its owner is centred on it unless placed by hand (0).
    const bool on_owner = start_up_position_ == 1 || (start_up_position_ == 3 && owner != nullptr);
    if (placed_ || !user_mode_ || (!on_owner && start_up_position_ != 2))
        return;
    placed_ = true;
    const QScreen* where = screen();
    const QRect area = on_owner && owner ? owner->frameGeometry() : where ? where->availableGeometry() : QRect();
    if (area.isValid())
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
}
double Form::ScaleWidth() const { return width() * Screen::TwipsPerPixelX(); }
double Form::ScaleHeight() const { return height() * Screen::TwipsPerPixelY(); }

int Form::WindowState() const
{
    if (windowState() & Qt::WindowMinimized)
        return 1;
    if (windowState() & Qt::WindowMaximized)
        return 2;
    return 0;
}

void Form::setWindowState(int state)
{
    if (state < 0 || state > 2)
        forms::raise(vberr::InvalidPropertyValue);
    QWidget::setWindowState(state == 1 ? Qt::WindowMinimized : state == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
}

void Form::setBackColor(OLE_COLOR color)
{
    back_color_ = color;
    update();
    notify_ambient(QStringLiteral("BackColor"));
}

void Form::setForeColor(OLE_COLOR color)
{
    fore_color_ = color;
    notify_ambient(QStringLiteral("ForeColor"));
}

void Form::setFont(FontRef font)
{
    if (!font)
        forms::raise(vberr::ObjectVariableNotSet);
    QObject::disconnect(font_connection_);
    font_ = std::move(font);
    font_connection_ = connect(font_.get(), &StdFont::FontChanged, this,
                               [this] { notify_ambient(QStringLiteral("Font")); });
    QWidget::setFont(font_->to_qfont());
    notify_ambient(QStringLiteral("Font"));
}

bool Form::route_key(int key_ascii)
{
    for (ControlSite* s : sites_) {
        const bool wanted = key_ascii == 13 ? s->Default() : key_ascii == 27 ? s->Cancel() : false;
        if (wanted && s->control() && s->control()->isEnabled()) {
            s->control()->run_access_key(key_ascii);
            return true;
        }
    }
    return false;
}

void Form::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const int ascii = (key == Qt::Key_Return || key == Qt::Key_Enter) ? 13 : key == Qt::Key_Escape ? 27 : 0;
    if (ascii && user_mode_) {
        bool taken = false;
        try {
            taken = route_key(ascii);
        } catch (const VbError& e) {
            report_unhandled_error(e.number(), e.description());
            taken = true;
        }
        if (taken) {
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void Form::apply_tab_order()
{
    if (loading_)
        return;
    std::vector<ControlSite*> ordered;
    for (ControlSite* s : sites_)
        if (s->control())
            ordered.push_back(s);
    std::stable_sort(ordered.begin(), ordered.end(), [](const ControlSite* a, const ControlSite* b) {
        return a->container() != b->container() ? a->container() < b->container() : a->TabIndex() < b->TabIndex();
    });
    for (std::size_t i = 1; i < ordered.size(); ++i)
        if (ordered[i]->container() == ordered[i - 1]->container())
            QWidget::setTabOrder(ordered[i - 1]->control(), ordered[i]->control());
}

std::vector<QPointer<ControlSite>> Form::guarded_sites(bool front_first) const
{
    std::vector<QPointer<ControlSite>> list;
    if (front_first)
        for (auto it = zorder_.rbegin(); it != zorder_.rend(); ++it)
            list.emplace_back(*it);
    else
        for (ControlSite* s : sites_)
            list.emplace_back(s);
    return list;
}

void Form::dock_aligned() { dock_walk(false); }

void Form::dock_after_form_resize()
{
    const bool resized = size() != docked_form_size_;
    docked_form_size_ = size();
    dock_walk(resized);
}

void Form::dock_walk(bool container_resized)
{
    if (docking_) {
        redock_ = true;
        return;
    }
    docking_ = true;
    // A bounded number of passes: each Resize may ask for docking again.
    for (int pass = 0; pass < 4; ++pass) {
        redock_ = false;
        double left = 0, top = 0, right = ScaleWidth(), bottom = ScaleHeight();
        // The front-most control docks first, nearest the form's edge.
        for (const QPointer<ControlSite>& s : guarded_sites(true)) {
            if (!s || s->Align() == vbAlignNone || s->container() || (user_mode_ && !s->Visible()))
                continue;
            const double width = s->Width(), height = s->Height();
            switch (s->Align()) {
            case vbAlignTop:
                top += height;
                s->set_docked_geometry(left, top - height, right - left, height, container_resized);
                break;
            case vbAlignBottom:
                bottom -= height;
                s->set_docked_geometry(left, bottom, right - left, height, container_resized);
                break;
            case vbAlignLeft:
                left += width;
                s->set_docked_geometry(left - width, top, width, bottom - top, container_resized);
                break;
            case vbAlignRight:
                right -= width;
                s->set_docked_geometry(right, top, width, bottom - top, container_resized);
                break;
            default: break;
            }
        }
        container_resized = false;
        if (!redock_)
            break;
    }
    docking_ = false;
}

void Form::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    dock_after_form_resize();
}

void Form::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), resolve_color(back_color_, palette()));
}

void Form::notify_property_changed(ControlSite& s, const QString& name)
{
    dirty_ = true;
    emit PropertyChangedOn(&s, name);
}

void Form::site_became_default(ControlSite& s)
{
    for (ControlSite* other : sites_)
        if (other != &s && other->Default())
            other->setDefault(false);
}

void Form::site_became_cancel(ControlSite& s)
{
    for (ControlSite* other : sites_)
        if (other != &s && other->Cancel())
            other->setCancel(false);
}

void Form::site_zorder(ControlSite& s, int position)
{
    zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), &s), zorder_.end());
    if (position == 0) {
        zorder_.push_back(&s);
        if (s.control())
            s.control()->raise();
    } else {
        zorder_.insert(zorder_.begin(), &s);
        if (s.control())
            s.control()->lower();
    }
    dock_aligned();
}

} // namespace forms
