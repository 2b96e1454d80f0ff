// The wizard started as a user starts it: Ostrel without arguments on an X display of its
// own (Xvfb), as a real window of Qt's xcb platform, its welcome page grabbed from the screen.
// Skipped where xvfb-run is missing, unless OSTREL_REQUIRE_SERVERS=1 makes that a failure.

#include "tests/program/headless_process.h"
#include "tests/program/xvfb_controls.h"
#include "tests/program/xvfb_run.h"
#include "tests/support/forms/test_artefacts.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QSet>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using program_test::headless_process;

using program_test::register_controls;

// The shell that starts Ostrel on a display of its own, waits for its window ($w, the program
// $pid), focuses it (there is no window manager to do it) and waits until it has the focus,
// then runs `then`. Each wait is bounded and says what it gave up on.
QString with_the_wizard_focused(const QString& xvfb, const QString& then)
{
    return QStringLiteral("exec \"%1\" -a -s '-screen 0 1024x768x24' sh -c '"
                          "\"$OSTREL\" 2>/dev/null & pid=$!; "
                          "for i in $(seq 100); do w=$(xdotool search --onlyvisible --pid $pid 2>/dev/null | head -1); "
                          "[ -n \"$w\" ] && break; sleep 0.1; done; "
                          "[ -n \"$w\" ] || echo \"failed: no window of the program within 10 s\"; "
                          "for i in $(seq 50); do xdotool windowfocus --sync $w 2>/dev/null; "
                          "[ \"$(xdotool getwindowfocus 2>/dev/null)\" = \"$w\" ] && break; sleep 0.1; done; "
                          "[ \"$(xdotool getwindowfocus 2>/dev/null)\" = \"$w\" ] || "
                          "echo \"failed: the wizard did not take the focus within 5 s\"; %2'")
        .arg(xvfb, then);
}

// Ostrel with a registry of its own naming the control library, on Qt's xcb platform.
class WizardOnTheScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        OSTREL_REQUIRE_XVFB_RUN(found);
        xvfb = found;
        ostrel.set_env(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        register_controls(ostrel);
    }

    QString xvfb;
    headless_process ostrel{true};
};

TEST_F(WizardOnTheScreen, OstrelWithoutArgumentsOpensTheWizardAsARealWindow)
{
    ostrel.set_env(QStringLiteral("SCREEN_GRAB"), QStringLiteral(OSTREL_SCREEN_GRAB));
    const QString picture = QString::fromStdString((forms::artefacts_dir() / "wizard_on_xvfb_welcome.png").string());
    ostrel.set_env(QStringLiteral("PICTURE"), picture);
    QFile::remove(picture);
    // The wizard runs until the picture is taken; still running then means it waited for
    // the user, as a window does.
    const auto result = ostrel.run_shell(
        QStringLiteral("exec \"%1\" -a -s '-screen 0 1024x768x24' sh -c '"
                       "\"$OSTREL\" 2>\"$PICTURE.err\" & pid=$!; "
                       "\"$SCREEN_GRAB\" \"$PICTURE\" 30; grabbed=$?; "
                       "if kill -0 $pid 2>/dev/null; then running=yes; else running=no; fi; "
                       "kill $pid 2>/dev/null; wait $pid 2>/dev/null; "
                       "echo \"grab=$grabbed running=$running\"'")
            .arg(xvfb),
        120000);
    ASSERT_TRUE(result.finished) << result.err.toStdString();
    QFile err(picture + QStringLiteral(".err"));
    const QString wizardErr = err.open(QIODevice::ReadOnly) ? QString::fromUtf8(err.readAll()) : QString();
    err.remove();
    EXPECT_TRUE(result.out.contains(QStringLiteral("grab=0 running=yes")))
        << result.out.toStdString() << result.err.toStdString() << wizardErr.toStdString();
    EXPECT_FALSE(wizardErr.contains(QStringLiteral("needs a display"))) << wizardErr.toStdString();

    const QImage screen(picture);
    ASSERT_FALSE(screen.isNull()) << picture.toStdString();
    std::fprintf(stderr, "picture: %s\n", picture.toStdString().c_str());
    // The welcome page's watermark: the blue of the program's bitmap 101 shows on the screen.
    int blue = 0;
    for (int y = 0; y < screen.height(); y += 2)
        for (int x = 0; x < screen.width(); x += 2) {
            const QColor c = screen.pixelColor(x, y);
            if (c.blue() > 120 && c.blue() > c.red() + 60)
                ++blue;
        }
    EXPECT_GT(blue, 1000) << "no watermark on the screen";
}

