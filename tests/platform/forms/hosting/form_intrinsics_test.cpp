// Plain intrinsic controls on a form and inside a container control: placed by class, shown,
// hidden and moved with their container, kept in the form file inside the container's block
// and loaded back, named like any control, and removed with their container.

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"
#include "tests/platform/forms/hosting/probe_module_fixture.h"
#include "tests/support/forms/test_host.h"

#include <QAccessible>
#include <QPointer>

#include <gtest/gtest.h>

using namespace forms;

namespace {

const char* const kPage = R"(OstrelForm 1
Begin Form frmPages
   Caption = String "Pages"
   Begin FormsProbe.ProbeControl ctlPage
      @Left = Double 300
      @Top = Double 300
      @Width = Double 6000
      @Height = Double 3000
      Begin VB.Label lblDomains
         @Left = Double 120
         @Top = Double 90
         Caption = String "&Domains:"
         Width = Double 1500
         Height = Double 255
      End
      Begin MSComctlLib.ListView lstDomainsList
         Left = Double 120
         Top = Double 390
         Width = Double 4000
         Height = Double 1500
         Checkboxes = Boolean True
      End
      Begin VB.CommandButton cmdAddDomain
         Left = Double 120
         Top = Double 2016
         Width = Double 1500
         Height = Double 375
         Caption = String "&Add Domain..."
         Default = Boolean True
      End
      Begin VB.CommandButton cmdSelectDeselect
         Index = Integer 1
         Caption = String "&Clear All"
      End
      Begin VB.CommandButton cmdSelectDeselect
         Index = Integer 0
         Caption = String "&Select All"
      End
   End
   Begin VB.Label lblOutside
      Caption = String "On the form"
      Visible = Boolean False
   End
End
)";

class FormIntrinsicsTest : public ProbeModuleTest {
protected:
    void load(TestHost& host)
    {
        host.form().resize(500, 300);
        host.form().load(FormFile::parse(QString::fromUtf8(kPage)));
        host.show();
    }
    static QString accessible_name(QWidget* widget)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    }
};

TEST_F(FormIntrinsicsTest, AFormFilePlacesIntrinsicControlsInsideTheirContainerWithTheirProperties)
{
    TestHost host(true);
    load(host);
    ControlSite* page = host.form().site(QStringLiteral("ctlPage"));
    ASSERT_NE(page, nullptr);
    auto* label = qobject_cast<Label*>(host.form().intrinsic(QStringLiteral("LBLDOMAINS")));
    auto* list = qobject_cast<ListView*>(host.form().intrinsic(QStringLiteral("lstDomainsList")));
    auto* button = qobject_cast<CommandButton*>(host.form().intrinsic(QStringLiteral("cmdAddDomain")));
    ASSERT_TRUE(label && list && button);
    for (QWidget* control :
         {static_cast<QWidget*>(label), static_cast<QWidget*>(list), static_cast<QWidget*>(button)}) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_EQ(control->parentWidget(), page->control());
        EXPECT_TRUE(control->isVisible());
    }
    EXPECT_EQ(label->Caption().toStdString(), "&Domains:");
    EXPECT_EQ(label->Top(), 90);
    EXPECT_TRUE(list->Checkboxes());
    EXPECT_TRUE(button->Default());
    EXPECT_EQ(accessible_name(button).toStdString(), "Add Domain...");
    EXPECT_EQ(accessible_name(list).toStdString(), "Domains") << "named by the label in front of it";
    Label* outside = qobject_cast<Label*>(host.form().intrinsic(QStringLiteral("lblOutside")));
    ASSERT_NE(outside, nullptr);
    EXPECT_EQ(outside->parentWidget(), &host.form());
    EXPECT_FALSE(outside->isVisible()) << "stored hidden";
    EXPECT_EQ(host.form().Controls().size(), 7);
}

