#include "platform/forms/core/form_file.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/property_bag.h"
#include "platform/forms/core/property_value_text.h"
#include "platform/forms/core/vb_error.h"

#include "tests/platform/forms/error_number.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace forms;

namespace {

// A control's write order with its defaults, as a control writes its bag.
void write_like_a_control(PropertyBag& bag, int max, const QString& caption, bool notify, OLE_COLOR color,
                          const FontRef& font)
{
    bag.WriteProperty(QStringLiteral("Max"), max, 100);
    bag.WriteProperty(QStringLiteral("Caption"), caption, QString());
    bag.WriteProperty(QStringLiteral("ErrorsNotify"), notify, false);
    bag.WriteProperty(QStringLiteral("ForeColor"), color, syscolor::ButtonText);
    bag.WriteProperty(QStringLiteral("DisplayFont"), QVariant::fromValue(font), QVariant::fromValue(StdFont::create()));
}

} // namespace

TEST(PropertyBag, ValuesEqualToTheirDefaultAreNotWritten)
{
    PropertyBag bag;
    write_like_a_control(bag, 100, QString(), false, syscolor::ButtonText, StdFont::create());
    EXPECT_TRUE(bag.empty());

    auto font = StdFont::create();
    font->setBold(true);
    write_like_a_control(bag, 250, QStringLiteral("Done"), true, 0xFFu, font);
    ASSERT_EQ(bag.entries().size(), 5u);
    // Order of first writing is kept; a value back at its default leaves the bag.
    EXPECT_EQ(bag.entries()[0].key.toStdString(), "Max");
    EXPECT_EQ(bag.entries()[4].key.toStdString(), "DisplayFont");
    bag.WriteProperty(QStringLiteral("max"), 100, 100);
    EXPECT_FALSE(bag.contains(QStringLiteral("Max")));
    // No default: always written.
    bag.WriteProperty(QStringLiteral("Width"), 0);
    EXPECT_TRUE(bag.contains(QStringLiteral("WIDTH")));
    // Numbers compare by value across kinds; True is -1.
    EXPECT_TRUE(property_values_equal(QVariant::fromValue<short>(-1), true));
    EXPECT_TRUE(property_values_equal(1.0, 1));
    EXPECT_FALSE(property_values_equal(QStringLiteral("1"), 1));
}

TEST(PropertyBag, KeysAreReadWithoutRegardToCaseAndMissingKeysTakeTheDefault)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("ButtonFont"), QVariant::fromValue(StdFont::create()));
    bag.WriteProperty(QStringLiteral("PageIndex"), 3, 0);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("pageindex"), 0).toInt(), 3);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("PAGEINDEX"), 0).toInt(), 3);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Missing"), 7).toInt(), 7);
    EXPECT_EQ(error_of([&] { bag.ReadProperty(QStringLiteral("Missing")); }), 327);
    // Fonts come out as new objects: changing one changes neither the bag nor other readers.
    auto a = bag.ReadProperty(QStringLiteral("buttonfont")).value<FontRef>();
    auto b = bag.ReadProperty(QStringLiteral("buttonfont")).value<FontRef>();
    ASSERT_TRUE(a && b);
    EXPECT_NE(a.get(), b.get());
    a->setSize(20);
    EXPECT_DOUBLE_EQ(bag.ReadProperty(QStringLiteral("ButtonFont")).value<FontRef>()->Size(), 8.25);
}

TEST(PropertyBag, EveryKindRoundTripsThroughTheFormFileText)
{
    auto font = StdFont::create();
    font->setName(QStringLiteral("Tahoma \"Sans\""));
    font->setSize(9.75);
    font->setItalic(true);
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(QColor(10, 20, 30));
    const QVariant values[] = {
        QVariant(),
        QVariant(true),
        QVariant(false),
        QVariant::fromValue<short>(-32768),
        QVariant(70000),
        QVariant(1.5f),
        QVariant(0.1),
        QVariant(QStringLiteral("line1\r\n\t\"q\" \\ ü")),
        QVariant(QString()),
        QVariant(syscolor::ButtonFace),
        QVariant(0xFFFFFFu),
        QVariant::fromValue(font),
        QVariant::fromValue(FontRef{}),
        QVariant::fromValue(StdPicture::create(image)),
        QVariant::fromValue(StdPicture::create()),
    };
    for (const QVariant& v : values) {
        const QString text = encode_property_value(v);
        const QVariant back = decode_property_value(text);
        EXPECT_EQ(back.typeId(), v.typeId()) << text.toStdString();
        EXPECT_TRUE(property_values_equal(back, v) || (!v.isValid() && !back.isValid())) << text.toStdString();
    }
    EXPECT_EQ(encode_property_value(syscolor::ButtonFace).toStdString(), "Color &H8000000F&");
    EXPECT_EQ(error_of([] { decode_property_value(QStringLiteral("Long 12x")); }), 380);
    EXPECT_EQ(error_of([] { decode_property_value(QStringLiteral("String \"open")); }), 380);
    EXPECT_EQ(error_of([] { decode_property_value(QStringLiteral("Integer 40000")); }), 380);
    EXPECT_EQ(error_of([] { decode_property_value(QStringLiteral("Gadget 1")); }), 380);
}

