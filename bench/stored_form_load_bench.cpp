// Load time of stored forms as they grow: a form file of many keys read into its bags, an
// options tree text of many flat pages and of a chain of nested containers read and filled
// into a tree view. Each input is timed at 1x, 10x and 100x its base size; linear loading
// shows as times growing tenfold per step.

#include "controls/options/ky_tree_functions.h"
#include "controls/options/option_tree_text.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/intrinsics/tree_view.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <functional>

namespace {

QString form_of_keys(int keys)
{
    QString text = QStringLiteral("OstrelForm 1\nBegin Form f\nBegin X.Y c\n");
    for (int i = 0; i < keys; ++i)
        text += QStringLiteral("Key%1 = Long %1\n").arg(i);
    return text + QStringLiteral("End\nEnd\n");
}

QString flat_pages(int pages)
{
    QString text = QStringLiteral(" \t_A\t0\tA\t0\t \r\n");
    for (int i = 0; i < pages; ++i)
        text += QStringLiteral("_A\t_A\\P%1\t1\tP%1\t1\r\n").arg(i);
    return text;
}

// Chains of kMaxOptionNesting levels side by side: as deep as a tree text may nest.
QString nested_containers(int containers)
{
    QString text;
    for (int chain = 0; chain * options::kMaxOptionNesting < containers; ++chain) {
        QString parent = QStringLiteral("_C%1").arg(chain);
        text += QStringLiteral(" \t%1\t0\tC\t0\t \r\n").arg(parent);
        for (int level = 2; level <= options::kMaxOptionNesting; ++level) {
            const QString key = parent + QStringLiteral("\\L");
            text += parent + QLatin1Char('\t') + key + QStringLiteral("\t0\tL\t0\t \r\n");
            parent = key;
        }
    }
    return text;
}

void time(const char* what, int base, const std::function<QString(int)>& make,
          const std::function<void(const QString&)>& load)
{
    for (int factor : {1, 10, 100}) {
        const QString input = make(base * factor);
        QElapsedTimer timer;
        timer.start();
        load(input);
        std::printf("%-34s %4dx (%7d, %9lld bytes): %8.1f ms\n", what, factor, base * factor,
                    static_cast<long long>(input.size()), timer.nsecsElapsed() / 1e6);
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    time("form file keys", 2000, form_of_keys, [](const QString& text) { forms::FormFile::parse(text); });
    const auto tree = [](const QString& text) {
        forms::TreeView view(nullptr, QStringLiteral("tv"));
        options::FillOptionTree(view, *options::ParseOptionList(text), false);
    };
    time("options tree, flat pages", 200, flat_pages, tree);
    time("options tree, nested containers", 200, nested_containers, tree);
    return 0;
}
