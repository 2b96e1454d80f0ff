#include "probe_control.h"

#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"

#include <QApplication>

#include <gtest/gtest.h>

using namespace forms;

namespace {

class UserControlTest : public ::testing::Test {
protected:
    void SetUp() override { ProbeControl::shared_log = &log; }
    void TearDown() override
    {
        ProbeControl::shared_log = nullptr;
        Screen::set_twips_per_pixel(15, 15);
    }
    static ProbeControl& probe(ControlSite& s) { return *static_cast<ProbeControl*>(s.control()); }
    QStringList log;
};

std::string joined(const QStringList& l) { return l.join(QStringLiteral(" | ")).toStdString(); }

} // namespace

TEST_F(UserControlTest, NewControlRunsTheLifeCycleInOrderAndTerminatesWhileSiblingsLive)
{
    {
        TestHost host(true);
        host.add(std::make_unique<ProbeControl>(), QStringLiteral("one"));
        host.add(std::make_unique<ProbeControl>(), QStringLiteral("two"));
        host.show();
        host.form().unload();
        EXPECT_TRUE(host.form().sites().empty());
    }
    EXPECT_EQ(joined(log), "Initialize 398 | InitProperties one | Resize | "
                           "Initialize 398 | InitProperties two | Resize | Show | Show | "
                           "Hide | Hide | Terminate siblings=2 | Terminate siblings=2");
}

TEST_F(UserControlTest, DesignedPropertiesAreWrittenWithoutDefaultsAndReadBackInRunMode)
{
    TestHost host(false);
    ControlSite& s = host.add(std::make_unique<ProbeControl>(), QStringLiteral("prb"), QStringLiteral("Probe.Control"));
    probe(s).setCaption(QStringLiteral("Hello"));
    probe(s).setForeColor(0xFFu);
    s.Move(150, 300, 1500, 450);
    const QString text = host.saved_text();
    EXPECT_NE(text.indexOf(QStringLiteral("Caption = String \"Hello\"")), -1) << text.toStdString();
    EXPECT_NE(text.indexOf(QStringLiteral("ForeColor = Color &HFF&")), -1);
    EXPECT_EQ(text.indexOf(QStringLiteral("Max =")), -1) << "default elided";
    EXPECT_EQ(text.indexOf(QStringLiteral("DisplayFont")), -1) << "ambient font elided";
    EXPECT_NE(text.indexOf(QStringLiteral("@Left = Double 150")), -1);

    // Reloading needs the class through the registry; here the test places the same kind of
    // control itself and feeds it the stored bag, as the loader does.
    FormData data = FormFile::parse(text);
    Form run(true);
    run.resize(400, 300);
    PropertyBag bag = data.controls.at(0).properties;
    log.clear();
    ControlSite& r = run.add_control(std::make_unique<ProbeControl>(), data.controls[0].class_name,
                                     data.controls[0].name, nullptr, &bag, &data.controls[0].extender);
    EXPECT_EQ(joined(log), "Initialize 398 | ReadProperties prb | Resize");
    EXPECT_EQ(probe(r).Caption().toStdString(), "Hello");
    EXPECT_EQ(probe(r).ForeColor(), 0xFFu);
    EXPECT_EQ(probe(r).Max(), 100);
    EXPECT_EQ(r.Left(), 150);
    EXPECT_EQ(r.control()->geometry(), QRect(10, 20, 100, 30));
}

TEST_F(UserControlTest, AmbientChangesReachEveryControl)
{
    TestHost host(false);
    ControlSite& s = host.add(std::make_unique<ProbeControl>(), QStringLiteral("a"));
    EXPECT_FALSE(s.ambient().UserMode());
    EXPECT_EQ(s.ambient().DisplayName().toStdString(), "a");
    // The control keeps the container's font object, so it is the same object.
    EXPECT_EQ(probe(s).DisplayFont().get(), host.form().Font().get());
    log.clear();
    host.form().Font()->setBold(true);
    host.form().set_user_mode(true);
    host.form().setBackColor(0x00FF00u);
    s.setName(QStringLiteral("renamed"));
    EXPECT_EQ(joined(log), "AmbientChanged Font | AmbientChanged UserMode | AmbientChanged BackColor | "
                           "AmbientChanged DisplayName");
    EXPECT_TRUE(s.ambient().UserMode());
    EXPECT_EQ(s.ambient().DisplayName().toStdString(), "renamed");
    host.add(std::make_unique<ProbeControl>(), QStringLiteral("b"));
    try {
        s.setName(QStringLiteral("B"));
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 380);
    }
}

TEST_F(UserControlTest, AControlNameIsAnIdentifierNeverAPath)
{
    TestHost host(false);
    ControlSite& s = host.add(std::make_unique<ProbeControl>(), QStringLiteral("wtFinish"));
    for (const char* bad :
         {"../x", "a/b", "", "1st", "wt Finish", "wtFinish.txt", "x1234567890123456789012345678901234567890"}) {
        try {
            s.setName(QString::fromLatin1(bad));
            ADD_FAILURE() << bad;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 380) << bad;
        }
        EXPECT_THROW(host.add(std::make_unique<ProbeControl>(), QString::fromLatin1(bad)), VbError) << bad;
    }
    EXPECT_EQ(s.Name(), QStringLiteral("wtFinish"));
    s.setName(QStringLiteral("wt_Finish2"));
    EXPECT_EQ(s.Name(), QStringLiteral("wt_Finish2"));
}

