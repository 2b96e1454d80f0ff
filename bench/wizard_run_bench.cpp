// How long the wizard's UI thread goes without turning its event loop while a run counts a
// domain of many users: the longest gap between two turns, from Next on the domain list until
// the results page shows, and the run's time. Then a run stopped with Back while it waits on a
// host that accepts and never answers (a silent listener on 127.0.0.79): the longest gap and
// the time until the domain list shows again (goals: under 100 ms, under 2 s). Prints the
// figures; asserts nothing.
//
//   wizard_run_bench [users]   (default 20000)
//
// The domain is the test slapd on 127.0.0.1 filled with that many users (bench_directory),
// named in the domain list as host:port/administrator/password, so that the run counts it over
// LDAP as its administrator. The network's enumeration is left out (the list is filled by
// hand) and nothing but 127.0.0.1 is asked. The wizard runs under Qt's offscreen platform
// unless QT_QPA_PLATFORM says otherwise, with a registry of its own.

#include "bench/bench_directory.h"
#include "platform/com/runtime.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/intrinsics/list_view.h"
#include "program/client/wizard_collector.h"
#include "program/wizard/domain_list_page.h"
#include "program/wizard/frm_main.h"
#include "tests/program/wizard/loopback_collector.h"
#include "tests/support/silent_listener.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/intrinsics/flex_grid.h"
#include "platform/forms/hosting/user_control.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

extern "C" HRESULT DllRegisterServer();

