#include "program/report/resources.h"

#include "program/report/program_strings.h"

#include <QDir>
#include <QFile>
#include <QString>

static void init_program_images()
{
    // The images are compiled into a static library; naming the resource here links them in.
    Q_INIT_RESOURCE(program_images);
}

namespace program {

Resources::Resources()
{
    program::register_strings();
    init_program_images();
}

Resources& Resources::Shared()
{
    static Resources resources;
    return resources;
}

QString Resources::Key(std::int32_t nID) { return QStringLiteral("K") + QString::number(nID); }

QString Resources::LoadString(std::int32_t nID)
{
    const QString key = Key(nID);
    if (m_colStrings.Exists(key))
        return m_colStrings.Item(key).toString();
    QString text;
    if (nID >= 0)
        text = program::load_res_string(static_cast<UINT>(nID));
    m_colStrings.Add(text, key);
    return text;
}

QIcon Resources::LoadIcon(std::int32_t nID)
{
    const QString key = Key(nID);
    if (m_colIcons.Exists(key))
        return m_colIcons.Item(key).value<QIcon>();
    // An icon group holds one image per size, stored side by side as icon/<n>-<size>.png.
    QIcon icon;
    const QDir dir(QStringLiteral(":/program/icon"));
    const QStringList sizes = dir.entryList({QStringLiteral("%1-*.png").arg(nID)}, QDir::Files, QDir::Name);
    for (const QString& file : sizes)
        icon.addFile(dir.filePath(file));
    m_colIcons.Add(QVariant::fromValue(icon), key);
    return icon;
}

QImage Resources::LoadBitmap(std::int32_t nID)
{
    const QString key = Key(nID);
    if (m_colBitmaps.Exists(key))
        return m_colBitmaps.Item(key).value<QImage>();
    QImage image;
    const QString path = QStringLiteral(":/program/bitmap/%1.png").arg(nID);
    if (QFile::exists(path))
        image.load(path);
    m_colBitmaps.Add(QVariant::fromValue(image), key);
    return image;
}

} // namespace program
