// A small host of our own for the display controls on a real X display: it loads a form file
// into the forms runtime and shows it as a program's window. Given a second form file, it then
// shows that one as the program shows its dialogs, Show vbModal with the first as owner, and
// prints "modal run ended" when that Show returns. What the controls get at run time from a
// host (lines of an information panel, step states) it sets itself, as a program would.
//
// display_form_host <form file> [<dialog form file>]; the registry is $OSTREL_REGISTRY.

#include "controls/display/ky_progress_info.h"
#include "controls/display/tlx_info_panel.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/hosting/host_form.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/vb_error.h"
#include "platform/win32/win_types.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

extern "C" HRESULT DllRegisterServer();

namespace {

// What a program sets on its display controls once they are loaded.
void fill_in(forms::Form& form)
{
    for (forms::ControlSite* site : form.sites()) {
        if (auto* panel = qobject_cast<TlxInfoPanel*>(site->control())) {
            panel->AddInfoLabel(QStringLiteral("Domain"), QStringLiteral("test.example"));
            panel->AddInfoLabel(QStringLiteral("Sites"), QStringLiteral("Head office\r\nBranch"));
        } else if (qobject_cast<KyProgressInfo*>(site->control())) {
            forms::call(site, QStringLiteral("StepState"), {0, ST_PASSED});
            forms::call(site, QStringLiteral("StepState"), {1, ST_SKIPPED});
            forms::call(site, QStringLiteral("StepState"), {2, ST_RUNNING});
            forms::let(site, QStringLiteral("Progress"), 30);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: display_form_host <form file> [<dialog form file>]\n");
        return 2;
    }
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("display-form-host"));
    if (DllRegisterServer() != 0) {
        std::fprintf(stderr, "the control library does not register\n");
        return 1;
    }
    forms::HostForm main_form;
    forms::HostForm dialog;
    try {
        main_form.load(forms::FormFile::read(QString::fromLocal8Bit(argv[1])));
        fill_in(main_form);
        main_form.Show(forms::vbModeless);
        if (argc > 2) {
            dialog.load(forms::FormFile::read(QString::fromLocal8Bit(argv[2])));
            QTimer::singleShot(500, &main_form, [&] {
                try {
                    dialog.Show(forms::vbModal, &main_form);
                } catch (const forms::VbError& e) {
                    std::fprintf(stderr, "Show: %s\n", e.description().toUtf8().constData());
                }
                std::printf("modal run ended\n");
                std::fflush(stdout);
            });
        }
    } catch (const forms::VbError& e) {
        std::fprintf(stderr, "error %d: %s\n", e.number(), e.description().toUtf8().constData());
        return 1;
    }
    std::printf("shown\n");
    std::fflush(stdout);
    return app.exec();
}
