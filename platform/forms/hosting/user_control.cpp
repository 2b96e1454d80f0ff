#include "platform/forms/hosting/user_control.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/vb_error.h"

#include <QApplication>

namespace forms {

UserControl::UserControl(QWidget* parent) : QWidget(parent)
{
    // MouseMove follows every move of the pointer over the control, not only drags.
    setMouseTracking(true);
    // The focus enters the control when it reaches the control or any widget inside it (a
    // constituent button), and leaves it when it goes to a widget outside.
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        focus_connection_ = connect(app, &QApplication::focusChanged, this,
                                    [this](QWidget* old, QWidget* now) { focus_moved(old, now); });
}

// The widget's own destruction moves the focus; by then this is no UserControl any more.
UserControl::~UserControl() { QObject::disconnect(focus_connection_); }

ControlSite& UserControl::Extender() const
{
    if (!site_ || stage_ == Stage::Terminated)
        forms::raise(vberr::ClientSiteNotAvailable);
    return *site_;
}

AmbientProperties& UserControl::Ambient() const { return Extender().ambient(); }
Form& UserControl::ParentForm() const { return Extender().form(); }

void UserControl::PropertyChanged(const QString& name)
{
    if (site_ && stage_ != Stage::Terminated)
        site_->form().notify_property_changed(*site_, name);
}

double UserControl::ScaleWidth() const { return width() * Screen::TwipsPerPixelX(); }
double UserControl::ScaleHeight() const { return height() * Screen::TwipsPerPixelY(); }

template <typename F>
void UserControl::guarded(const char* what, F&& hook)
{
    try {
        hook();
    } catch (const VbError& e) {
        report_unhandled_error(e.number(), e.description());
    } catch (const std::exception& e) {
        report_unhandled_error(vberr::OutOfMemory,
                               QString::fromUtf8(what) + QStringLiteral(": ") + QString::fromUtf8(e.what()));
    }
}

void UserControl::run_initialize()
{
    if (stage_ != Stage::Created)
        return;
    stage_ = Stage::Initialized;
    Initialize();
}

void UserControl::run_load(ControlSite& site, PropertyBag* bag)
{
    site_ = &site;
    if (bag) {
        try {
            ReadProperties(*bag);
        } catch (const StoredValueError&) {
            throw;
        } catch (const VbError& error) {
            // A setter refused what was just read ("Invalid property value"): say where.
            if (bag->last_read().isEmpty() || error.description().startsWith(QLatin1String("Form file")))
                throw;
            const QString what = error.description().isEmpty() ? standard_description(error.number())
                                                               : error.description();
            throw StoredValueError(error.number(), error.source(),
                                   bag->where(bag->last_read()) + QStringLiteral(": ") + what);
        }
        // A control that handles its own errors still does not load a value its bag refused.
        if (bag->refusal())
            throw *bag->refusal();
    } else
        InitProperties();
    stage_ = Stage::Loaded;
}

void UserControl::run_write(PropertyBag& bag)
{
    if (stage_ == Stage::Loaded)
        WriteProperties(bag);
}

void UserControl::run_resize()
{
    if (stage_ == Stage::Loaded) {
        notified_size_ = size();
        Resize();
    }
}

void UserControl::run_ambient_changed(const QString& name)
{
    if (stage_ == Stage::Loaded)
        AmbientChanged(name);
}

void UserControl::run_access_key(int key_ascii)
{
    if (stage_ == Stage::Loaded)
        AccessKeyPress(key_ascii);
}

void UserControl::run_terminate()
{
    if (stage_ == Stage::Terminated || stage_ == Stage::Created || terminating_)
        return;
    // The site stays reachable during Terminate, so a control can still tell its siblings
    // it leaves; an error there is reported and the unload goes on with the next control.
    terminating_ = true;
    guarded("Terminate", [this] { Terminate(); });
    terminating_ = false;
    stage_ = Stage::Terminated;
}

bool UserControl::run_resize_if_changed()
{
    // Before the load's first Resize the host is still placing the control; that Resize
    // follows and covers the size set so far.
    if (stage_ == Stage::Loaded && notified_size_.isValid() && size() != notified_size_) {
        notified_size_ = size();
        guarded("Resize", [this] { Resize(); });
        return true;
    }
    return false;
}

void UserControl::run_container_resize()
{
    if (stage_ == Stage::Loaded && notified_size_.isValid()) {
        notified_size_ = size();
        guarded("Resize", [this] { Resize(); });
    }
}

void UserControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    run_resize_if_changed();
}

void UserControl::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (stage_ == Stage::Loaded && !shown_) {
        shown_ = true;
        guarded("Show", [this] { Show(); });
    }
}

void UserControl::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (stage_ == Stage::Loaded && shown_) {
        shown_ = false;
        guarded("Hide", [this] { Hide(); });
    }
}

void UserControl::focus_moved(QWidget* old, QWidget* now)
{
    if (stage_ != Stage::Loaded)
        return;
    const bool was_inside = old != nullptr && (old == this || isAncestorOf(old));
    const bool is_inside = now != nullptr && (now == this || isAncestorOf(now));
    if (is_inside && !was_inside)
        guarded("EnterFocus", [this] { EnterFocus(); });
    else if (was_inside && !is_inside)
        guarded("ExitFocus", [this] { ExitFocus(); });
}

} // namespace forms
