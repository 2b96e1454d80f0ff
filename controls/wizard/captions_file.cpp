#include "controls/wizard/captions_file.h"

#include "platform/forms/control_site.h"
#include "platform/forms/vb_error.h"
#include "platform/win32/module.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

QByteArray captions_file_text(const PageCaptions& c)
{
    static const char* const text_labels[] = {"BannerTitle: ", "BannerDescription: ", "WatermarkTitle: ",
                                              "WatermarkDescription: ", "WatermarkRule: "};
    static const char* const button_labels[] = {"LeftButton Caption: ", "LeftMiddleButton Caption: ",
                                                "RightMiddleButton Caption: ", "RightButton Caption: "};
    const QString equals(80, u'=');
    const QString hyphens(80, u'-');
    const QString mode = c.page_mode == 0 ? QStringLiteral("WelcomePage")
                         : c.page_mode == 1 ? QStringLiteral("InteriorPage")
                                            : QStringLiteral("CompletePage");
    QStringList lines;
    lines << c.display_name + QStringLiteral(" captions:") << QString() << QStringLiteral("Page Mode: ") + mode << equals;
    for (std::size_t i = 0; i < c.texts.size(); ++i)
        lines << QString() << QString::fromLatin1(text_labels[i]) << c.texts[i] << hyphens;
    for (std::size_t i = 0; i < c.button_captions.size(); ++i)
        lines << QString() << QString::fromLatin1(button_labels[i]) << c.button_captions[i]
              << (i + 1 < c.button_captions.size() ? hyphens : equals);
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text.toLatin1();
}

void write_captions_file(const QString& folder, const PageCaptions& captions)
{
    if (!forms::ControlSite::is_valid_name(captions.display_name))
        forms::raise(52, QStringLiteral("KyWizardTab"),
                     QStringLiteral("\"%1\" is not a control name a captions file can be named after").arg(captions.display_name));
    QSaveFile file(QDir(folder).filePath(captions.display_name + QStringLiteral(".txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(captions_file_text(captions)) < 0 || !file.commit())
        forms::raise(75, QStringLiteral("KyWizardTab"),
                     QStringLiteral("The captions file %1 cannot be written: %2").arg(file.fileName(), file.errorString()));
}

QString library_folder()
{
    return QFileInfo(QString::fromStdString(win32::module_path(win32::current_module()))).absolutePath();
}