TEST_F(FormIntrinsicsTest, AControlArraysMembersShareTheNameAndAreFoundByIndex)
{
    TestHost host(true);
    load(host);
    auto* select = qobject_cast<CommandButton*>(host.form().intrinsic(QStringLiteral("cmdSelectDeselect"), 0));
    auto* clear = qobject_cast<CommandButton*>(host.form().intrinsic(QStringLiteral("CMDSELECTDESELECT"), 1));
    ASSERT_TRUE(select && clear);
    EXPECT_EQ(select->Caption().toStdString(), "&Select All");
    EXPECT_EQ(clear->Index(), 1);
    EXPECT_EQ(host.form().intrinsic(QStringLiteral("cmdSelectDeselect")), nullptr) << "an array has no member -1";
    IntrinsicControl& third = host.form().add_intrinsic(QStringLiteral("VB.CommandButton"),
                                                        QStringLiteral("cmdSelectDeselect"), nullptr, nullptr, 2);
    EXPECT_EQ(&third, host.form().intrinsic(QStringLiteral("cmdSelectDeselect"), 2));
}

TEST_F(FormIntrinsicsTest, TheyHideAndMoveWithTheirContainer)
{
    TestHost host(true);
    load(host);
    ControlSite& page = *host.form().site(QStringLiteral("ctlPage"));
    IntrinsicControl& button = *host.form().intrinsic(QStringLiteral("cmdAddDomain"));
    const QPoint before = button.mapTo(&host.form(), QPoint(0, 0));
    page.setLeft(page.Left() + 150);
    EXPECT_EQ(button.mapTo(&host.form(), QPoint(0, 0)), before + QPoint(10, 0));
    EXPECT_EQ(button.Left(), 120) << "its place in the container stays";
    page.setVisible(false);
    EXPECT_FALSE(button.isVisible());
    EXPECT_TRUE(button.Visible()) << "its own flag stays";
}

TEST_F(FormIntrinsicsTest, SavingKeepsThemInTheContainersBlockAndLoadingGivesThemBack)
{
    TestHost host(true);
    load(host);
    auto* list = qobject_cast<ListView*>(host.form().intrinsic(QStringLiteral("lstDomainsList")));
    list->setHideColumnHeaders(true);
    auto& box = static_cast<TextBox&>(
        host.form().add_intrinsic(QStringLiteral("VB.TextBox"), QStringLiteral("txtName")));
    box.setText(QStringLiteral("corp"));
    box.setSelStart(2);
    const FormData saved = host.form().save();
    ASSERT_EQ(saved.controls.size(), 3u);
    const PropertyBag& box_bag = saved.controls.at(2).properties;
    EXPECT_EQ(box_bag.ReadProperty(QStringLiteral("Text")).toString().toStdString(), "corp");
    EXPECT_FALSE(box_bag.contains(QStringLiteral("SelStart"))) << "the selection is the running program's";
    const FormControlData& page = saved.controls.at(0);
    ASSERT_EQ(page.children.size(), 5u);
    EXPECT_EQ(page.children.at(3).properties.ReadProperty(QStringLiteral("Index")).toInt(), 1);
    EXPECT_EQ(page.children.at(1).class_name.toStdString(), "MSComctlLib.ListView");
    EXPECT_TRUE(page.children.at(1).properties.ReadProperty(QStringLiteral("HideColumnHeaders"), false).toBool());
    EXPECT_FALSE(page.children.at(0).properties.contains(QStringLiteral("Visible"))) << "a default is not stored";
    EXPECT_FALSE(page.children.at(0).properties.contains(QStringLiteral("Name"))) << "the name is the block's";

    TestHost again(true);
    again.form().load(FormFile::parse(FormFile::write(saved)));
    auto* loaded = qobject_cast<ListView*>(again.form().intrinsic(QStringLiteral("lstDomainsList")));
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->HideColumnHeaders());
    EXPECT_EQ(loaded->Width(), 4000);
    EXPECT_EQ(qobject_cast<Label*>(again.form().intrinsic(QStringLiteral("lblDomains")))->Caption().toStdString(),
              "&Domains:");
    EXPECT_EQ(FormFile::write(again.form().save()), FormFile::write(saved));
}

