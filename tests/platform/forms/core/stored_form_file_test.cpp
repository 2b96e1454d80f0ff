// What a form file holds is checked before anything is built from it: the kind of every
// value a reader asks for, the bytes of the text, the file itself, the pictures' pixels, and
// keys that the reader would take for the file's structure.

#include "platform/forms/core/form_file.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/property_bag.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/core/vb_error.h"

#include "tests/platform/forms/error_number.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace forms;

namespace {

QString description_of(const std::function<void()>& f)
{
    try {
        f();
    } catch (const VbError& e) {
        return e.description();
    }
    return {};
}

QString png_base64(int width, int height)
{
    QImage image(width, height, QImage::Format_Mono);
    image.fill(0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QString::fromLatin1(bytes.toBase64());
}

} // namespace

TEST(StoredValues, AReaderGetsTheKindOfItsDefaultOrTheRuntimesError)
{
    struct Case {
        QVariant stored;
        QVariant fallback;
        int error;
        QVariant expected;
    };
    const Case cases[] = {
        {QStringLiteral("abc"), 1, 13, {}},
        {QStringLiteral("12"), 1, 0, 12},
        {QStringLiteral("maybe"), true, 13, {}},
        {QStringLiteral("True"), false, 0, true},
        {2.5, 1, 380, {}},
        {3.0, 1, 0, 3},
        {70000, QVariant::fromValue<short>(1), 380, {}},
        {QStringLiteral("red"), syscolor::ButtonFace, 13, {}},
        {-1, 0u, 0, 0xFFFFFFFFu},
        {QStringLiteral("Verdana"), QVariant::fromValue(StdFont::create()), 13, {}},
        {QVariant::fromValue(FontRef{}), QVariant::fromValue(StdFont::create()), 380, {}},
        {QVariant::fromValue(StdPicture::create()), QString(), 13, {}},
        {QVariant(), 0, 13, {}},
        {5, QString(), 0, QStringLiteral("5")},
        {1.5, 0.0f, 0, 1.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        [&] { // an ASSERT ends this row only
            PropertyBag bag;
            bag.set_owner(QStringLiteral("control ctl"));
            bag.set(QStringLiteral("Key"), c.stored, 7);
            QVariant got;
            const int error = error_of([&] { got = bag.ReadProperty(QStringLiteral("key"), c.fallback); });
            EXPECT_EQ(error, c.error) << c.stored.toString().toStdString() << " as " << c.fallback.typeName();
            if (c.error == 0) {
                EXPECT_EQ(got.typeId(), c.fallback.typeId());
                EXPECT_EQ(got, c.expected);
                EXPECT_FALSE(bag.refusal());
            } else {
                ASSERT_TRUE(bag.refusal());
                EXPECT_TRUE(bag.refusal()->description().startsWith(
                    QStringLiteral("Form file line 7: \"key\" of control ctl: found ")))
                    << bag.refusal()->description().toStdString();
            }
        }();
    }
}

TEST(StoredValues, AVariantReaderGetsTheValueAsStored)
{
    PropertyBag bag;
    bag.set(QStringLiteral("Tag"), 5);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Tag"), QVariant::fromValue<QObject*>(nullptr)).typeId(), QMetaType::Int);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Tag")).typeId(), QMetaType::Int);
}

TEST(StoredFormFile, KeysThatOpenOrCloseABlockAreRefusedWhenReadAndWhenWritten)
{
    for (const char* line : {"Begin\t= Long 1", "BEGIN = Long 1", "End\t= Long 1", "@end = Long 1"}) {
        SCOPED_TRACE(line);
        const QString text =
            QStringLiteral("OstrelForm 1\nBegin Form f\nBegin X.Y c\n%1\nEnd\nEnd\n").arg(QLatin1String(line));
        EXPECT_EQ(error_of([&] { FormFile::parse(text); }), 380) << line;
        EXPECT_TRUE(description_of([&] { FormFile::parse(text); }).startsWith(QStringLiteral("Form file line 4:")));
    }
    FormData form;
    form.name = QStringLiteral("f");
    form.controls.push_back(FormControlData{QStringLiteral("X.Y"), QStringLiteral("c"), {}, {}, {}});
    form.controls[0].properties.set(QStringLiteral("Begin"), 1);
    EXPECT_EQ(error_of([&] { FormFile::write(form); }), 380);
    form.controls[0].properties.clear();
    form.controls[0].properties.set(QStringLiteral("two words"), 1);
    EXPECT_EQ(error_of([&] { FormFile::write(form); }), 380);
}

