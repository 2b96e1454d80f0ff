// The captions file of a wizard page and of the navigator. The input is the page's fields,
// separated by NUL bytes and read as UTF-8 (as a form file gives them): the display name, the
// page mode, the five texts and the four button captions. Promises: the file is UTF-8 lines
// ending in CR LF and gives every text and caption as it was typed, in order, each after its
// label; it is written as <display name>.txt inside the folder given and nowhere else, or for a
// name that is not a control name refused with 52 writing nothing.

#include "controls/wizard/captions_file.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/vb_error.h"

#include "tests/fuzz/fuzz_check.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

const char* const kTextLabels[] = {"BannerTitle: ", "BannerDescription: ", "WatermarkTitle: ",
                                   "WatermarkDescription: ", "WatermarkRule: "};
const char* const kButtonLabels[] = {"LeftButton Caption: ", "LeftMiddleButton Caption: ",
                                     "RightMiddleButton Caption: ", "RightButton Caption: "};

// The file's text, decoded strictly: bytes that are not UTF-8 break the promise.
QString decoded(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    FUZZ_REQUIRE(!decoder.hasError(), "the captions file is UTF-8");
    return text;
}

// Each label is followed by its text as typed and the line break after it, in order.
void require_sections(const QString& text, const QString& display_name, const QStringList& labels,
                      const QStringList& values)
{
    FUZZ_REQUIRE(text.startsWith(display_name + QStringLiteral(" captions:\r\n")), "the file names its page");
    FUZZ_REQUIRE(text.endsWith(QStringLiteral("\r\n")), "the last line ends in CR LF");
    qsizetype at = 0;
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const QString section = QStringLiteral("\r\n\r\n") + labels[i] + QStringLiteral("\r\n") + values[i] +
                                QStringLiteral("\r\n");
        const qsizetype found = text.indexOf(section, at);
        FUZZ_REQUIRE(found >= 0, "every text is in the file as it was typed, after its label");
        at = found + section.size();
    }
}

// The one file written, with `bytes`, or (for a name that is no control name) 52 and none.
template <typename Write>
void require_written(const QString& display_name, const QByteArray& bytes, Write write)
{
    static QTemporaryDir* folder = new QTemporaryDir;
    FUZZ_REQUIRE(folder->isValid(), "a folder to write into");
    const QDir dir(folder->path());
    const bool valid = forms::ControlSite::is_valid_name(display_name);
    try {
        write(folder->path());
        FUZZ_REQUIRE(valid, "a name that is no control name is refused");
    } catch (const forms::VbError& error) {
        FUZZ_REQUIRE(!valid && error.number() == 52, "only a name that is no control name is refused, with 52");
    }
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (!valid) {
        FUZZ_REQUIRE(entries.isEmpty(), "a refused name writes nothing");
        return;
    }
    FUZZ_REQUIRE(entries == QStringList{display_name + QStringLiteral(".txt")}, "the file is <name>.txt, alone");
    QFile file(dir.filePath(entries.first()));
    FUZZ_REQUIRE(file.open(QIODevice::ReadOnly), "the file written reads");
    FUZZ_REQUIRE(file.readAll() == bytes, "the file holds the captions text");
    file.close();
    FUZZ_REQUIRE(file.remove(), "the file written can be removed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QList<QByteArray> fields = bytes.split('\0');
    const auto field = [&](qsizetype i) { return i < fields.size() ? QString::fromUtf8(fields[i]) : QString(); };

    PageCaptions page;
    page.display_name = field(0);
    page.page_mode = field(1).toInt();
    QStringList text_labels, texts, button_labels, captions;
    for (std::size_t i = 0; i < page.texts.size(); ++i) {
        page.texts[i] = field(2 + static_cast<qsizetype>(i));
        text_labels << QString::fromLatin1(kTextLabels[i]);
        texts << page.texts[i];
    }
    for (std::size_t i = 0; i < page.button_captions.size(); ++i) {
        page.button_captions[i] = field(7 + static_cast<qsizetype>(i));
        button_labels << QString::fromLatin1(kButtonLabels[i]);
        captions << page.button_captions[i];
    }

    const QByteArray page_file = captions_file_text(page);
    const QString page_text = decoded(page_file);
    require_sections(page_text, page.display_name, text_labels + button_labels, texts + captions);
    const QString mode = page.page_mode == 0   ? QStringLiteral("WelcomePage")
                         : page.page_mode == 1 ? QStringLiteral("InteriorPage")
                                               : QStringLiteral("CompletePage");
    FUZZ_REQUIRE(page_text.contains(QStringLiteral("\r\nPage Mode: ") + mode + QStringLiteral("\r\n")),
                 "the page file gives the page mode");
    require_written(page.display_name, page_file, [&](const QString& folder) { write_captions_file(folder, page); });

    const QByteArray navigator_file = navigator_captions_file_text(page.display_name, page.button_captions);
    require_sections(decoded(navigator_file), page.display_name, button_labels, captions);
    require_written(page.display_name, navigator_file, [&](const QString& folder) {
        write_navigator_captions_file(folder, page.display_name, page.button_captions);
    });
    return 0;
}
