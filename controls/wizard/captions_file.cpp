#include "controls/wizard/captions_file.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/vb_error.h"
#include "platform/forms/core/file_save.h"
#include "platform/win32/module.h"

#include <QDir>
#include <QFileInfo>

#include <cstdlib>

namespace {

// The four button sections, each an empty line, its label, the caption and a separator:
// hyphens between the buttons, equals signs after the last.
void add_button_sections(QStringList& lines, const std::array<QString, 4>& button_captions)
{
    static const char* const button_labels[] = {
        "LeftButton Caption: ", "LeftMiddleButton Caption: ", "RightMiddleButton Caption: ", "RightButton Caption: "};
    for (std::size_t i = 0; i < button_captions.size(); ++i)
        lines << QString() << QString::fromLatin1(button_labels[i]) << button_captions[i]
              << QString(80, i + 1 < button_captions.size() ? u'-' : u'=');
}

QByteArray crlf_lines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text.toUtf8();
}

void write_file(const QString& folder, const QString& display_name, const QByteArray& bytes)
{
    if (!forms::ControlSite::is_valid_name(display_name))
        forms::raise(
            52, QStringLiteral("KyComCtl"),
            QStringLiteral("\"%1\" is not a control name a captions file can be named after").arg(display_name));
    const QString path = QDir(folder).filePath(display_name + QStringLiteral(".txt"));
    QString reason;
    if (!forms::save_file(path, bytes, reason))
        forms::raise(75, QStringLiteral("KyComCtl"),
                     QStringLiteral("The captions file %1 cannot be written: %2")
                         .arg(path, reason));
}

} // namespace

QByteArray captions_file_text(const PageCaptions& c)
{
    static const char* const text_labels[] = {
        "BannerTitle: ", "BannerDescription: ", "WatermarkTitle: ", "WatermarkDescription: ", "WatermarkRule: "};
    const QString mode = c.page_mode == 0   ? QStringLiteral("WelcomePage")
                         : c.page_mode == 1 ? QStringLiteral("InteriorPage")
                                            : QStringLiteral("CompletePage");
    QStringList lines;
    lines << c.display_name + QStringLiteral(" captions:") << QString() << QStringLiteral("Page Mode: ") + mode
          << QString(80, u'=');
    for (std::size_t i = 0; i < c.texts.size(); ++i)
        lines << QString() << QString::fromLatin1(text_labels[i]) << c.texts[i] << QString(80, u'-');
    add_button_sections(lines, c.button_captions);
    return crlf_lines(lines);
}

QByteArray navigator_captions_file_text(const QString& display_name, const std::array<QString, 4>& button_captions)
{
    QStringList lines;
    lines << display_name + QStringLiteral(" captions:") << QString(80, u'=');
    add_button_sections(lines, button_captions);
    return crlf_lines(lines);
}

void write_captions_file(const QString& folder, const PageCaptions& captions)
{
    write_file(folder, captions.display_name, captions_file_text(captions));
}

void write_navigator_captions_file(const QString& folder, const QString& display_name,
                                   const std::array<QString, 4>& button_captions)
{
    write_file(folder, display_name, navigator_captions_file_text(display_name, button_captions));
}

QString library_folder()
{
    return QFileInfo(QString::fromStdString(win32::module_path(win32::current_module()))).absolutePath();
}

QString captions_folder()
{
    const char* dir = std::getenv("OSTREL_CAPTIONS_DIR");
    return dir != nullptr && *dir != '\0' ? QString::fromLocal8Bit(dir) : library_folder();
}
