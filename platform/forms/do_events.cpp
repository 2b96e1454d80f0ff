#include "platform/forms/do_events.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

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

} // namespace

UserInputHold::UserInputHold() { ++g_input_holds; }
UserInputHold::~UserInputHold() { --g_input_holds; }

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