TEST(FormFile, WritesAndParsesNestedControlsWithExtenderAndBag)
{
    FormData form;
    form.name = QStringLiteral("frmMain");
    form.properties.set(QStringLiteral("Caption"), QStringLiteral("Ostrel"));
    FormControlData panel{QStringLiteral("KyComCtl.KyProgressInfo"), QStringLiteral("piProgressInfo"), {}, {}, {}};
    panel.extender.set(QStringLiteral("Left"), 120.0);
    panel.properties.set(QStringLiteral("ProgressMax"), 600);
    panel.children.push_back(
        FormControlData{QStringLiteral("{01234567-89AB-CDEF-0123-456789ABCDEF}"), QStringLiteral("inner"), {}, {}, {}});
    form.controls.push_back(panel);
    form.controls.push_back(
        FormControlData{QStringLiteral("KyComCtl.KyProgressBar"), QStringLiteral("prb"), {}, {}, {}});

    const QString text = FormFile::write(form);
    const FormData back = FormFile::parse(text);
    EXPECT_EQ(FormFile::write(back).toStdString(), text.toStdString());
    ASSERT_EQ(back.controls.size(), 2u);
    EXPECT_EQ(back.controls[0].name.toStdString(), "piProgressInfo");
    EXPECT_EQ(back.controls[0].extender.ReadProperty(QStringLiteral("left")).toDouble(), 120.0);
    EXPECT_EQ(back.controls[0].properties.ReadProperty(QStringLiteral("progressmax")).toInt(), 600);
    ASSERT_EQ(back.controls[0].children.size(), 1u);
    EXPECT_EQ(back.controls[1].class_name.toStdString(), "KyComCtl.KyProgressBar");
}

// A form the reader could not read back is refused before anything is written, and the file
// that was there stays.
TEST(FormFile, NamesItCouldNotReadBackAreNeverWritten)
{
    const auto form_with = [](const QString& form_name, const QString& class_name, const QString& control_name) {
        FormData form;
        form.name = form_name;
        form.controls.push_back(FormControlData{class_name, control_name, {}, {}, {}});
        return form;
    };
    const QString good = QStringLiteral("KyComCtl.KyLabel");
    const FormData cases[] = {
        form_with(QString(), good, QStringLiteral("lbl")),
        form_with(QStringLiteral("frm main"), good, QStringLiteral("lbl")),
        form_with(QStringLiteral("frm"), good, QString()),
        form_with(QStringLiteral("frm"), QStringLiteral("Ky Label"), QStringLiteral("lbl")),
        form_with(QStringLiteral("frm"), good, QStringLiteral("lbl\nBegin")),
    };
    const QString path = QDir::temp().filePath(
        QStringLiteral("ostrel-form-%1.frm").arg(QCoreApplication::applicationPid()));
    const FormData kept = form_with(QStringLiteral("frm"), good, QStringLiteral("lbl"));
    FormFile::save(kept, path);
    for (const FormData& bad : cases) {
        SCOPED_TRACE(bad.name.toStdString());
        EXPECT_EQ(error_of([&] { FormFile::write(bad); }), 380) << bad.name.toStdString();
        EXPECT_EQ(error_of([&] { FormFile::save(bad, path); }), 380) << bad.name.toStdString();
        EXPECT_EQ(FormFile::write(FormFile::read(path)), FormFile::write(kept));
    }
    QFile::remove(path);
}

