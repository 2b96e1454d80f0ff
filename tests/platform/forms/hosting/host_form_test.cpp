// The host form's life cycle: Load once per loading, QueryUnload and Unload with their
// Cancel (the close box among the unload modes), a modal Show above its owner that returns
// when the form goes, Icon, and Enter and Esc pressing the form's own buttons.

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/host_form.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace forms;

namespace {

class HostFormTest : public ::testing::Test {
protected:
    void SetUp() override { TestHost::ensure_application(); }

    // Records the life-cycle events of `form` as text.
    void record(HostForm& form)
    {
        QObject::connect(&form, &HostForm::Load, [this] { events.push_back("Load"); });
        QObject::connect(&form, &HostForm::QueryUnload, [this](int& cancel, int mode) {
            events.push_back("QueryUnload " + std::to_string(mode));
            cancel = cancel_query;
        });
        QObject::connect(&form, &HostForm::Unload, [this](int& cancel) {
            events.push_back("Unload");
            cancel = cancel_unload;
        });
    }
    static void press(QWidget& target, int qt_key, const QString& text = {})
    {
        window_input::key(target, qt_key, Qt::NoModifier, text);
    }

    std::vector<std::string> events;
    int cancel_query = 0;
    int cancel_unload = 0;
};

TEST_F(HostFormTest, LoadRunsOncePerLoadingAndAnUnloadedFormLoadsAgainWhenShown)
{
    HostForm form;
    record(form);
    int activations = 0;
    QObject::connect(&form, &HostForm::Activate, [&] { ++activations; });
    form.Show();
    QApplication::processEvents();
    EXPECT_EQ(activations, 1) << "Activate when the window becomes the active one";
    form.Hide();
    QApplication::processEvents();
    form.Show();
    QApplication::processEvents();
    EXPECT_EQ(activations, 2) << "again when shown again";
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(events, (std::vector<std::string>{"Load"}));
    ASSERT_TRUE(form.unload_form());
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.loaded());
    form.Show();
    EXPECT_EQ(events, (std::vector<std::string>{"Load", "QueryUnload 1", "Unload", "Load"}));
}

