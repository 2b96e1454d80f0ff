#include "controls/display/ky_minimized.h"

#include "controls/display/minimize_coupling.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/host_form.h"
#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/core/vb_error.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// A form shown as a dialog of `owner` (or of nobody), carrying a KyMinimized.
struct CoupledDialog {
    CoupledDialog(QWidget* owner, const QString& name) : form(std::make_unique<forms::Form>(true, owner))
    {
        form->setWindowFlags(Qt::Dialog);
        form->setName(name);
        site = &form->add_control(QStringLiteral("KyComCtl.KyMinimized"), QStringLiteral("minimized"));
        control = qobject_cast<KyMinimized*>(site->control());
        form->show();
    }

    bool minimized() const { return form->windowState().testFlag(Qt::WindowMinimized); }

    std::unique_ptr<forms::Form> form;
    forms::ControlSite* site = nullptr;
    KyMinimized* control = nullptr;
};

void minimize(QWidget& window) { window.setWindowState(window.windowState() | Qt::WindowMinimized); }
void restore(QWidget& window) { window.setWindowState(window.windowState() & ~Qt::WindowMinimized); }

// Runs `dialog` modally as the runtime's modal dialogs run: the run ends when the dialog is
// hidden by the program (not by the window system, whose hide events come with a minimise). `body` runs inside the run.
// Returns whether the run was still going when `body` finished.
bool run_modally(QWidget& dialog, const std::function<void()>& body)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    QEventLoop run;
    struct EndOnHide : QObject {
        QEventLoop* loop;
        explicit EndOnHide(QEventLoop* l) : loop(l) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Hide && !event->spontaneous())
                loop->exit(1);
            return false;
        }
    } end_on_hide(&run);
    dialog.installEventFilter(&end_on_hide);
    bool running_after_body = false;
    QTimer::singleShot(0, &run, [&] {
        body();
        QCoreApplication::processEvents();
        running_after_body = run.isRunning() && dialog.isVisible();
        run.exit(0);
    });
    QTimer::singleShot(5000, &run, [&] { run.exit(2); }); // a hung run fails instead of blocking
    run.exec();
    dialog.removeEventFilter(&end_on_hide);
    return running_after_body;
}

class MinimizedTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        owner_ = std::make_unique<forms::Form>(true);
        owner_->setCaption(QStringLiteral("Owner"));
        owner_->show();
    }
    void TearDown() override
    {
        owner_.reset();
        KyComCtlTest::TearDown();
    }

    std::unique_ptr<forms::Form> owner_;
};

TEST_F(MinimizedTest, MinimiseAndRestoreFromInsideTheModalRun)
{
    CoupledDialog dialog(owner_.get(), QStringLiteral("frmDialog"));
    ASSERT_NE(dialog.control->coupling(), nullptr);
    EXPECT_EQ(dialog.control->coupling()->owner(), owner_.get());

    bool owner_minimized = false, dialog_kept = false, owner_restored = false, dialog_restored = false;
    const bool still_running = run_modally(*dialog.form, [&] {
        minimize(*dialog.form);
        QCoreApplication::processEvents();
        owner_minimized = owner_->windowState().testFlag(Qt::WindowMinimized);
        dialog_kept = dialog.form->isVisible() && dialog.minimized() && dialog.control->coupling()->dialog_minimized();
        restore(*owner_);
        QCoreApplication::processEvents();
        owner_restored = !owner_->windowState().testFlag(Qt::WindowMinimized);
        dialog_restored = !dialog.minimized() && !dialog.control->coupling()->dialog_minimized();
    });
    EXPECT_TRUE(owner_minimized);
    EXPECT_TRUE(dialog_kept) << "the dialog is minimised, never hidden";
    EXPECT_TRUE(owner_restored);
    EXPECT_TRUE(dialog_restored);
    EXPECT_TRUE(still_running) << "the dialog left its modal run";
}

// The dialog shown the way the program shows its own (Show vbModal, owner): it is transient
// for its owner, not a Qt child of it, and the window system minimises it (the platform's
// window-state change, with its spontaneous hide).
TEST_F(MinimizedTest, ARuntimeModalDialogIsCoupledWithTheOwnerItWasShownOver)
{
    forms::HostForm owner;
    owner.setCaption(QStringLiteral("Owner"));
    owner.Show(forms::vbModeless);
    forms::HostForm dialog;
    dialog.setCaption(QStringLiteral("Dialog"));
    forms::ControlSite& site = dialog.add_control(QStringLiteral("KyComCtl.KyMinimized"), QStringLiteral("minimized"));
    auto* control = qobject_cast<KyMinimized*>(site.control());
    ASSERT_NE(control, nullptr);

    struct seen {
        bool coupled = false, owner_minimized = false, dialog_restored = false, ended_by_unload = false;
    } seen;
    // One step per turn of the modal run, so a run that a step ends shows by the steps left out.
    QTimer::singleShot(0, &dialog, [&] {
        seen.coupled = control->coupling() != nullptr && control->coupling()->owner() == &owner;
        minimize(dialog);
    });
    QTimer::singleShot(100, &dialog, [&] {
        seen.owner_minimized = owner.windowState().testFlag(Qt::WindowMinimized);
        restore(owner);
    });
    QTimer::singleShot(200, &dialog, [&] {
        seen.dialog_restored = !dialog.windowState().testFlag(Qt::WindowMinimized);
        seen.ended_by_unload = true;
        dialog.unload_form();
    });
    QTimer::singleShot(5000, &dialog, [&] { dialog.unload_form(); }); // a hung run fails instead of blocking
    dialog.Show(forms::vbModal, &owner);
    EXPECT_TRUE(seen.ended_by_unload) << "minimising the dialog ended its modal run";
    EXPECT_TRUE(seen.coupled) << "the coupling did not find the owner the modal Show gave the dialog";
    EXPECT_TRUE(seen.owner_minimized);
    EXPECT_TRUE(seen.dialog_restored);
}

