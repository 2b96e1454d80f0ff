// A host program of the wizard controls, as a developer writes one against the library: a
// form file loaded into the runtime, and handlers of the navigator's events that show a box
// or keep the window alive with DoEvents. What happens is written to stdout, one line an
// event, for a test that drives the window from outside (xdotool, AT-SPI):
//   wizard_host <form file> box    BeforePageChange of the first change shows a message box
//   wizard_host <form file> pump   BeforePageChange of the first change pumps for 3 s
//   wizard_host <form file> job    AfterPageChange onto page 2 runs a 5 s job with DoEvents,
//                                  which the host's CancelClick stops
// Every mode logs the boxes the runtime shows (an error box for a small window, say).

#include "platform/com/runtime.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/services/message_box.h"
#include "platform/win32/win_types.h"
#include "tests/support/temp_registry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>
#include <memory>

extern "C" HRESULT DllRegisterServer();

namespace {

void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Logs every box, then shows it as the runtime does.
class LoggedBoxes : public forms::MessageBoxService {
public:
    int show(const QString& prompt, int style, const QString& title) override
    {
        say(QStringLiteral("box %1: %2").arg(title, QString(prompt).replace(u'\n', u' ').replace(u'\r', u' ')));
        auto self = forms::set_message_box_service(nullptr);
        const int answer = forms::MsgBox(prompt, style, title);
        forms::set_message_box_service(self);
        return answer;
    }
};

QString page_name(const QVariant& page)
{
    QObject* object = page.value<QObject*>();
    return object ? forms::get(object, QStringLiteral("Name")).toString() : QStringLiteral("none");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: wizard_host <form file> box|pump|job\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("wizard-host"));
    forms::install_sta_wakeup();
    const ostrel::test::temp_registry registry;
    if (DllRegisterServer() != 0) {
        std::fprintf(stderr, "the control library did not register\n");
        return 1;
    }
    forms::set_message_box_service(std::make_shared<LoggedBoxes>());
    const QString mode = QString::fromLocal8Bit(argv[2]);

    auto form = std::make_unique<forms::Form>(true);
    form->load(forms::FormFile::read(QString::fromLocal8Bit(argv[1])));
    forms::ControlSite* nav = form->site(QStringLiteral("kwnNavigator"));
    int depth = 0;
    int changes = 0;
    bool cancelled = false;
    forms::connect_event(nav, QStringLiteral("BeforePageChange"), form.get(), [&](QVariantList& args) {
        ++depth;
        say(QStringLiteral("before depth %1 to %2").arg(depth).arg(page_name(args[1])));
        if (++changes == 1 && mode == QStringLiteral("box")) {
            forms::MsgBox(QStringLiteral("The host checks the page."), forms::vbInformation, QStringLiteral("Host"));
        } else if (changes == 1 && mode == QStringLiteral("pump")) {
            say(QStringLiteral("pumping"));
            QElapsedTimer t;
            t.start();
            while (t.elapsed() < 3000) {
                forms::DoEvents();
                QThread::msleep(10);
            }
        }
        say(QStringLiteral("before ends depth %1").arg(depth));
        --depth;
    });
    forms::connect_event(nav, QStringLiteral("AfterPageChange"), form.get(), [&](QVariantList& args) {
        say(QStringLiteral("after depth %1 to %2").arg(depth + 1).arg(page_name(args[1])));
        if (mode != QStringLiteral("job") || page_name(args[1]) != QStringLiteral("wtWork"))
            return;
        say(QStringLiteral("job starts"));
        QElapsedTimer t;
        t.start();
        cancelled = false;
        while (!cancelled && t.elapsed() < 5000) {
            forms::DoEvents();
            QThread::msleep(10);
        }
        say(QStringLiteral("job ends after %1 ms%2").arg(t.elapsed()).arg(cancelled ? " (cancelled)" : ""));
    });
    forms::connect_event(nav, QStringLiteral("CancelClick"), form.get(), [&](QVariantList&) {
        say(QStringLiteral("cancel"));
        cancelled = true;
    });
    form->show();
    say(QStringLiteral("shown"));
    const int result = QApplication::exec();
    form->unload();
    return result;
}
