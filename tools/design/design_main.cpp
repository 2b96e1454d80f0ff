// ostrel-design FORMFILE [CONTROL]: opens a form file in design mode and lists its controls;
// with CONTROL it opens that control's property sheet at once. Save writes the file back.

#include "platform/com/runtime.h"
#include "platform/forms/hosting/do_events.h"
#include "tools/design/design_window.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    QApplication app(argc, argv);
    forms::install_sta_wakeup();
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty() || args.size() > 2) {
        std::fprintf(stderr, "usage: ostrel-design FORMFILE [CONTROL]\n");
        return 2;
    }
    DesignWindow window;
    window.show();
    if (!window.open(args[0]))
        return 1;
    if (args.size() == 2)
        window.show_properties(args[1], false);
    return QApplication::exec();
}