TEST_F(MinimizedTest, RestoringTheOwnerAloneLeavesAnUncoupledDialog)
{
    CoupledDialog dialog(owner_.get(), QStringLiteral("frmDialog"));
    minimize(*owner_);
    restore(*owner_);
    EXPECT_FALSE(dialog.minimized()); // never minimised with the owner, nothing to restore
    minimize(*dialog.form);
    restore(*dialog.form);
    minimize(*owner_);
    restore(*owner_);
    EXPECT_FALSE(dialog.minimized()) << "a dialog restored by itself is not minimised again";
}

TEST_F(MinimizedTest, DialogWithoutOwnerIsNotCoupled)
{
    CoupledDialog dialog(nullptr, QStringLiteral("frmLonely"));
    EXPECT_EQ(dialog.control->coupling(), nullptr);
    minimize(*dialog.form);
    EXPECT_TRUE(dialog.form->isVisible()) << "an ownerless dialog must not be hidden for good";
    restore(*dialog.form);
    EXPECT_FALSE(dialog.minimized());
}

TEST_F(MinimizedTest, NestedCouplingsKeepTheirOwnState)
{
    CoupledDialog outer(owner_.get(), QStringLiteral("frmOuter"));
    CoupledDialog inner(outer.form.get(), QStringLiteral("frmInner"));
    ASSERT_NE(inner.control->coupling(), nullptr);
    EXPECT_EQ(inner.control->coupling()->owner(), outer.form.get());

    minimize(*inner.form);
    EXPECT_TRUE(outer.minimized());
    EXPECT_TRUE(owner_->windowState().testFlag(Qt::WindowMinimized));
    EXPECT_TRUE(inner.control->coupling()->dialog_minimized());
    EXPECT_TRUE(outer.control->coupling()->dialog_minimized());

    restore(*owner_);
    EXPECT_FALSE(outer.minimized());
    EXPECT_FALSE(inner.minimized()) << "the inner coupling was overwritten by the outer one";
    EXPECT_TRUE(inner.form->isVisible());
}

TEST_F(MinimizedTest, ShowAgainDoesNotCoupleAgain)
{
    CoupledDialog dialog(owner_.get(), QStringLiteral("frmDialog"));
    MinimizeCoupling* first = dialog.control->coupling();
    dialog.form->hide();
    dialog.form->show();
    EXPECT_EQ(dialog.control->coupling(), first);
}

TEST_F(MinimizedTest, TerminateEndsTheCoupling)
{
    CoupledDialog dialog(owner_.get(), QStringLiteral("frmDialog"));
    dialog.form->unload();
    minimize(*owner_);
    restore(*owner_);
    minimize(*dialog.form);
    EXPECT_FALSE(owner_->windowState().testFlag(Qt::WindowMinimized));
}

TEST_F(MinimizedTest, SizeAtDesignAndRunTime)
{
    forms::TestHost design(false);
    forms::ControlSite& designed = design.add(QStringLiteral("KyComCtl.KyMinimized"), QStringLiteral("minimized"));
    EXPECT_EQ(designed.Width(), 28 * 15);
    EXPECT_EQ(designed.Height(), 28 * 15);
    designed.Move(0, 0, 2000, 100);
    EXPECT_EQ(designed.Width(), 28 * 15);
    EXPECT_EQ(designed.Height(), 28 * 15);
    design.show();
    const QImage picture = designed.control()->grab().toImage();
    const auto path = artefacts_dir() / "minimized_design_time.png";
    ASSERT_TRUE(picture.scaled(picture.size() * 4).save(QString::fromStdString(path.string())));
    std::printf("picture of the minimise coupling at design time: %s\n", path.c_str());
    EXPECT_EQ(picture.pixelColor(2 + 7, 2 + 15), QColor(Qt::black)); // the glyph of the icon

    forms::ControlSite& running = host().add(QStringLiteral("KyComCtl.KyMinimized"), QStringLiteral("minimized"));
    host().show();
    EXPECT_EQ(running.Width(), 0);
    EXPECT_EQ(running.Height(), 0);
    for (auto* part : running.control()->findChildren<forms::IntrinsicControl*>())
        EXPECT_FALSE(part->Visible()) << part->Name().toStdString() << " shows at run time";
}

TEST_F(MinimizedTest, SecondInstanceOnAFormIsRefused)
{
    forms::TestHost design(false);
    design.add(QStringLiteral("KyComCtl.KyMinimized"), QStringLiteral("minimized1"));
    try {
        design.add(QStringLiteral("KyComCtl.KyMinimized"), QStringLiteral("minimized2"));
        FAIL() << "a second instance was placed";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.number()), 0x80040000u);
        EXPECT_EQ(error.source(), QStringLiteral("SystemMenu"));
        EXPECT_EQ(error.description(), QStringLiteral("Control already exists."));
    }
    EXPECT_EQ(design.form().site(QStringLiteral("minimized2")), nullptr);
    // Loading a stored form with two does not check.
    EXPECT_NO_THROW(design.design_to_run());
}

} // namespace
