// The page's and the navigator's captions files saved onto every kind of node a folder can hold,
// as root and as a user: the node stays what it was, a failure names the file and the reason.
#include "controls/wizard/captions_file.h"

#include "platform/forms/core/vb_error.h"
#include "tests/support/save_targets.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <functional>

namespace {

const std::array<QString, 4> kButtons = {QStringLiteral("< Zurück"), QStringLiteral("Weiter >"),
                                         QStringLiteral("Fertig – 5 €"), QStringLiteral("Abbrechen")};

PageCaptions page_captions(const QString& name)
{
    PageCaptions c;
    c.display_name = name;
    c.texts = {QStringLiteral("Willkommen"), QStringLiteral("„Domänen“"), QString(), QString(), QString()};
    c.button_captions = kButtons;
    return c;
}

QString control_named_by(const std::string& path) { return QFileInfo(QString::fromStdString(path)).completeBaseName(); }

// A table path is <folder>/<control>.txt: the file written for that control in that folder.
save_targets::save_function captions_save(std::function<void(const QString& folder, const QString& name)> write)
{
    return [write](const std::string& path, std::string& error) {
        try {
            write(QFileInfo(QString::fromStdString(path)).path(), control_named_by(path));
            return true;
        } catch (const forms::VbError& e) {
            EXPECT_EQ(e.number(), 75);
            error = e.description().toStdString();
            return false;
        }
    };
}

TEST(CaptionsFileSave, EachPathStaysWhatItWas)
{
    {
        SCOPED_TRACE("the page's file");
        save_targets::expect_saves_keep_each_path(
        captions_save([](const QString& folder, const QString& name) { write_captions_file(folder, page_captions(name)); }),
        {[](const std::string& path) { return captions_file_text(page_captions(control_named_by(path))).toStdString(); },
         true});
    }
    SCOPED_TRACE("the navigator's file");
    save_targets::expect_saves_keep_each_path(
        captions_save([](const QString& folder, const QString& name) {
            write_navigator_captions_file(folder, name, kButtons);
        }),
        {[](const std::string& path) {
             return navigator_captions_file_text(control_named_by(path), kButtons).toStdString();
         },
         true});
}

TEST(CaptionsFileSave, EachPathStaysWhatItWasForAUser)
{
    save_targets::expect_passes_as_a_user("CaptionsFileSave.EachPathStaysWhatItWas");
}

} // namespace