TEST_F(HostFormTest, QueryUnloadAndUnloadCanKeepTheFormAndTheCloseBoxIsTheirControlMenuMode)
{
    struct Case {
        const char* what;
        bool close_box;
        int cancel_query, cancel_unload;
        std::vector<std::string> events;
        bool kept;
    };
    const std::vector<Case> cases = {
        {"Unload by code", false, 0, 0, {"QueryUnload 1", "Unload"}, false},
        {"close box", true, 0, 0, {"QueryUnload 0", "Unload"}, false},
        {"close box kept by QueryUnload", true, 1, 0, {"QueryUnload 0"}, true},
        {"Unload kept by its own Cancel", false, 0, 1, {"QueryUnload 1", "Unload"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostForm form;
        form.Show();
        record(form);
        events.clear();
        cancel_query = c.cancel_query;
        cancel_unload = c.cancel_unload;
        if (c.close_box)
            form.close();
        else
            EXPECT_EQ(form.unload_form(), c.kept == false);
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(form.isVisible(), c.kept);
        EXPECT_EQ(form.loaded(), c.kept);
    }
}

TEST_F(HostFormTest, AModalShowStaysAboveItsOwnerAndReturnsWhenTheFormHides)
{
    HostForm owner;
    owner.setGeometry(300, 200, 600, 400);
    owner.Show();
    HostForm dialog;
    dialog.resize(200, 100);
    bool shown_modal = false;
    bool above_owner = false;
    bool returned_early = true;
    QPoint centre;
    QTimer::singleShot(0, &dialog, [&] {
        shown_modal = dialog.isVisible() && dialog.isModal();
        centre = dialog.frameGeometry().center();
        above_owner = dialog.windowHandle() != nullptr &&
                      dialog.windowHandle()->transientParent() == owner.windowHandle();
        returned_early = false;
        dialog.Hide();
    });
    dialog.Show(vbModal, &owner);
    EXPECT_FALSE(returned_early) << "Show returned before the dialog was hidden";
    EXPECT_TRUE(shown_modal);
    EXPECT_TRUE(above_owner);
    EXPECT_NEAR(centre.x(), owner.frameGeometry().center().x(), 1) << "centred on its owner";
    EXPECT_NEAR(centre.y(), owner.frameGeometry().center().y(), 1);
    EXPECT_FALSE(dialog.isModal()) << "modality ends with the modal Show";
    EXPECT_TRUE(dialog.loaded()) << "a hidden dialog stays loaded for the next Show";
}

TEST_F(HostFormTest, AMinimiseKeepsTheModalRunAndAFormDeletedInItsRunEndsIt)
{
    HostForm owner;
    owner.Show();
    // The window system minimising the dialog (the spontaneous hide that comes with it) is no
    // hide by the program: Show goes on until the form is hidden or unloaded.
    HostForm dialog;
    bool kept_after_minimise = false;
    QTimer::singleShot(0, &dialog, [&] { dialog.setWindowState(Qt::WindowMinimized); });
    QTimer::singleShot(100, &dialog, [&] {
        kept_after_minimise = true;
        dialog.unload_form();
    });
    dialog.Show(vbModal, &owner);
    EXPECT_TRUE(kept_after_minimise) << "a minimise ended the modal Show";

    // A form its owner deletes while it runs modally (a timer of the host, another window's
    // handler) ends the run, and Show returns without touching the gone form.
    auto* doomed = new HostForm;
    QTimer::singleShot(0, &owner, [doomed] { delete doomed; });
    doomed->Show(vbModal, &owner);
    SUCCEED();
}

TEST_F(HostFormTest, TheCloseBoxEndsAModalShowByUnloadingAndAVisibleFormCannotBeShownModally)
{
    HostForm dialog;
    record(dialog);
    QTimer::singleShot(0, &dialog, [&] {
        try {
            dialog.Show(vbModal);
            ADD_FAILURE() << "a second modal Show";
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 400);
        }
        dialog.close();
    });
    dialog.Show(vbModal);
    EXPECT_EQ(events, (std::vector<std::string>{"Load", "QueryUnload 0", "Unload"}));
    EXPECT_FALSE(dialog.loaded());
}

TEST_F(HostFormTest, TheIconIsTheWindowsIcon)
{
    HostForm form;
    QPixmap picture(16, 16);
    picture.fill(Qt::blue);
    form.setIcon(QIcon(picture));
    EXPECT_FALSE(form.Icon().isNull());
    EXPECT_EQ(form.windowIcon().cacheKey(), form.Icon().cacheKey());
}

TEST_F(HostFormTest, EnterAndEscPressTheDefaultAndCancelButtonsBeforeTheFocusedControlSeesThem)
{
    HostForm form;
    auto* ok = new CommandButton(&form, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    auto* cancel = new CommandButton(&form, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    auto* text = new TextBox(&form, QStringLiteral("txtName"));
    ok->setDefault(true);
    cancel->setCancel(true);
    std::vector<std::string> clicks;
    QObject::connect(ok, &CommandButton::Click, [&] { clicks.push_back("OK"); });
    QObject::connect(cancel, &CommandButton::Click, [&] { clicks.push_back("Cancel"); });
    QObject::connect(text, &TextBox::KeyPress,
                     [&](short& ascii) { clicks.push_back("text " + std::to_string(ascii)); });
    form.Show();
    form.activateWindow();
    QWidget* field = text->findChild<QLineEdit*>();
    press(*field, Qt::Key_Return);
    press(*field, Qt::Key_Escape);
    press(*cancel, Qt::Key_Return, QStringLiteral("\r"));
    ok->setEnabled(false);
    cancel->setVisible(false);
    press(*field, Qt::Key_Return);
    press(*field, Qt::Key_Escape);
    EXPECT_EQ(clicks, (std::vector<std::string>{"OK", "Cancel", "Cancel", "text 13", "text 27"}))
        << "the focused button takes Enter; without a button to press the keys reach the box";
}

} // namespace