namespace {

// A click on the navigator's button showing `caption`, as the mouse gives it.
void click_navigator(program::FrmMain& form, const char* caption)
{
    auto* nav = static_cast<forms::ControlSite*>(form.navigator())->control();
    for (auto* b : nav->findChildren<forms::CommandButton*>())
        if (b->Caption() == QLatin1String(caption) && b->Visible()) {
            emit b->Click();
            return;
        }
    std::fprintf(stderr, "no navigator button %s\n", caption);
}

// The Users cell of the results grid's first entry row ("" when there is none).
QString counted_users(program::FrmMain& form)
{
    auto* grid = static_cast<forms::FlexGrid*>(form.intrinsic(QStringLiteral("fxgOutResults")));
    if (grid == nullptr || grid->Rows() < 3)
        return {};
    for (int col = 0; col < grid->Cols(); ++col)
        if (grid->TextMatrix(0, col) == QStringLiteral("Users"))
            return grid->TextMatrix(1, col);
    return {};
}

struct run_figures {
    bool reached = false;
    double seconds = 0;
    double longest_gap_ms = 0;
    long long turns = 0;
};

// A click on the navigator's button showing `caption`, then the event loop turns until the
// page `until` shows; a zero-interval timer fires once a turn, and the time between two
// firings is a gap.
run_figures measure_click(program::FrmMain& form, const char* caption, const QString& until)
{
    run_figures figures;
    QEventLoop loop;
    QElapsedTimer run;
    QElapsedTimer since_turn;
    QTimer turn;
    turn.setInterval(0);
    QObject::connect(&turn, &QTimer::timeout, &loop, [&] {
        figures.longest_gap_ms = std::max(figures.longest_gap_ms, since_turn.nsecsElapsed() / 1e6);
        since_turn.restart();
        ++figures.turns;
        if (form.CurrentPageName() == until) {
            figures.reached = true;
            loop.quit();
        } else if (run.elapsed() > 600000) {
            loop.quit();
        }
    });
    QTimer::singleShot(0, &loop, [&] {
        run.start();
        since_turn.start();
        turn.start();
        click_navigator(form, caption);
    });
    loop.exec();
    figures.seconds = run.nsecsElapsed() / 1e9;
    return figures;
}

// The domain list of a new wizard holding `entry`, ticked.
void to_domain_list_with(program::FrmMain& form, const QString& entry)
{
    form.Show(forms::vbModeless);
    click_navigator(form, "&Next >");
    click_navigator(form, "&Next >");
    forms::ListView& list = form.domains()->lstDomainsList();
    list.setChecked(list.Add(entry, QStringLiteral("1")), true);
    form.domains()->UpdateDomainsNextButton();
}

// A run over many users: Next from the domain list until the results page shows.
bool bench_run(const bench::bench_directory& directory, int users)
{
    program::FrmMain form(std::make_shared<program_test::LoopbackCollector>(program::CreateWizardCollector()));
    to_domain_list_with(form, QString::fromStdString(directory.var("SLAPD_HOST") + ":" + directory.var("SLAPD_PORT") +
                                                     "/" + directory.var("SLAPD_ADMIN_DN") + "/" +
                                                     directory.var("SLAPD_ADMIN_PASSWORD")));
    const run_figures figures = measure_click(form, "&Next >", QStringLiteral("wtChooseOutput"));
    std::printf("%10s %10s %10s %18s %12s\n", "users", "counted", "run s", "longest gap ms", "loop turns");
    std::printf("%10d %10s %10.3f %18.1f %12lld\n", users, counted_users(form).toUtf8().constData(), figures.seconds,
                figures.longest_gap_ms, figures.turns);
    const bool ok = figures.reached && counted_users(form) == QString::number(users);
    if (!ok)
        std::fprintf(stderr, "the run did not reach the results page or counted otherwise:\n%s\n",
                     form.Log().toUtf8().constData());
    form.unload_form(forms::vbFormCode);
    return ok;
}

// A run stopped while it waits on a host that accepts and never answers: Back on the
// processing page until the domain list shows again.
bool bench_cancel_on_silent_host()
{
    ostrel::test::silent_listener silent("127.0.0.79", 0);
    if (!silent.listening()) {
        std::fprintf(stderr, "%s\n", silent.failure().c_str());
        return false;
    }
    program::FrmMain form(std::make_shared<program_test::LoopbackCollector>(program::CreateWizardCollector()));
    to_domain_list_with(form, QStringLiteral("127.0.0.79:%1").arg(silent.port()));
    click_navigator(form, "&Next >");
    QElapsedTimer waited;
    waited.start();
    while (silent.accepted() == 0 && waited.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    // The directory operation is sent and waits for its answer.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    const run_figures figures = measure_click(form, "< &Back", QStringLiteral("wtSelectDomains"));
    std::printf("\n%-28s %18s %12s\n", "cancel on a silent host", "to domain list s", "longest gap ms");
    std::printf("%-28s %18.3f %12.1f\n", "", figures.seconds, figures.longest_gap_ms);
    if (!figures.reached)
        std::fprintf(stderr, "Back did not show the domain list again\n");
    form.unload_form(forms::vbFormCode);
    return figures.reached && silent.accepted() > 0;
}

} // namespace

int main(int argc, char** argv)
{
    const int users = argc > 1 ? std::atoi(argv[1]) : 20000;
    if (users < 1) {
        std::fprintf(stderr, "usage: %s [users]\n", argv[0]);
        return 2;
    }
    bench::bench_directory directory;
    if (!directory.start() || !directory.add_users(0, users)) {
        std::fprintf(stderr, "could not start slapd with %d users\n", users);
        directory.stop();
        return 1;
    }
    setenv("LDAPTLS_CACERT", directory.var("SLAPD_CA").c_str(), 1);
    setenv("LDAPTLS_REQCERT", "demand", 1);
    const std::string registry = directory.state() + "/registry.txt";
    setenv("OSTREL_REGISTRY", registry.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    QApplication app(argc, argv);
    forms::install_sta_wakeup();
    int result = 1;
    if (DllRegisterServer() == 0 && std::system((bench::shell_quote(OSTREL_REGSVR) + " " +
                                                 bench::shell_quote(OSTREL_COLLECTOR_MODULE) + " >/dev/null")
                                                    .c_str()) == 0) {
        const bool counted = bench_run(directory, users);
        const bool stopped = bench_cancel_on_silent_host();
        result = counted && stopped ? 0 : 1;
    } else {
        std::fprintf(stderr, "could not register the control library and the collector\n");
    }
    directory.stop();
    return result;
}
