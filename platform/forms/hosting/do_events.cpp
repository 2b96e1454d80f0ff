#include "platform/forms/hosting/do_events.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <deque>
#include <utility>

#include "platform/com/apartment.h"

namespace forms {

namespace {

void serve_apartment() { com::serve_sta_queue(); }

// Lives on the UI thread; a posted event makes it serve the apartment's queue there.
class StaPump : public QObject {
public:
    static QEvent::Type type()
    {
        static const auto t = static_cast<QEvent::Type>(QEvent::registerEventType());
        return t;
    }
    bool event(QEvent* e) override
    {
        if (e->type() != type())
            return QObject::event(e);
        serve_apartment();
        return true;
    }
};

QPointer<StaPump> g_pump;
int g_input_holds = 0; // UI thread only

// Input held back while a hold lived, in the order it came (UI thread only).
struct HeldInput {
    QPointer<QWidget> control;
    std::function<void()> input;
};
std::deque<HeldInput> g_held;
bool g_release_posted = false;

void release_held_input()
{
    g_release_posted = false;
    while (!g_held.empty() && g_input_holds == 0) {
        HeldInput next = std::move(g_held.front());
        g_held.pop_front();
        if (next.control && takes_user_input(*next.control))
            next.input();
    }
}

// The held input runs from the event loop once the work that held it has returned, as the
// window system's queued input does.
void post_release()
{
    if (g_release_posted || g_held.empty() || !QCoreApplication::instance())
        return;
    g_release_posted = true;
    QMetaObject::invokeMethod(QCoreApplication::instance(), release_held_input, Qt::QueuedConnection);
}

// A window the top modal window blocks: any window but that one and the windows it belongs
// to, for an application-modal window; its own parents, for a window-modal one.
bool blocked_by_modal_window(const QWidget& control)
{
    QWindow* modal = QGuiApplication::modalWindow();
    const QWidget* top = control.window();
    QWindow* own = top ? top->windowHandle() : nullptr;
    if (modal == nullptr || own == nullptr)
        return false;
    for (QWindow* w = own; w != nullptr; w = w->transientParent())
        if (w == modal)
            return false;
    if (modal->modality() == Qt::ApplicationModal)
        return true;
    for (QWindow* w = modal->transientParent(); w != nullptr; w = w->transientParent())
        if (w == own)
            return true;
    return false;
}

} // namespace

UserInputHold::UserInputHold() { ++g_input_holds; }
UserInputHold::~UserInputHold()
{
    if (--g_input_holds == 0)
        post_release();
}

bool user_input_held() { return g_input_holds > 0; }

bool takes_user_input(const QWidget& control)
{
    return control.isVisible() && control.isEnabled() && !blocked_by_modal_window(control);
}

void deliver_user_input(QWidget& control, std::function<void()> input)
{
    if (!takes_user_input(control))
        return;
    if (g_input_holds > 0 || !g_held.empty()) {
        g_held.push_back({&control, std::move(input)});
        if (g_input_holds == 0)
            post_release();
        return;
    }
    input();
}

int DoEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(g_input_holds > 0 ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    serve_apartment();
    int open = 0;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                ++open;
    return open;
}

void install_sta_wakeup()
{
    if (!QCoreApplication::instance() || g_pump)
        return;
    g_pump = new StaPump();
    g_pump->setParent(QCoreApplication::instance());
    QPointer<StaPump> pump = g_pump;
    com::set_sta_wakeup([pump] {
        if (pump)
            QCoreApplication::postEvent(pump.data(), new QEvent(StaPump::type()));
    });
}

} // namespace forms
