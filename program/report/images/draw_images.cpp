// Draws the program's bitmaps and icons at the sizes and colour depths the program's
// resources have, and writes them with a Qt resource list into the folder given:
//   bitmap/<n>.png, icon/<n>-<size>.png, program_images.qrc
// The pictures are our own: soft gradients and simple figures, no text (so no fonts needed).

#include <QColor>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct picture {
    QString path;
    int width;
    int height;
    int colours; // 256 or 16
    int figure;  // which figure to draw
};

// The standard 16 colours of a 16-colour picture, each once.
QList<QRgb> palette16()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

// A 256-colour palette: the 16 standard colours, a 6x6x6 colour cube and a grey ramp, each
// colour once, at most 255 of them so that an icon keeps one entry for its transparency.
QList<QRgb> palette256()
{
    QList<QRgb> palette = palette16();
    const auto add = [&palette](QRgb colour) {
        if (!palette.contains(colour) && palette.size() < 255)
            palette.append(colour);
    };
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                add(qRgb(r * 51, g * 51, b * 51));
    for (int grey = 8; grey < 256; grey += 10)
        add(qRgb(grey, grey, grey));
    return palette;
}

int nearest(const QList<QRgb>& palette, QRgb colour)
{
    int best = 0;
    long best_distance = -1;
    for (int i = 0; i < palette.size(); ++i) {
        const long dr = qRed(palette[i]) - qRed(colour), dg = qGreen(palette[i]) - qGreen(colour),
                   db = qBlue(palette[i]) - qBlue(colour);
        const long distance = dr * dr + dg * dg + db * db;
        if (best_distance < 0 || distance < best_distance) {
            best = i;
            best_distance = distance;
        }
    }
    return best;
}

// A palette of at most `size` colours fitted to the picture's own colours: all of them when
// they are few enough, else the weighted means of boxes of the colour cube cut at their
// median along their widest channel (median cut). Qt's own reduction picks its palette
// without regard to the picture and turned the banner's soft gradient into bands.
QList<QRgb> fitted_palette(const QImage& image, int size)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    struct entry {
        QRgb colour;
        int count;
    };
    std::vector<entry> colours;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        colours.push_back({it.key(), it.value()});
    using box = std::pair<std::size_t, std::size_t>; // a range of `colours`
    const auto channel = [](QRgb c, int k) { return k == 0 ? qRed(c) : k == 1 ? qGreen(c) : qBlue(c); };
    const auto widest = [&](const box& b, int& range) {
        int best = 0;
        range = -1;
        for (int k = 0; k < 3; ++k) {
            int low = 255, high = 0;
            for (std::size_t i = b.first; i < b.second; ++i) {
                low = std::min(low, channel(colours[i].colour, k));
                high = std::max(high, channel(colours[i].colour, k));
            }
            if (high - low > range) {
                range = high - low;
                best = k;
            }
        }
        return best;
    };
    std::vector<box> boxes{{0, colours.size()}};
    while (static_cast<int>(boxes.size()) < size) {
        std::size_t chosen = boxes.size();
        int chosen_range = 0, chosen_channel = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            int range = 0;
            const int k = widest(boxes[i], range);
            if (boxes[i].second - boxes[i].first > 1 && range > chosen_range) {
                chosen = i;
                chosen_range = range;
                chosen_channel = k;
            }
        }
        if (chosen == boxes.size())
            break; // every box holds one colour
        const box b = boxes[chosen];
        std::sort(colours.begin() + static_cast<long>(b.first), colours.begin() + static_cast<long>(b.second),
                  [&](const entry& x, const entry& y) {
                      return channel(x.colour, chosen_channel) < channel(y.colour, chosen_channel);
                  });
        long total = 0;
        for (std::size_t i = b.first; i < b.second; ++i)
            total += colours[i].count;
        std::size_t cut = b.first;
        for (long seen = 0; cut < b.second - 1 && seen + colours[cut].count <= total / 2; ++cut)
            seen += colours[cut].count;
        cut = std::max(cut, b.first + 1);
        boxes[chosen] = {b.first, cut};
        boxes.push_back({cut, b.second});
    }
    QList<QRgb> palette;
    for (const box& b : boxes) {
        double r = 0, g = 0, bl = 0, n = 0;
        for (std::size_t i = b.first; i < b.second; ++i) {
            r += qRed(colours[i].colour) * double(colours[i].count);
            g += qGreen(colours[i].colour) * double(colours[i].count);
            bl += qBlue(colours[i].colour) * double(colours[i].count);
            n += colours[i].count;
        }
        if (n > 0)
            palette.append(qRgb(int(r / n + 0.5), int(g / n + 0.5), int(bl / n + 0.5)));
    }
    return palette;
}

// An 8-bit indexed picture in `colours` colours (16 or 256). A 256-colour bitmap gets a
// palette fitted to its own colours. Otherwise each pixel takes the nearest colour of the
// standard palette, and an icon keeps its transparency: a pixel less than half opaque takes
// one more, transparent, entry (the icon's mask).
QImage reduce(const QImage& image, int colours, bool transparent)
{
    const QList<QRgb> opaque = colours == 16 ? palette16() : transparent ? palette256() : fitted_palette(image, 256);
    QList<QRgb> palette = opaque;
    if (transparent)
        palette.append(qRgba(0, 0, 0, 0));
    const int clear = static_cast<int>(opaque.size());
    QImage indexed(image.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    QHash<QRgb, int> nearest_of;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const bool see_through = transparent && qAlpha(pixel) < 128;
            if (see_through) {
                indexed.setPixel(x, y, static_cast<uint>(clear));
                continue;
            }
            auto known = nearest_of.constFind(pixel);
            if (known == nearest_of.cend())
                known = nearest_of.insert(pixel, nearest(opaque, pixel));
            indexed.setPixel(x, y, static_cast<uint>(*known));
        }
    return indexed;
}

