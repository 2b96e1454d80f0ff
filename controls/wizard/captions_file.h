#pragma once
// The design-time captions file of a wizard page: its texts and button captions as plain
// text for translation or review, written next to the control library. The file is written
// through the one file writer (platform/forms/core/file_save.h): a new or regular file whole or not
// at all, a translator's link, device or another user's file kept what it was; and only under a
// name that is an identifier, so a control's name never becomes a path.

#include <QString>
#include <QStringList>

#include <array>

struct PageCaptions {
    QString display_name;
    int page_mode = 0;
    // BannerTitle, BannerDescription, WatermarkTitle, WatermarkDescription, WatermarkRule.
    std::array<QString, 5> texts;
    // Left, LeftMiddle, RightMiddle, Right.
    std::array<QString, 4> button_captions;
};

// The file's bytes: lines ending in CR LF, in UTF-8 like every text file of the system, so
// that a translator gets every caption as it was typed.
QByteArray captions_file_text(const PageCaptions& captions);

// Writes `folder`/<display name>.txt. Raises 52 (Bad file name or number) for a display name
// that is not an identifier and 75 (Path/File access error, naming the file and the reason) when
// the file cannot be written; an earlier regular file of that name then stays as it was.
void write_captions_file(const QString& folder, const PageCaptions& captions);

// The navigator's file: the page's file without the page-mode line and the text sections.
QByteArray navigator_captions_file_text(const QString& display_name, const std::array<QString, 4>& button_captions);
// Writes `folder`/<display name>.txt with the navigator's file; raises as write_captions_file.
void write_navigator_captions_file(const QString& folder, const QString& display_name,
                                   const std::array<QString, 4>& button_captions);

// The folder of the control library's own module.
QString library_folder();
// The folder the captions files go to: the library's own, or OSTREL_CAPTIONS_DIR when set
// (tests keep the library's folder clean).
QString captions_folder();