TEST_F(FormIntrinsicsTest, NamesClassesAndStoredValuesAreCheckedAndARefusedControlIsNotLeftPlaced)
{
    TestHost host(true);
    load(host);
    struct Case {
        const char* what;
        const char* class_name;
        const char* name;
        const char* property; // stored property, or null
        int error;
    };
    const std::vector<Case> cases = {
        {"a name already on the form", "VB.Label", "ctlPage", nullptr, 5},
        {"another control's name in another case", "VB.Label", "LBLDOMAINS", nullptr, 5},
        {"a name that is a path", "VB.Label", "../x", nullptr, 380},
        {"a class that is not intrinsic", "VB.Timer", "tmrA", nullptr, 429},
        {"a property the control lacks", "VB.Label", "lblBad", "Bogus", 438},
        // The widget toolkit's own properties are not the control's: a file reaches none.
        {"the toolkit's object name", "VB.Label", "lblBad", "objectName", 438},
        {"the toolkit's style sheet", "VB.Label", "lblBad", "styleSheet", 438},
        {"the toolkit's geometry", "VB.CommandButton", "lblBad", "geometry", 438},
        {"a member an array has", "VB.CommandButton", "cmdSelectDeselect", "Index", 5},
        {"a plain control with an array's name", "VB.CommandButton", "cmdSelectDeselect", nullptr, 5},
        {"a control array's member below 0", "VB.CommandButton", "cmdNew", "Index", 380},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PropertyBag bag;
        if (c.property)
            bag.set(QString::fromLatin1(c.property), c.error == 380 ? -1 : 1);
        try {
            host.form().add_intrinsic(QString::fromLatin1(c.class_name), QString::fromLatin1(c.name),
                                      host.form().site(QStringLiteral("ctlPage")), &bag);
            ADD_FAILURE() << "placed";
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), c.error);
        }
    }
    EXPECT_EQ(host.form().intrinsic(QStringLiteral("lblBad")), nullptr);
    EXPECT_EQ(host.form().Controls().size(), 7);
    try {
        host.form().add_control(QStringLiteral("FormsProbe.ProbeControl"), QStringLiteral("cmdAddDomain"));
        ADD_FAILURE() << "a user control took an intrinsic control's name";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 5);
    }
}

TEST_F(FormIntrinsicsTest, TheyGoWithTheirContainerAndWithTheForm)
{
    TestHost host(true);
    load(host);
    QPointer<IntrinsicControl> inside = host.form().intrinsic(QStringLiteral("cmdAddDomain"));
    QPointer<IntrinsicControl> outside = host.form().intrinsic(QStringLiteral("lblOutside"));
    host.form().remove_control(*host.form().site(QStringLiteral("ctlPage")));
    EXPECT_TRUE(inside.isNull());
    EXPECT_EQ(host.form().intrinsic(QStringLiteral("cmdAddDomain")), nullptr);
    EXPECT_FALSE(outside.isNull());
    host.form().unload();
    EXPECT_TRUE(outside.isNull());
    EXPECT_TRUE(host.form().Controls().isEmpty());
}

} // namespace

TEST_F(FormIntrinsicsTest, AtDesignTimeAHiddenControlShowsAndIsSavedHidden)
{
    TestHost host(false);
    load(host);
    Label* outside = qobject_cast<Label*>(host.form().intrinsic(QStringLiteral("lblOutside")));
    ASSERT_NE(outside, nullptr);
    EXPECT_TRUE(outside->isVisible()) << "every control shows at design time";
    EXPECT_FALSE(outside->Visible());
    const FormData saved = host.form().save();
    ASSERT_EQ(saved.controls.size(), 2u);
    EXPECT_FALSE(saved.controls.at(1).properties.ReadProperty(QStringLiteral("Visible"), true).toBool());
}
