// How a form hosts user controls beyond the life-cycle order: what a control sees while it
// reads its properties, Resize on a form resize, docking and unloading that a control's own
// handlers re-enter.

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/hosting/user_control.h"
#include "tests/support/forms/test_host.h"

#include <QMetaObject>
#include <QStringList>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

using namespace forms;

namespace {

// A control whose hooks run what the test gives them and log what they saw.
class HookedControl : public UserControl {
    Q_OBJECT
public:
    std::function<void(HookedControl&, PropertyBag&)> on_read;
    std::function<void(HookedControl&)> on_resize;
    std::function<void(HookedControl&)> on_terminate;
    int resizes = 0;
    int terminates = 0;

protected:
    void ReadProperties(PropertyBag& bag) override
    {
        if (on_read)
            on_read(*this, bag);
    }
    void Resize() override
    {
        ++resizes;
        if (on_resize)
            on_resize(*this);
    }
    void Terminate() override
    {
        ++terminates;
        if (on_terminate)
            on_terminate(*this);
    }
};

PropertyBag stored_extender(double left, double top, double width, double height, int align)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Left"), left, 0.0);
    bag.WriteProperty(QStringLiteral("Top"), top, 0.0);
    bag.WriteProperty(QStringLiteral("Width"), width);
    bag.WriteProperty(QStringLiteral("Height"), height);
    bag.WriteProperty(QStringLiteral("Align"), align, 0);
    return bag;
}

HookedControl& hooked(ControlSite& site) { return *static_cast<HookedControl*>(site.control()); }

} // namespace

TEST(FormHosting, ReadPropertiesSeesTheStoredExtenderValuesAndWhatItSetsThereStays)
{
    TestHost host(true);
    host.form().setWidth(7500);
    host.form().setHeight(5000);
    auto control = std::make_unique<HookedControl>();
    QStringList seen;
    control->on_read = [&](HookedControl& c, PropertyBag&) {
        ControlSite& e = c.Extender();
        seen << QStringLiteral("%1 %2 %3 %4 %5")
                    .arg(e.Left())
                    .arg(e.Top())
                    .arg(e.Width())
                    .arg(e.Height())
                    .arg(e.Align());
        e.setAlign(vbAlignNone);
        e.setHeight(3600);
    };
    PropertyBag bag;
    const PropertyBag extender = stored_extender(0, 4200, 7500, 800, vbAlignBottom);
    ControlSite& site = host.form().add_control(std::move(control), QStringLiteral("Hooked"), QStringLiteral("wtPage"),
                                                nullptr, &bag, &extender);
    // Docked at the bottom already: the stored place as the form puts it.
    const double docked_top = host.form().ScaleHeight() - 800;
    EXPECT_EQ(seen, QStringList{QStringLiteral("0 %1 %2 800 2").arg(docked_top).arg(host.form().ScaleWidth())});
    EXPECT_EQ(site.Align(), vbAlignNone);
    EXPECT_EQ(site.Height(), 3600);
}

TEST(FormHosting, ADockedControlHearsResizeWhenTheFormResizesOncePerFormSize)
{
    TestHost host(true);
    host.form().setWidth(7500);
    host.form().setHeight(5000);
    ControlSite& bottom = host.add(std::make_unique<HookedControl>(), QStringLiteral("navBar"));
    bottom.setHeight(600);
    bottom.setAlign(vbAlignBottom);
    host.show();
    const int before = hooked(bottom).resizes;
    host.form().setHeight(6000); // moves the bar; its size stays
    EXPECT_EQ(bottom.Top(), 5400);
    EXPECT_EQ(hooked(bottom).resizes, before + 1);
    host.form().setHeight(6000);
    DoEvents();
    EXPECT_EQ(hooked(bottom).resizes, before + 1) << "no second Resize for the same form size";
    host.form().setWidth(9000); // resizes the bar itself
    DoEvents();
    EXPECT_EQ(hooked(bottom).resizes, before + 2);
}

TEST(FormHosting, AResizeThatChangesTheZOrderDuringDockingDocksOnTheNewOrder)
{
    TestHost host(true);
    host.form().setWidth(7500);
    host.form().setHeight(5000);
    ControlSite& first = host.add(std::make_unique<HookedControl>(), QStringLiteral("first"));
    ControlSite& second = host.add(std::make_unique<HookedControl>(), QStringLiteral("second"));
    for (ControlSite* s : {&first, &second}) {
        s->setHeight(500);
        s->setAlign(vbAlignTop);
    }
    // "first" brings itself to the front whenever it is resized, as a wizard page does.
    hooked(first).on_resize = [](HookedControl& c) { c.Extender().ZOrder(0); };
    host.show();
    host.form().setWidth(8000);
    EXPECT_EQ(first.Top(), 0) << "the front-most control docks nearest the edge";
    EXPECT_EQ(second.Top(), 500);
    EXPECT_EQ(first.Width(), host.form().ScaleWidth());
    EXPECT_EQ(second.Width(), host.form().ScaleWidth());
}

TEST(FormHosting, UnloadAskedForAgainFromATerminatesDoEventsRunsOnceAndEndsUnloaded)
{
    TestHost host(true);
    for (const char* name : {"wtWelcome", "wtInterior", "wtFinish"}) {
        ControlSite& s = host.add(std::make_unique<HookedControl>(), QString::fromLatin1(name));
        hooked(s).on_terminate = [](HookedControl&) { DoEvents(); };
    }
    std::vector<QPointer<HookedControl>> controls;
    for (ControlSite* s : host.form().sites())
        controls.emplace_back(&hooked(*s));
    std::vector<int> terminates;
    for (const auto& c : controls)
        QObject::connect(c, &QObject::destroyed,
                         [&terminates, raw = c.data()] { terminates.push_back(raw->terminates); });
    Form& form = host.form();
    // A queued call unloads the form and removes a control while the first Terminate lets
    // queued calls run.
    QMetaObject::invokeMethod(
        &form,
        [&form] {
            if (ControlSite* s = form.site(QStringLiteral("wtFinish")))
                form.remove_control(*s);
            form.unload();
        },
        Qt::QueuedConnection);
    form.unload();
    EXPECT_TRUE(form.sites().empty());
    EXPECT_EQ(terminates, (std::vector<int>{1, 1, 1}));
    for (const auto& c : controls)
        EXPECT_TRUE(c.isNull());
}

#include "form_hosting_test.moc"

TEST(FormHosting, ARenamedControlIsFoundByItsNewNameAndItsOldNameIsFreeAgain)
{
    TestHost host(false);
    ControlSite& site = host.form().add_control(std::make_unique<HookedControl>(), QStringLiteral("Hooked"),
                                                QStringLiteral("ctlFirst"));
    site.setName(QStringLiteral("ctlRenamed"));
    EXPECT_EQ(host.form().site(QStringLiteral("CTLRENAMED")), &site);
    EXPECT_EQ(host.form().site(QStringLiteral("ctlFirst")), nullptr);
    ControlSite& again = host.form().add_control(std::make_unique<HookedControl>(), QStringLiteral("Hooked"),
                                                 QStringLiteral("ctlfirst"));
    EXPECT_EQ(host.form().site(QStringLiteral("ctlFirst")), &again);
    host.form().remove_control(again);
    EXPECT_EQ(host.form().site(QStringLiteral("ctlFirst")), nullptr);
}
