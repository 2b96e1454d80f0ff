// Load time of a form as its number of controls grows: a form file of 10,000, 20,000 and
// 40,000 controls (the runtime's labels, and the control library's labels placed through the
// registry) parsed and loaded into a design-mode form. Linear loading shows as the time
// doubling with the count.

#include "platform/forms/hosting/form.h"
#include "platform/forms/core/form_file.h"
#include "platform/win32/win_types.h"
#include "tests/support/temp_registry.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

extern "C" HRESULT DllRegisterServer();

namespace {

QString form_of(const QString& control_class, int labels)
{
    QString text = QStringLiteral("OstrelForm 1\nBegin Form frmMany\n");
    for (int i = 0; i < labels; ++i)
        text += QStringLiteral("   Begin %3 lbl%1\n      @Top = Double %2\n      Caption = String \"Label "
                               "%1\"\n   End\n")
                    .arg(i)
                    .arg(i % 1000 * 15)
                    .arg(control_class);
    return text + QStringLiteral("End\n");
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const ostrel::test::temp_registry registry;
    if (DllRegisterServer() != 0) {
        std::fprintf(stderr, "form_controls_load_bench: the control library does not register\n");
        return 1;
    }
    for (const QString& control_class : {QStringLiteral("VB.Label"), QStringLiteral("KyComCtl.KyLabel")})
        for (const int count : {10000, 20000, 40000}) {
            const QString text = form_of(control_class, count);
            QElapsedTimer timer;
            timer.start();
            forms::Form form(false);
            form.load(forms::FormFile::parse(text));
            std::printf("form of %5d %-16s: loaded in %8.1f ms\n", count, qPrintable(control_class),
                        timer.nsecsElapsed() / 1e6);
            form.unload();
        }
    return 0;
}
