#pragma once
// Where a test leaves a file for a person to look at (pictures of what a user sees):
// $OSTREL_ARTEFACTS_DIR, else the test's working directory.

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace forms {

inline std::filesystem::path artefacts_dir()
{
    const char* dir = std::getenv("OSTREL_ARTEFACTS_DIR");
    std::filesystem::path path = dir && *dir ? std::filesystem::path(dir) : std::filesystem::current_path();
    std::filesystem::create_directories(path);
    return path;
}

// Grabs the widget as it is drawn now and saves it as <name>.png; false when it cannot.
inline bool save_picture(QWidget& widget, const std::string& name)
{
    const std::filesystem::path path = artefacts_dir() / (name + ".png");
    return widget.grab().toImage().save(QString::fromStdString(path.string()));
}

} // namespace forms
