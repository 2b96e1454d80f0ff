// The program's icons as drawn into its resources: 8-bit pictures in their colour depths
// (101 and 102 in 256 colours; 1 and 103 in the 16 standard colours, each once), every one
// with its transparency kept, and a picture of them as the wizard shows them.

#include "program/report/resources.h"

#include "tests/support/forms/test_artefacts.h"
#include "tests/support/forms/test_host.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSet>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct IconImage {
    int id;
    int size;
    int colours;
};

const std::vector<IconImage> kIcons = {
    {1, 32, 16}, {101, 16, 256}, {101, 32, 256}, {102, 16, 256}, {102, 32, 256}, {103, 16, 16}, {103, 32, 16},
};

QImage icon_image(const IconImage& icon)
{
    return QImage(QStringLiteral(":/program/icon/%1-%2.png").arg(icon.id).arg(icon.size));
}

TEST(ProgramIcons, AreIndexedInTheirColourDepthsAndKeepTheirTransparency)
{
    const QList<QRgb> standard16 = {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                                    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
                                    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
                                    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    for (const IconImage& icon : kIcons) {
        SCOPED_TRACE(std::to_string(icon.id) + "-" + std::to_string(icon.size));
        [&] { // an ASSERT ends this row only
            const QImage image = icon_image(icon);
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.size(), QSize(icon.size, icon.size));
            EXPECT_EQ(image.format(), QImage::Format_Indexed8) << "not a 32-bit picture";
            QList<QRgb> opaque;
            int transparent_entries = 0;
            for (QRgb colour : image.colorTable())
                if (qAlpha(colour) == 0)
                    ++transparent_entries;
                else
                    opaque.append(colour);
            EXPECT_EQ(transparent_entries, 1) << "one entry stands for the mask";
            EXPECT_LE(opaque.size(), icon.colours);
            EXPECT_EQ(QSet<QRgb>(opaque.begin(), opaque.end()).size(), opaque.size()) << "no colour twice";
            if (icon.colours == 16) {
                EXPECT_EQ(QSet<QRgb>(opaque.begin(), opaque.end()), QSet<QRgb>(standard16.begin(), standard16.end()));
            }
            for (QPoint corner : {QPoint(0, 0), QPoint(icon.size - 1, 0), QPoint(0, icon.size - 1)}) {
                SCOPED_TRACE(std::to_string(corner.x()) + "," + std::to_string(corner.y()));
                EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << "the figure stands on no square";
            }
            bool figure = false;
            for (int y = 0; y < icon.size && !figure; ++y)
                for (int x = 0; x < icon.size && !figure; ++x)
                    figure = qAlpha(image.pixel(x, y)) == 255;
            EXPECT_TRUE(figure);
        }();
    }
}

TEST(ProgramIcons, PictureOnTheWindowColourAndOnWhite)
{
    forms::TestHost::ensure_application();
    QImage sheet(2 * 8 + 7 * 40, 2 * 40 + 8, QImage::Format_RGB32);
    sheet.fill(QColor(240, 240, 240));
    {
        QPainter painter(&sheet);
        painter.fillRect(QRect(0, 44, sheet.width(), 44), Qt::white);
        int x = 8;
        for (const IconImage& icon : kIcons) {
            const QPixmap shown = program::Resources::Shared().LoadIcon(icon.id).pixmap(icon.size, icon.size);
            painter.drawPixmap(x, 6, shown);
            painter.drawPixmap(x, 50, shown);
            x += 40;
        }
    }
    // As shown, and three times as large to see the pixels.
    QLabel view;
    for (int zoom : {1, 3}) {
        SCOPED_TRACE(zoom);
        view.setPixmap(QPixmap::fromImage(sheet.scaled(sheet.size() * zoom)));
        view.resize(sheet.size() * zoom);
        EXPECT_TRUE(forms::save_picture(view, "program_icons_x" + std::to_string(zoom)));
    }
}

} // namespace