TEST_F(UserControlTest, ExtenderDocksDefaultCancelRoutingAndZOrder)
{
    Screen::set_twips_per_pixel(12, 12);
    TestHost host(true);
    host.form().resize(200, 100); // 2400 x 1200 twips
    ControlSite& top = host.add(std::make_unique<ProbeControl>(), QStringLiteral("top"));
    ControlSite& bottom = host.add(std::make_unique<ProbeControl>(), QStringLiteral("bottom"));
    ControlSite& plain = host.add(std::make_unique<ProbeControl>(), QStringLiteral("plain"));
    top.setHeight(240);
    top.setAlign(vbAlignTop);
    bottom.setHeight(360);
    bottom.setAlign(vbAlignBottom);
    EXPECT_EQ(top.control()->geometry(), QRect(0, 0, 200, 20));
    EXPECT_EQ(bottom.control()->geometry(), QRect(0, 70, 200, 30));
    host.show();
    host.form().resize(300, 120);
    EXPECT_EQ(bottom.control()->geometry(), QRect(0, 90, 300, 30));
    EXPECT_EQ(bottom.Width(), 3600);
    try {
        top.setAlign(9);
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 380);
    }

    // One Default and one Cancel per form; Enter and Esc go to them.
    top.setDefault(true);
    plain.setDefault(true);
    bottom.setCancel(true);
    EXPECT_FALSE(top.Default());
    log.clear();
    host.form().activateWindow();
    window_input::key(host.form(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    window_input::key(host.form(), Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_EQ(probe(plain).Log().filter(QStringLiteral("AccessKeyPress")).join(',').toStdString(), "AccessKeyPress 13");
    EXPECT_EQ(probe(bottom).Log().filter(QStringLiteral("AccessKeyPress")).join(',').toStdString(),
              "AccessKeyPress 27");

    plain.ZOrder(1);
    EXPECT_EQ(host.form().children().indexOf(plain.control()) < host.form().children().indexOf(top.control()), true);
    try {
        plain.ZOrder(2);
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 5);
    }
    plain.setToolTipText(QStringLiteral("tip"));
    EXPECT_EQ(plain.control()->toolTip().toStdString(), "tip");
    plain.setVisible(false);
    EXPECT_FALSE(plain.control()->isVisible());
    EXPECT_EQ(plain.Container(), &host.form());
}

TEST_F(UserControlTest, SizeSetOnTheSiteRaisesResizeAtOnceAndOncePerChange)
{
    TestHost host(true); // the form stays hidden until show()
    ControlSite& s = host.add(std::make_unique<ProbeControl>(), QStringLiteral("probe"));
    auto resizes = [&] { return probe(s).Log().count(QStringLiteral("Resize")); };
    EXPECT_EQ(resizes(), 1); // the load's Resize
    s.setWidth(1500);
    EXPECT_EQ(resizes(), 2); // hidden, yet at once
    s.Move(s.Left(), s.Top(), 1500, 600);
    EXPECT_EQ(resizes(), 3);
    s.setLeft(300);   // a move alone is no resize
    s.setWidth(1500); // nor the same size again
    EXPECT_EQ(resizes(), 3);
    host.show(); // Qt's held-back resize event is for a size already announced
    EXPECT_EQ(resizes(), 3);
    s.setHeight(900);
    QApplication::processEvents();
    EXPECT_EQ(resizes(), 4); // shown: once, not again from the resize event

    // The form's size reaches an aligned control on a hidden form too.
    TestHost hidden(true);
    hidden.form().resize(200, 100);
    ControlSite& docked = hidden.add(std::make_unique<ProbeControl>(), QStringLiteral("docked"));
    docked.setHeight(300);
    docked.setAlign(vbAlignTop);
    const qsizetype before = probe(docked).Log().count(QStringLiteral("Resize"));
    hidden.form().setWidth(4500);
    EXPECT_EQ(docked.Width(), 4500);
    EXPECT_EQ(probe(docked).Log().count(QStringLiteral("Resize")), before + 1);
}

TEST_F(UserControlTest, PropertyChangedReachesTheHostAndSiteIsGoneAfterTerminate)
{
    TestHost host(false);
    ControlSite& s = host.add(std::make_unique<ProbeControl>(), QStringLiteral("p"));
    QStringList changed;
    QObject::connect(&host.form(), &Form::PropertyChangedOn,
                     [&](QObject*, const QString& name) { changed.push_back(name); });
    host.form().clear_dirty();
    probe(s).setMax(5);
    EXPECT_TRUE(host.form().dirty());
    EXPECT_EQ(joined(changed), "Max");
    // An invisible control in design mode still shows.
    s.setVisible(false);
    host.show();
    EXPECT_TRUE(s.control()->isVisible());
    EXPECT_FALSE(s.Visible());
}