void draw(QPainter& p, const picture& pic)
{
    const QRectF all(0, 0, pic.width, pic.height);
    switch (pic.figure) {
    case 0: { // watermark: a tall gradient with rings
        QLinearGradient g(all.topLeft(), all.bottomRight());
        g.setColorAt(0, QColor(18, 52, 120));
        g.setColorAt(1, QColor(90, 150, 220));
        p.fillRect(all, g);
        p.setPen(QPen(QColor(255, 255, 255, 90), pic.width / 40.0 + 1));
        for (int i = 1; i <= 4; ++i) {
            const double r = pic.width * 0.18 * i;
            p.drawEllipse(QPointF(pic.width * 0.3, pic.height * 0.75), r, r);
        }
        break;
    }
    case 1: { // banner: white where the page's title and text stand, the watermark's blue
              // and rings fading in at the right
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(all, Qt::white);
        QLinearGradient g(QPointF(pic.width * 0.55, 0), all.topRight());
        g.setColorAt(0, Qt::white);
        g.setColorAt(0.6, QColor(150, 185, 230));
        g.setColorAt(1, QColor(40, 90, 170));
        p.fillRect(QRectF(pic.width * 0.55, 0, pic.width * 0.45, pic.height), g);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 110), pic.height / 22.0 + 1));
        const QPointF centre(pic.width - pic.height * 0.6, pic.height * 0.55);
        for (int i = 1; i <= 4; ++i)
            p.drawEllipse(centre, pic.height * 0.22 * i, pic.height * 0.22 * i);
        break;
    }
    case 2: { // small square mark
        p.fillRect(all, Qt::white);
        p.fillRect(all.adjusted(2, 2, -2, -2), QColor(0, 0, 128));
        break;
    }
    case 3: { // icon: a bar chart
        p.fillRect(all, Qt::transparent);
        const double w = pic.width / 5.0;
        const double heights[] = {0.45, 0.75, 0.6};
        for (int i = 0; i < 3; ++i) {
            const double h = pic.height * heights[i];
            p.fillRect(QRectF(w * (0.5 + 1.5 * i), pic.height - h - 1, w, h),
                       i == 1 ? QColor(0, 128, 0) : QColor(0, 0, 160));
        }
        break;
    }
    case 4: { // icon: a globe
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(40, 110, 200));
        p.setPen(QPen(QColor(0, 40, 100), 1));
        p.drawEllipse(all.adjusted(1, 1, -1, -1));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1));
        p.drawEllipse(all.adjusted(pic.width * 0.3, 1, -pic.width * 0.3, -1));
        p.drawLine(QPointF(1, pic.height / 2.0), QPointF(pic.width - 1, pic.height / 2.0));
        break;
    }
    default: { // icon: an envelope
        p.fillRect(all.adjusted(1, pic.height * 0.2, -1, -pic.height * 0.2), QColor(255, 255, 0));
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(all.adjusted(1, pic.height * 0.2, -2, -pic.height * 0.2 - 1));
        p.drawLine(QPointF(1, pic.height * 0.2), QPointF(pic.width / 2.0, pic.height * 0.55));
        p.drawLine(QPointF(pic.width / 2.0, pic.height * 0.55), QPointF(pic.width - 2, pic.height * 0.2));
        break;
    }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ostrel_draw_images OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.filePath(QStringLiteral("bitmap"))) ||
        !QDir().mkpath(out.filePath(QStringLiteral("icon")))) {
        std::fprintf(stderr, "ostrel_draw_images: cannot create %s\n", argv[1]);
        return 1;
    }

    const std::vector<picture> pictures = {
        {QStringLiteral("bitmap/101.png"), 164, 312, 256, 0}, {QStringLiteral("bitmap/102.png"), 497, 58, 256, 1},
        {QStringLiteral("bitmap/113.png"), 205, 390, 256, 0}, {QStringLiteral("bitmap/114.png"), 621, 70, 256, 1},
        {QStringLiteral("bitmap/115.png"), 16, 16, 16, 2},    {QStringLiteral("bitmap/116.png"), 16, 16, 16, 2},
        {QStringLiteral("icon/1-32.png"), 32, 32, 16, 3},     {QStringLiteral("icon/101-16.png"), 16, 16, 256, 3},
        {QStringLiteral("icon/101-32.png"), 32, 32, 256, 3},  {QStringLiteral("icon/102-16.png"), 16, 16, 256, 4},
        {QStringLiteral("icon/102-32.png"), 32, 32, 256, 4},  {QStringLiteral("icon/103-16.png"), 16, 16, 16, 5},
        {QStringLiteral("icon/103-32.png"), 32, 32, 16, 5},
    };

    QFile qrc(out.filePath(QStringLiteral("program_images.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "ostrel_draw_images: cannot write the resource list\n");
        return 1;
    }
    QTextStream list(&qrc);
    list << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/program\">\n";
    for (const picture& pic : pictures) {
        QImage image(pic.width, pic.height, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            draw(painter, pic);
        }
        const bool isIcon = pic.path.startsWith(QStringLiteral("icon/"));
        const QImage saved = reduce(image, pic.colours, isIcon);
        if (!saved.save(out.filePath(pic.path), "PNG")) {
            std::fprintf(stderr, "ostrel_draw_images: cannot write %s\n", qPrintable(pic.path));
            return 1;
        }
        list << "  <file>" << pic.path << "</file>\n";
    }
    list << "</qresource>\n</RCC>\n";
    return 0;
}
