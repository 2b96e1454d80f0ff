#include "platform/forms/hosting/do_events.h"
#include "platform/forms/services/interval_timer.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_host.h"

#include <QElapsedTimer>
#include <QPalette>

#include <gtest/gtest.h>

using namespace forms;

TEST(MessageBoxService, RecorderRecordsAndAnswersThenDefaultButton)
{
    ScopedMessageBoxRecorder recorder;
    set_application_title(QStringLiteral("Ostrel"));
    recorder->answer_next(vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("Sure?"), vbYesNo | vbQuestion), vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("Again?"), vbYesNoCancel | vbDefaultButton3, QStringLiteral("T")), vbCancel);
    ASSERT_EQ(recorder->boxes.size(), 2u);
    EXPECT_EQ(recorder->boxes[0].title.toStdString(), "Ostrel");
    EXPECT_EQ(recorder->boxes[0].style, vbYesNo | vbQuestion);
    EXPECT_EQ(recorder->boxes[1].title.toStdString(), "T");
    set_application_title({});
}

TEST(MessageBoxService, WithoutADisplayTheBoxGoesToStderrAndDoesNotBlock)
{
    TestHost::ensure_application(); // offscreen: no display
    auto previous = set_message_box_service(nullptr);
    testing::internal::CaptureStderr();
    const int answer = MsgBox(QStringLiteral("Error: 5\r\nbad"), vbOKCancel | vbExclamation | vbDefaultButton2,
                              QStringLiteral("Src"));
    const std::string err = testing::internal::GetCapturedStderr();
    set_message_box_service(previous);
    EXPECT_EQ(answer, vbCancel);
    EXPECT_NE(err.find("Src: Error: 5"), std::string::npos) << err;
}

TEST(OleColor, SystemColoursResolveToPaletteRolesOnlyWhenPainting)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::ButtonText, QColor(4, 5, 6));
    EXPECT_EQ(resolve_color(syscolor::ButtonFace, palette), QColor(1, 2, 3));
    EXPECT_EQ(resolve_color(syscolor::ButtonText, palette), QColor(4, 5, 6));
    EXPECT_EQ(resolve_color(RGB(255, 0, 128), palette), QColor(255, 0, 128));
    EXPECT_EQ(RGB(255, 0, 128), 0x8000FFu);
    EXPECT_TRUE(is_system_color(syscolor::ButtonFace));
    EXPECT_FALSE(is_system_color(0xFFFFFFu));
}

TEST(Screen, TwipsPerPixelIsInjectable)
{
    EXPECT_EQ(Screen::TwipsPerPixelX(), 15);
    EXPECT_EQ(Screen::to_twips_x(10), 150);
    Screen::set_twips_per_pixel(12, 10);
    EXPECT_EQ(Screen::to_pixels_x(120), 10);
    EXPECT_EQ(Screen::to_pixels_y(120), 12);
    Screen::set_twips_per_pixel(0, 0);
    EXPECT_EQ(Screen::TwipsPerPixelY(), 15);
}

TEST(Screen, APicturesSizeIsItsPixelsAtTheScreensResolutionNotTheFilesOwn)
{
    // 150 x 60 pixels recorded at 300 dots per inch in the file.
    QImage image(150, 60, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    struct Case {
        double twips_per_pixel;
        int width, height;
    };
    for (const Case& c : {Case{15, 3969, 1588}, Case{12, 3175, 1270}}) {
        Screen::set_twips_per_pixel(c.twips_per_pixel, c.twips_per_pixel);
        const PictureRef picture = StdPicture::create(image);
        EXPECT_EQ(picture->Width(), c.width) << c.twips_per_pixel;
        EXPECT_EQ(picture->Height(), c.height) << c.twips_per_pixel;
    }
    Screen::set_twips_per_pixel(0, 0);
}

TEST(IntervalTimer, TicksWhileDoEventsRunsAndRefusesBadIntervals)
{
    TestHost::ensure_application();
    IntervalTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &IntervalTimer::Timer, [&] { ++ticks; });
    timer.setInterval(5);
    QElapsedTimer clock;
    clock.start();
    while (ticks < 2 && clock.elapsed() < 5000)
        DoEvents();
    EXPECT_GE(ticks, 2);
    timer.setEnabled(false);
    const int stopped = ticks;
    clock.restart();
    while (clock.elapsed() < 30)
        DoEvents();
    EXPECT_EQ(ticks, stopped);
    try {
        timer.setInterval(70000);
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 380);
    }
}

#include "platform/com/apartment.h"

#include <QCoreApplication>

#include <atomic>
#include <thread>

TEST(StaWakeup, ACallQueuedFromAWorkerRunsOnTheUiThreadFromTheEventLoop)
{
    TestHost::ensure_application(); // the UI thread is an STA with the wake-up installed
    auto sta = com::current_sta();
    ASSERT_NE(sta, nullptr);
    const std::thread::id ui = std::this_thread::get_id();
    std::atomic<bool> ran_on_ui{false}, done{false};
    HRESULT result = E_FAIL;
    std::thread worker([&] {
        result = com::call_in_sta(sta, [&] {
            ran_on_ui = std::this_thread::get_id() == ui;
            return S_OK;
        });
        done = true;
    });
    // Only the Qt event loop runs here: the posted wake-up must serve the queue.
    QElapsedTimer clock;
    clock.start();
    while (!done && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_EQ(result, S_OK);
    EXPECT_TRUE(ran_on_ui);
}