TEST(FormFile, BadTextIsRefusedWithTheLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "empty form file"},
        {"Form 2\n", "line 1"},
        {"OstrelForm 1\nBegin Form f\n  Begin Only\n", "line 3"},
        {"OstrelForm 1\nBegin Form f\n  x = Long 1\n", "missing End"},
        {"OstrelForm 1\nBegin Form f\n  @x = Long 1\nEnd\n", "line 3: extender"},
        {"OstrelForm 1\nBegin Form f\n  x = Long one\nEnd\n", "line 3"},
        {"OstrelForm 1\nBegin Form f\nEnd\nBegin Form g\n", "line 4"},
        {"OstrelForm 1\nBegin Form f\n  just text\nEnd\n", "line 3"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        try {
            FormFile::parse(QString::fromUtf8(text));
            ADD_FAILURE() << text;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 380);
            EXPECT_NE(e.description().indexOf(QString::fromUtf8(expected)), -1) << e.description().toStdString();
        }
    }
    // Nesting: the documented depth is read, one level more is refused with its line, and so is
    // text nested far deeper (it once exhausted the stack).
    const auto nested = [](std::size_t depth) {
        QString text = QStringLiteral("OstrelForm 1\nBegin Form f\n");
        for (std::size_t i = 0; i < depth; ++i)
            text += QStringLiteral("Begin KyComCtl.Frame c%1\n").arg(i);
        for (std::size_t i = 0; i < depth; ++i)
            text += QStringLiteral("End\n");
        return text + QStringLiteral("End\n");
    };
    const FormData deepest = FormFile::parse(nested(FormFile::kMaxNesting));
    ASSERT_EQ(deepest.controls.size(), 1u);
    for (const std::size_t depth : {FormFile::kMaxNesting + 1, std::size_t{200000}}) {
        SCOPED_TRACE(depth);
        try {
            FormFile::parse(nested(depth));
            ADD_FAILURE() << depth;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 380);
            const QString line = QString::number(FormFile::kMaxNesting + 3);
            EXPECT_NE(e.description().indexOf(QStringLiteral("line %1: controls nested deeper than").arg(line)), -1)
                << e.description().toStdString();
        }
    }
    // Comments, blank lines and CR LF line ends are fine.
    const FormData ok = FormFile::parse(QStringLiteral("# saved\r\nOstrelForm 1\r\n\r\nBegin Form f\r\nEnd\r\n"));
    EXPECT_EQ(ok.name.toStdString(), "f");
}

TEST(PropertyBag, NothingWithANothingDefaultIsNotKeptAndTheFormFileStillWrites)
{
    const QVariant nothing = QVariant::fromValue<QObject*>(nullptr);
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("TagVariant"), nothing, nothing);
    bag.WriteProperty(QStringLiteral("PageIndex"), 3, 0);
    EXPECT_FALSE(bag.contains(QStringLiteral("TagVariant")));
    FormData form;
    form.name = QStringLiteral("frmWizard");
    form.controls.push_back(
        FormControlData{QStringLiteral("KyComCtl.KyWizardTab"), QStringLiteral("wtWelcome"), {}, bag, {}});
    EXPECT_NE(FormFile::write(form).indexOf(QStringLiteral("PageIndex = Long 3")), -1);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("TagVariant"), nothing).value<QObject*>(), nullptr);
}

TEST(PropertyBag, AnObjectThatCannotBeStoredFailsAtItsOwnKeyAndTheBagKeepsTheRest)
{
    QObject object;
    const QVariant reference = QVariant::fromValue(&object);
    const QVariant nothing = QVariant::fromValue<QObject*>(nullptr);
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("TagVariant"), QStringLiteral("kept"), nothing);
    for (const QVariant& value : {reference, nothing}) {
        SCOPED_TRACE(value.value<QObject*>() == nullptr ? "nothing" : "a reference");
        try {
            bag.WriteProperty(QStringLiteral("TagVariant"), value, QString());
            ADD_FAILURE() << "no error for " << value.typeName();
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 13);
            EXPECT_NE(e.description().indexOf(QStringLiteral("TagVariant")), -1) << e.description().toStdString();
        }
    }
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("TagVariant")).toString(), QStringLiteral("kept"));
    EXPECT_TRUE(property_values_equal(reference, QVariant::fromValue(&object)));
    EXPECT_FALSE(property_values_equal(reference, nothing));
}
