#include "program/wizard/main_module.h"

#include "program/client/collector.h"
#include "program/report/command_line.h"
#include "program/report/process_arguments.h"
#include "program/report/program_strings.h"
#include "program/report/resources.h"
#include "program/wizard/frm_main.h"
#include "program/wizard/stop_signals.h"

#include "platform/com/runtime.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/vb_error.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace program {
namespace {

bool display_available()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(name))
            return true;
    return false;
}

// The application object where a window can be shown, else none. Qt ends the process when
// the platform it is told to use cannot be opened (a display that is gone or refuses us), so
// the offscreen platform is offered after it as the last choice; where Qt falls back to it,
// or was told to use a platform without windows, nothing can be shown either.
std::unique_ptr<QApplication> application_with_windows()
{
    if (!display_available())
        return nullptr;
    QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    if (platforms.isEmpty())
        platforms = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "xcb" : "wayland;xcb";
    if (!platforms.split(';').contains("offscreen"))
        qputenv("QT_QPA_PLATFORM", platforms + ";offscreen");
    static int argc = 1;
    static char name[] = "Ostrel";
    static char* argv[] = {name, nullptr};
    auto app = std::make_unique<QApplication>(argc, argv);
    const QString platform = QGuiApplication::platformName();
    if (platform == u"offscreen" || platform == u"minimal")
        return nullptr;
    return app;
}

// The program's thread is a single-threaded apartment for as long as Main runs.
class apartment {
public:
    apartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~apartment()
    {
        if (hr_ >= 0)
            CoUninitialize();
    }
    apartment(const apartment&) = delete;
    apartment& operator=(const apartment&) = delete;

private:
    HRESULT hr_;
};

// The wizard, modeless; the program runs until the form is unloaded (Finish, Cancel or its
// close box). Without a window to show it in, it says so and ends.
int RunWizard()
{
    const auto app = application_with_windows();
    if (!app) {
        std::fprintf(stderr, "Ostrel: the wizard needs a display (none could be opened); "
                             "run it in a desktop session, or count without a window with /out:file.\n");
        return 1;
    }
    forms::install_sta_wakeup();
    std::shared_ptr<WizardCollector> collector;
    try {
        collector = CreateWizardCollector();
    } catch (const forms::VbError& error) {
        // No collector, no wizard: the reason instead of a window that could do nothing.
        forms::MsgBox(error.description(), forms::vbCritical);
        return 1;
    }
    FrmMain form(collector);
    collector.reset();
    QObject::connect(&form, &forms::HostForm::Unload, app.get(), [](int& Cancel) {
        if (Cancel == 0)
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
    });
    try {
        form.Show(forms::vbModeless);
    } catch (const forms::VbError& error) {
        forms::MsgBox(error.description(), forms::vbCritical);
        return 1;
    }
    // A logout or a stop asked for by the system closes the wizard as its close box does and
    // leaves every event loop, a dialog's included, so the form and its private files go.
    const program::StopSignals stop([&form](int signal) {
        form.close();
        QCoreApplication::exit(128 + signal);
    });
    return app->exec();
}

} // namespace

void ShowUsage()
{
    forms::MsgBox(Resources::Shared().LoadString(IDS_USAGE), forms::vbInformation | forms::vbOKOnly,
                  QStringLiteral("Command Line Options"));
}

int Main(const QStringList& arguments, std::span<char*> argumentMemory)
{
    const CCommandLine args(arguments);
    program::hide_argument_passwords(argumentMemory, args);
    Resources::Shared();
    forms::set_application_title(QStringLiteral("Ostrel"));
    apartment sta;

    if (args.Count() == 0)
        return RunWizard();
    if (!args.Argument(QStringLiteral("out"))) {
        // With a display the usage is a message box; without one the box goes to standard
        // error, so the process never waits for a click nobody can give.
        const auto app = application_with_windows();
        if (!app)
            forms::set_headless(true);
        ShowUsage();
        return 0;
    }

    // The headless run shows no modal box: whatever it would show goes to standard error.
    forms::set_headless(true);
    CCollector collector;
    const QString domains = args.Argument(QStringLiteral("Domain")) ? args.value(QStringLiteral("Domain")) : QString();
    return collector.CollectAndSave(domains, args.Argument(QStringLiteral("Exchange5")),
                                    args.value(QStringLiteral("out")));
}

} // namespace program
