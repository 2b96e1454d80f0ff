// The form loader against the registry: a small control module is registered into a
// temporary registry file and a form file naming its class is loaded into live controls.

#include "platform/forms/hosting/control_factory.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/hosting/type_name.h"
#include "platform/forms/core/vb_error.h"
#include "tests/platform/forms/hosting/probe_module_fixture.h"
#include "tests/support/forms/test_host.h"

#include <gtest/gtest.h>

using namespace forms;

namespace {

const char* const kForm = R"(OstrelForm 1
# A form as the designer saves it.
Begin Form frmProbe
   Caption = String "Probe form"
   Begin FormsProbe.ProbeControl first
      @Left = Double 150
      @Top = Double 300
      @Width = Double 1500
      @Height = Double 450
      @Tag = String "t"
      caption = String "Stored"
      MAX = Long 250
      ForeColor = Color &HFF00&
      DisplayFont = Font Name="Tahoma" Size=12 Weight=700 Italic=0 Underline=0 Strikethrough=0 Charset=0
      Begin {6b1f0c2a-7e34-4b8d-9a51-0c3d2e4f5a61} inner
         @Width = Double 300
         @Height = Double 300
      End
   End
End
)";

class FormLoaderTest : public ProbeModuleTest {};

} // namespace

TEST_F(FormLoaderTest, LoadsAFormFileIntoLiveControlsThroughTheRegistry)
{
    const std::string reg = registry_text();
    EXPECT_NE(reg.find("FormsProbe.ProbeControl"), std::string::npos) << reg;
    EXPECT_NE(reg.find("InprocServer32"), std::string::npos);

    TestHost host(true);
    host.form().resize(400, 300);
    host.form().load(FormFile::parse(QString::fromUtf8(kForm)));
    EXPECT_EQ(host.form().Caption().toStdString(), "Probe form");
    ASSERT_EQ(host.form().sites().size(), 2u);
    ControlSite* first = host.form().site(QStringLiteral("FIRST"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(get(first, QStringLiteral("Caption")).toString().toStdString(), "Stored");
    EXPECT_EQ(get(first, QStringLiteral("Max")).toInt(), 250);
    EXPECT_EQ(get(first, QStringLiteral("ForeColor")).toUInt(), 0xFF00u);
    EXPECT_EQ(get(first, QStringLiteral("DisplayFont")).value<FontRef>()->Name().toStdString(), "Tahoma");
    EXPECT_EQ(first->Tag().toStdString(), "t");
    EXPECT_EQ(TypeName(first).toStdString(), "ProbeControl");
    EXPECT_EQ(TypeName(&host.form()).toStdString(), "Form");
    EXPECT_EQ(TypeName(nullptr).toStdString(), "Nothing");
    EXPECT_EQ(first->control()->geometry(), QRect(10, 20, 100, 30));
    const QStringList log = get(first, QStringLiteral("Log")).toStringList();
    EXPECT_EQ(log.mid(0, 3).join(',').toStdString(), "Initialize 398,ReadProperties first,Resize");

    ControlSite* inner = host.form().site(QStringLiteral("inner"));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->container(), first);
    EXPECT_EQ(inner->control()->parentWidget(), first->control());
    EXPECT_EQ(inner->Container(), first);

    // Saving gives the same data back (keys in the control's own spelling).
    const FormData saved = host.form().save();
    EXPECT_EQ(saved.controls.at(0).properties.ReadProperty(QStringLiteral("Caption")).toString().toStdString(),
              "Stored");
    EXPECT_EQ(saved.controls.at(0).children.size(), 1u);
    EXPECT_EQ(saved.controls.at(0).children.at(0).class_name.toStdString(), "{6b1f0c2a-7e34-4b8d-9a51-0c3d2e4f5a61}");
    host.form().unload();
    EXPECT_TRUE(host.form().sites().empty());
}

TEST_F(FormLoaderTest, UnknownClassesFailWith429AndLeaveNoHalfLoadedForm)
{
    TestHost host(true);
    QString text = QString::fromUtf8(kForm);
    text.replace(QStringLiteral("Begin {6b1f0c2a"), QStringLiteral("Begin {00000000"));
    try {
        host.form().load(FormFile::parse(text));
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 429);
        EXPECT_NE(e.description().indexOf(QStringLiteral("no module is registered")), -1)
            << e.description().toStdString();
    }
    EXPECT_TRUE(host.form().sites().empty());

    ASSERT_EQ(unregister(), 0);
    EXPECT_EQ(registry_text().find("FormsProbe.ProbeControl"), std::string::npos);
    try {
        ControlFactory::create(QStringLiteral("FormsProbe.ProbeControl"));
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 429);
        EXPECT_NE(e.description().indexOf(QStringLiteral("not registered")), -1);
    }
}
