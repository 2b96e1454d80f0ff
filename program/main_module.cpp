#include "program/main_module.h"

#include "program/collector.h"
#include "program/command_line.h"
#include "program/resources.h"

#include "platform/com/runtime.h"
#include "platform/forms/message_box.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace MainModule {
namespace {

constexpr int kUsageString = 148;

bool display_available()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return platform && *platform;
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

} // namespace

void ShowUsage()
{
    forms::MsgBox(Resources::Shared().LoadString(kUsageString), forms::vbInformation | forms::vbOKOnly,
                  QStringLiteral("Command Line Options"));
}

int Main(const QString& commandLine)
{
    const CCommandLine args(commandLine);
    Resources::Shared();
    forms::set_application_title(QStringLiteral("Ostrel"));
    apartment sta;

    if (args.Count() == 0) {
        std::fprintf(stderr, "Ostrel: the wizard is not part of this build; run it with /out:file.\n");
        return 1;
    }
    if (!args.Argument(QStringLiteral("out"))) {
        // With a display the usage is a message box; without one the box goes to standard
        // error, so the process never waits for a click nobody can give.
        std::unique_ptr<QApplication> app;
        static int argc = 1;
        static char name[] = "Ostrel";
        static char* argv[] = {name, nullptr};
        if (display_available())
            app = std::make_unique<QApplication>(argc, argv);
        else
            forms::set_headless(true);
        ShowUsage();
        return 0;
    }

    // The headless run shows no modal box: whatever it would show goes to standard error.
    forms::set_headless(true);
    CCollector collector;
    const QString domains = args.Argument(QStringLiteral("Domain")) ? args.value(QStringLiteral("Domain")) : QString();
    return collector.CollectAndSave(domains, args.Argument(QStringLiteral("Exchange5")), args.value(QStringLiteral("out")));
}

} // namespace MainModule