// What the screen shows of the wizard started at a screen scale (QT_SCALE_FACTOR): its window's
// place on the screen and the picture, saved as `picture_name`.
struct ScaledWizard {
    QRect window;
    QImage screen;
    QString out;
};

ScaledWizard wizard_at_scale(headless_process& ostrel, const QString& xvfb, int scale, const std::string& picture_name)
{
    const QString picture = QString::fromStdString((forms::artefacts_dir() / picture_name).string());
    QFile::remove(picture);
    ostrel.set_env(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    ostrel.set_env(QStringLiteral("SCREEN_GRAB"), QStringLiteral(OSTREL_SCREEN_GRAB));
    ostrel.set_env(QStringLiteral("PICTURE"), picture);
    const auto result = ostrel.run_shell(
        QStringLiteral("exec \"%1\" -a -s '-screen 0 1280x1024x24' sh -c '"
                       "\"$OSTREL\" 2>/dev/null & pid=$!; "
                       "for i in $(seq 150); do w=$(xdotool search --onlyvisible --pid $pid 2>/dev/null | head -1); "
                       "[ -n \"$w\" ] && break; sleep 0.2; done; sleep 2; "
                       "xdotool getwindowgeometry --shell $w; \"$SCREEN_GRAB\" \"$PICTURE\" 30; "
                       "kill $pid 2>/dev/null; wait $pid 2>/dev/null'")
            .arg(xvfb),
        120000);
    const auto value = [&result](const char* key) {
        const QString k = QString::fromLatin1(key) + QLatin1Char('=');
        const qsizetype at = result.out.indexOf(k);
        return at < 0 ? -1 : result.out.mid(at + k.size()).section(QLatin1Char('\n'), 0, 0).toInt();
    };
    std::fprintf(stderr, "picture: %s\n", picture.toStdString().c_str());
    return {QRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT")), QImage(picture), result.out + result.err};
}

bool watermark_blue(const QColor& c) { return c.blue() > 120 && c.blue() > c.red() + 60; }

} // namespace

// The welcome page as a person sees it at 1x and at 2x (QT_SCALE_FACTOR=2): the watermark fills
// its side of the page from the top down to the navigator's bar, with no strip of the page's
// white below it, and at 2x it is drawn smoothly from the picture rather than in blocks.
TEST_F(WizardOnTheScreen, TheWatermarkFillsItsSideOfTheWelcomePageAndIsSmoothAtTwiceTheScale)
{
    OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool");
    for (const int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        const ScaledWizard shown = wizard_at_scale(ostrel, xvfb, scale, "wizard_on_xvfb_welcome_" + std::to_string(scale) + "x.png");
        ASSERT_FALSE(shown.screen.isNull()) << shown.out.toStdString();
        ASSERT_TRUE(shown.window.isValid() && shown.screen.rect().contains(shown.window)) << shown.out.toStdString();
        // A column well inside the watermark: blue from the top of the page down to its end.
        const int column = shown.window.left() + 40 * scale;
        int bottom = shown.window.top() + 10 * scale;
        ASSERT_TRUE(watermark_blue(shown.screen.pixelColor(column, bottom))) << "no watermark at the page's top";
        while (bottom + 1 <= shown.window.bottom() && watermark_blue(shown.screen.pixelColor(column, bottom + 1)))
            ++bottom;
        // The navigator's bar below the page: its separator line and the button face, both grey.
        const QColor below = shown.screen.pixelColor(column, bottom + 1);
        EXPECT_NE(below, QColor(Qt::white)) << "a white strip under the watermark, from row "
                                            << bottom + 1 - shown.window.top();
        EXPECT_GT(bottom - shown.window.top(), 320 * scale) << "the watermark ends short of the page's bottom";
        if (scale != 2)
            continue;
        // The picture has 256 colours. Each screen pixel copied from the nearest picture pixel
        // (blocks, stairs on the rings) shows those alone; drawn smoothly from the picture, the
        // screen shows the shades between them too.
        QSet<QRgb> colours;
        for (int y = shown.window.top() + 20; y < bottom - 20; ++y)
            for (int x = shown.window.left() + 4; x < shown.window.left() + 300; ++x)
                colours.insert(shown.screen.pixel(x, y));
        std::fprintf(stderr, "2x watermark: %lld colours\n", static_cast<long long>(colours.size()));
        EXPECT_GT(colours.size(), 256) << "the watermark is drawn from the picture's nearest pixels, not smoothly";
    }
}

// Twenty Returns typed faster than the wizard changes pages: each waits until the change
// before it has ended, so the wizard walks on page by page and never crashes. No network is
// found here, so the domain list stays empty with Next disabled: the focus rests on the list,
// and the Returns that follow end nothing.
TEST_F(WizardOnTheScreen, TwentyReturnsAtOnceNeverCrashTheWizard)
{
    OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool");
    const auto result = ostrel.run_shell(
        with_the_wizard_focused(xvfb, QStringLiteral(
                                          "xdotool key --delay 0 $(for i in $(seq 20); do printf \"Return \"; done); sleep 5; "
                                          "if kill -0 $pid 2>/dev/null; then echo state=running; kill $pid; wait $pid; "
                                          "else wait $pid; echo state=ended status=$?; fi")),
        120000);
    ASSERT_TRUE(result.finished) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("state=running"))) << result.out.toStdString()
                                                                         << result.err.toStdString();
}