TEST(StoredFormFile, TextThatIsNotUtf8IsRefusedNamingItsLine)
{
    const QByteArray latin1 = "OstrelForm 1\nBegin Form f\n   Caption = String \"Caf\xE9\"\nEnd\n";
    EXPECT_EQ(error_of([&] { FormFile::parse(latin1); }), 380);
    EXPECT_EQ(description_of([&] { FormFile::parse(latin1); }),
              QStringLiteral("Form file line 3: the text is not UTF-8"));
    const QByteArray utf8 = "OstrelForm 1\nBegin Form f\n   Caption = String \"Caf\xC3\xA9\"\nEnd\n";
    EXPECT_EQ(FormFile::parse(utf8).properties.ReadProperty(QStringLiteral("Caption")).toString(),
              QStringLiteral("Caf\u00E9"));
}

TEST(StoredFormFile, OnlyRegularFilesWithinTheSizeLimitAreRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(error_of([&] { FormFile::read(fifo); }), 75);
    EXPECT_EQ(error_of([&] { FormFile::read(QStringLiteral("/dev/zero")); }), 75);
    EXPECT_EQ(error_of([&] { FormFile::read(dir.path()); }), 75);
    EXPECT_EQ(error_of([&] { FormFile::read(dir.filePath(QStringLiteral("none"))); }), 53);

    const QString big = dir.filePath(QStringLiteral("big.frm"));
    QFile file(big);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("OstrelForm 1\nBegin Form f\n   Caption = String \"");
    file.write(QByteArray(FormFile::kMaxFileSize, 'x'));
    file.write("\"\nEnd\n");
    file.close();
    EXPECT_EQ(error_of([&] { FormFile::read(big); }), 380);
}

TEST(StoredFormFile, ThePicturesOfOneFormShareOnePixelBudget)
{
    // Four pictures of a quarter of the budget fit; a fifth does not.
    const QString quarter = png_base64(2048, 2048);
    QString text = QStringLiteral("OstrelForm 1\nBegin Form f\n");
    for (int i = 1; i <= 4; ++i)
        text += QStringLiteral("Picture%1 = Picture %2\n").arg(i).arg(quarter);
    EXPECT_EQ(error_of([&] { FormFile::parse(text + QStringLiteral("End\n")); }), 0);
    text += QStringLiteral("Picture5 = Picture %1\nEnd\n").arg(png_base64(1, 1));
    EXPECT_EQ(error_of([&] { FormFile::parse(text); }), 380);
    EXPECT_TRUE(description_of([&] { FormFile::parse(text); }).startsWith(QStringLiteral("Form file line 7:")));
}

TEST(StoredFormFile, AKeyGivenTwiceInOneBlockIsRefusedNamingBothLines)
{
    struct Case {
        const char* lines;
        const char* description;
    };
    const Case cases[] = {
        {"   Caption = String \"a\"\n   caption = String \"b\"\n",
         "Form file line 4: the key \"caption\" is given twice (first on line 3)"},
        {"   Begin X.Y c\n      @Left = Double 1\n      @LEFT = Double 2\n   End\n",
         "Form file line 5: the key \"@LEFT\" is given twice (first on line 4)"},
        {"   Begin X.Y c\n      Max = Long 1\n      max = Long 2\n   End\n",
         "Form file line 5: the key \"max\" is given twice (first on line 4)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        const QString text = QStringLiteral("OstrelForm 1\nBegin Form f\n%1End\n").arg(QLatin1String(c.lines));
        EXPECT_EQ(error_of([&] { FormFile::parse(text); }), 380);
        EXPECT_EQ(description_of([&] { FormFile::parse(text); }).toStdString(), c.description);
    }
    // The same key in the extender and in the bag are two keys; in two controls, two blocks.
    const FormData ok = FormFile::parse(QStringLiteral(
        "OstrelForm 1\nBegin Form f\nBegin X.Y a\n@Tag = String \"x\"\nTag = String \"y\"\nEnd\nBegin X.Y b\nTag = "
        "String \"z\"\nEnd\nEnd\n"));
    EXPECT_EQ(ok.controls.size(), 2u);
}

TEST(StoredFormFile, ReadNamesTheFileInEveryRefusal)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("f.ofm"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("OstrelForm 1\nBegin Form f\n   Begin X.Y c\n      Max = String \"many\"\n   End\nEnd\n");
    file.close();
    QByteArray bytes;
    const FormData form = FormFile::read(path, &bytes);
    EXPECT_EQ(bytes.size(), file.size());
    EXPECT_EQ(description_of([&] { form.controls[0].properties.ReadProperty(QStringLiteral("Max"), 1); }),
              QStringLiteral("Form file %1 line 4: \"Max\" of control c: found String, expected Long").arg(path));
}
