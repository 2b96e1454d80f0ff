// Saves what the X display shows (its root window) as a PNG once a window has appeared on
// it and its drawing has settled: the picture of a program as a user sees it on the screen. Exit 0 when saved, 1 when
// nothing but the empty background showed within the time, 2 on a usage or display fault.
//   screen_grab <file.png> [seconds]

#include <QElapsedTimer>
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
    // A window that has just appeared is drawn a moment later, and a page that has just
    // changed may still be drawing: the picture is taken once something shows and the screen
    // stayed the same for 0.3 s (less than a text cursor stays lit or dark); a screen that
    // never settles is taken as it is when the time is up.
    QImage image;
    QImage settled_since;
    QElapsedTimer unchanged;
    for (int tries = 0; tries < seconds * 10; ++tries) {
        image = screen->grabWindow(0).toImage();
        if (!shows_something(image)) {
            settled_since = QImage();
        } else if (settled_since.isNull() || image != settled_since) {
            settled_since = image;
            unchanged.start();
        } else if (unchanged.elapsed() >= 300) {
            break;
        }
        QThread::msleep(100);
    }
    if (!shows_something(image))
        return 1;
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 2;
}
