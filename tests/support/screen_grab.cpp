// Saves what the X display shows (its root window) as a PNG once a window has appeared on
// it: the picture of a program as a user sees it on the screen. Exit 0 when saved, 1 when
// nothing but the empty background showed within the time, 2 on a usage or display fault.
//   screen_grab <file.png> [seconds]

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>

namespace {

// Whether anything but the bare background shows: more than one colour on the screen.
bool shows_something(const QImage& image)
{
    if (image.isNull())
        return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            if (image.pixel(x, y) != first)
                return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: screen_grab file.png [seconds]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return 2;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
    QImage image;
    // A window that has just appeared is drawn a moment later: wait for it, then once more.
    for (int tries = 0; tries < seconds * 4; ++tries) {
        image = screen->grabWindow(0).toImage();
        if (shows_something(image)) {
            QThread::msleep(1500);
            image = screen->grabWindow(0).toImage();
            break;
        }
        QThread::msleep(250);
    }
    if (!shows_something(image))
        return 1;
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 2;
}