// The input dialog a person opens with Alt+A on the domain list belongs to the wizard: the X
// server records the wizard as the window it is transient for (so a window manager keeps it
// above the wizard it blocks), and it stands centred on the wizard.
TEST_F(WizardOnTheScreen, TheAddDomainDialogIsTransientForTheWizardAndCentredOnIt)
{
    OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool");
    OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty(), "xprop (x11-utils)");
    const auto result = ostrel.run_shell(
        with_the_wizard_focused(xvfb, QStringLiteral(
                                          "xdotool key Return; sleep 1; xdotool key Return; sleep 2; xdotool key alt+a; "
                                          // A loaded machine may take its time: wait for the dialog's window.
                                          "for i in $(seq 150); do "
                                          "d=$(xdotool search --onlyvisible --pid $pid 2>/dev/null | grep -vx \"$w\" | tail -1); "
                                          "[ -n \"$d\" ] && break; sleep 0.2; done; "
                                          // Its place is read once it is shown.
                                          "for i in $(seq 50); do xwininfo -id $d 2>/dev/null | grep -q IsViewable && break; "
                                          "sleep 0.1; done; "
                                          "echo wizard=$(printf 0x%x $w) dialog=$d; "
                                          "[ -n \"$d\" ] && xprop -id $d WM_TRANSIENT_FOR; "
                                          "xdotool getwindowgeometry --shell $w | sed s/^/wizard_/; "
                                          "[ -n \"$d\" ] && xdotool getwindowgeometry --shell $d | sed s/^/dialog_/; "
                                          // Esc closes it, and the keys go back to the wizard.
                                          "xdotool key Escape; "
                                          "for i in $(seq 50); do f=$(xdotool getwindowfocus); [ \"$f\" = \"$w\" ] && break; "
                                          "sleep 0.2; done; echo focus_after=$(printf 0x%x $f); "
                                          "kill $pid; wait $pid")),
        120000);
    ASSERT_TRUE(result.finished) << result.err.toStdString();
    const QString out = result.out;
    const auto value = [&out](const QString& key) {
        const qsizetype at = out.indexOf(key + QLatin1Char('='));
        return at < 0 ? -1 : out.mid(at + key.size() + 1).section(QLatin1Char('\n'), 0, 0).toInt();
    };
    const qsizetype at = out.indexOf(QStringLiteral("wizard=0x"));
    ASSERT_GE(at, 0) << out.toStdString();
    const QString wizard = out.mid(at + 7).section(QLatin1Char(' '), 0, 0);
    ASSERT_GT(value(QStringLiteral("dialog")), 0) << "no dialog window: " << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("WM_TRANSIENT_FOR(WINDOW): window id # ") + wizard))
        << out.toStdString();
    const int wizard_x = value(QStringLiteral("wizard_X")) + value(QStringLiteral("wizard_WIDTH")) / 2;
    const int wizard_y = value(QStringLiteral("wizard_Y")) + value(QStringLiteral("wizard_HEIGHT")) / 2;
    const int dialog_x = value(QStringLiteral("dialog_X")) + value(QStringLiteral("dialog_WIDTH")) / 2;
    const int dialog_y = value(QStringLiteral("dialog_Y")) + value(QStringLiteral("dialog_HEIGHT")) / 2;
    EXPECT_NEAR(dialog_x, wizard_x, 4) << out.toStdString();
    EXPECT_NEAR(dialog_y, wizard_y, 4) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("focus_after=") + wizard + u'\n')) << out.toStdString();
}
