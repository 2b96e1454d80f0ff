#pragma once
// Where a test leaves a file for a person to look at (pictures of what a user sees):
// $OSTREL_ARTEFACTS_DIR, else the build tree's test-artefacts folder (never the source tree,
// where a test run by hand from the top folder would otherwise leave them).

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
#ifdef OSTREL_TEST_ARTEFACTS_DIR
    const std::filesystem::path fallback(OSTREL_TEST_ARTEFACTS_DIR);
#else
    const std::filesystem::path fallback = std::filesystem::current_path();
#endif
    std::filesystem::path path = dir && *dir ? std::filesystem::path(dir) : fallback;
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
