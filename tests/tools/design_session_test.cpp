#include "tools/design/design_session.h"
#include "tools/design/design_window.h"

#include "controls/display/general_progress_page.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/pages/property_sheet.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/support/save_targets.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/stat.h>

namespace {

class DesignSessionTest : public KyComCtlTest {
protected:
    // A form file with a progress bar and a wizard page, designed and saved by a test host.
    QString designed_file()
    {
        forms::TestHost design(false);
        design.add(QStringLiteral("KyComCtl.KyProgressBar"), QStringLiteral("prbProgress"));
        design.add(QStringLiteral("KyComCtl.KyWizardTab"), QStringLiteral("tabWelcome"));
        const QString path = dir_.filePath(QStringLiteral("frmDesign.ofm"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(design.saved_text().toUtf8());
        return path;
    }
    QTemporaryDir dir_;
};

} // namespace

TEST_F(DesignSessionTest, APageEditSavedToTheFormFileReadsBackOnTheNextOpen)
{
    const QString path = designed_file();
    DesignSession session;
    session.open(path);
    EXPECT_FALSE(session.form().UserMode());
    EXPECT_EQ(session.control_names(), (QStringList{QStringLiteral("prbProgress"), QStringLiteral("tabWelcome")}));

    auto sheet = session.sheet_for(QStringLiteral("prbProgress"));
    auto& page = static_cast<GeneralProgress&>(*sheet->page(0));
    page.txtMax().setText(QStringLiteral("250"));
    page.txtCaption().setText(QStringLiteral("Domains"));
    ASSERT_TRUE(sheet->apply());
    session.save();

    DesignSession again;
    again.open(path);
    QObject* bar = again.form().site(QStringLiteral("prbProgress"));
    EXPECT_EQ(forms::get(bar, QStringLiteral("Max")).toInt(), 250);
    EXPECT_EQ(forms::get(bar, QStringLiteral("Caption")).toString(), QStringLiteral("Domains"));
}

TEST_F(DesignSessionTest, AFileThatDoesNotLoadLeavesTheOpenFormAsItWas)
{
    DesignSession session;
    session.open(designed_file());
    const QString bad = dir_.filePath(QStringLiteral("bad.ofm"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("OstrelForm 1\nBegin Form frm\n   Begin KyComCtl.NoSuchControl x\n   End\nEnd\n");
    file.close();
    EXPECT_THROW(session.open(bad), forms::VbError);
    EXPECT_THROW(session.open(dir_.filePath(QStringLiteral("missing.ofm"))), forms::VbError);
    EXPECT_EQ(session.control_names().size(), 2);
    EXPECT_THROW(session.sheet_for(QStringLiteral("nothing")), forms::VbError);

    // The window shows the error and keeps the form.
    DesignWindow window;
    ASSERT_TRUE(window.open(session.path()));
    EXPECT_FALSE(window.open(bad));
    // The two controls, then the form itself.
    EXPECT_EQ(window.control_list().Count(), 3);
    EXPECT_FALSE(host().messages().boxes.empty());
    window.show();
    const QImage image = window.grab().toImage();
    const auto picture = artefacts_dir() / "ostrel_design_window.png";
    EXPECT_TRUE(image.save(QString::fromStdString(picture.string())));
    std::printf("picture of the design window: %s\n", picture.c_str());
}

// Saving the designed form onto every kind of node a path can be, as root and as a user: the
// node stays what it was (a device written in place, a link kept, mode and owner kept), and a
// save that fails says why, naming the file.
TEST_F(DesignSessionTest, ASaveLeavesEachPathWhatItWas)
{
    const QString source = designed_file();
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string bytes = file.readAll().toStdString();
    const auto save = [&](const std::string& path, std::string& error) {
        DesignSession session;
        session.open(source);
        try {
            session.save(QString::fromStdString(path));
        } catch (const forms::VbError& e) {
            EXPECT_EQ(e.number(), 75);
            EXPECT_EQ(session.path(), source) << "a failed save keeps the form's own file";
            error = e.description().toStdString();
            return false;
        }
        EXPECT_EQ(session.path(), QString::fromStdString(path));
        return true;
    };
    save_targets::expect_saves_keep_each_path(save, {save_targets::always(bytes), true});
}

TEST_F(DesignSessionTest, ASaveLeavesEachPathWhatItWasForAUser)
{
    save_targets::expect_passes_as_a_user("DesignSessionTest.ASaveLeavesEachPathWhatItWas");
}

// The design tool reads through the runtime's one form-file reader: what it refuses, the tool
// refuses, naming the file (and the line for text), and nothing is opened.
TEST_F(DesignSessionTest, AFileTheReaderRefusesOpensNothingAndNamesTheFile)
{
    const QString latin1 = dir_.filePath(QStringLiteral("latin1.ofm"));
    {
        QFile file(latin1);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("OstrelForm 1\nBegin Form f\n   Caption = String \"Caf\xE9\"\nEnd\n");
    }
    const QString fifo = dir_.filePath(QStringLiteral("fifo.ofm"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString big = dir_.filePath(QStringLiteral("big.ofm"));
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("OstrelForm 1\nBegin Form f\n   Caption = String \"");
        file.write(QByteArray(forms::FormFile::kMaxFileSize, 'x'));
        file.write("\"\nEnd\n");
    }
    struct Case {
        QString path;
        int error;
        QString description;
    };
    const Case cases[] = {
        {latin1, 380, QStringLiteral("Form file %1 line 3: the text is not UTF-8").arg(latin1)},
        {QStringLiteral("/dev/zero"), 75, QStringLiteral("Path/File access error: /dev/zero is not a regular file")},
        {fifo, 75, QStringLiteral("Path/File access error: %1 is not a regular file").arg(fifo)},
        {big, 380,
         QStringLiteral("Form file %1: %2 bytes, more than the %3 a form file may hold")
             .arg(big)
             .arg(forms::FormFile::kMaxFileSize + 1)
             .arg(forms::FormFile::kMaxFileSize)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        DesignSession session;
        try {
            session.open(c.path);
            ADD_FAILURE() << "opened";
        } catch (const forms::VbError& e) {
            EXPECT_EQ(e.number(), c.error);
            EXPECT_EQ(e.description().toStdString(), c.description.toStdString());
        }
        EXPECT_FALSE(session.is_open());
    }
    QFile kept(latin1);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("OstrelForm 1\nBegin Form f\n   Caption = String \"Caf\xE9\"\nEnd\n"));
}
