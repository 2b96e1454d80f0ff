// The host's own page registry: the library registered into a temporary registry, a CPages
// created by ProgID and by CLSID through it, and a CPage refused.

#include "controls/wizard/c_page.h"
#include "controls/wizard/c_pages.h"
#include "controls/wizard/mod_base.h"
#include "platform/forms/hosting/create_object.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/vb_error.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/controls/wizard/test_wizard_page.h"

#include <fstream>
#include <sstream>

extern "C" HRESULT DllUnregisterServer();

namespace {

const QString kPagesProgId = QStringLiteral("KyComCtl.CPages");
const QString kPagesClsid = QStringLiteral("{1184D719-EAA0-4400-B614-C41F3BA69274}");
const QString kPageClsid = QStringLiteral("{C8DFC7E7-7767-4B8C-B468-1DD43A113D43}");

class HostPageRegistryTest : public KyComCtlTest {
protected:
    void TearDown() override
    {
        modBase::setSharedShowErrorMsg(false);
        KyComCtlTest::TearDown();
    }

    std::string registry_text() const { return test_registry_.text(); }

    std::shared_ptr<CPage> proxy(TestWizardPage& page, const QString& name)
    {
        auto p = std::make_shared<CPage>();
        p->setWizardPage(QVariant::fromValue<QObject*>(&page));
        p->setName(name);
        return p;
    }

    static QString name_at(QObject* registry, const QVariant& index)
    {
        QObject* page = forms::call(registry, QStringLiteral("Item"), {index}).value<QObject*>();
        return page ? forms::get(page, QStringLiteral("Name")).toString() : QStringLiteral("<none>");
    }
};

TEST_F(HostPageRegistryTest, ClassesAndInterfacesAreRegistered)
{
    const std::string reg = registry_text();
    for (const char* text : {"KyComCtl.CPages", "{1184D719-EAA0-4400-B614-C41F3BA69274}", "_CPages",
                             "{53BE86AE-D956-4393-A69E-14C048E30242}", "{C8DFC7E7-7767-4B8C-B468-1DD43A113D43}",
                             "_CPage", "{E9274905-ABC4-4569-B341-CA6AC0EFF632}"})
        EXPECT_NE(reg.find(text), std::string::npos) << text << "\n" << reg;
    // A class the host cannot create has no ProgID.
    EXPECT_EQ(reg.find("KyComCtl.CPage]"), std::string::npos) << reg;
    EXPECT_EQ(reg.find("\"KyComCtl.CPage\""), std::string::npos) << reg;

    ASSERT_EQ(DllUnregisterServer(), 0);
    const std::string after = registry_text();
    for (const char* text : {"CPage", "{1184D719-EAA0", "{53BE86AE-D956", "{C8DFC7E7-7767", "{E9274905-ABC4"})
        EXPECT_EQ(after.find(text), std::string::npos) << text << "\n" << after;
    try {
        forms::create_object(kPagesProgId);
        FAIL() << "created from an unregistered library";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), 429);
    }
}

TEST_F(HostPageRegistryTest, NewInstanceIsAnEmptyRegistryOfItsOwn)
{
    modBase::CreateNavigator(); // a wizard's registry on this thread, which the new one must not be
    TestWizardPage wizard_page(1);
    modBase::SharedPages()->Add(proxy(wizard_page, QStringLiteral("wtWizard")), QStringLiteral("wtWizard"));

    for (const QString& name : {kPagesProgId, kPagesClsid, kPagesClsid.toLower()}) {
        SCOPED_TRACE(name.toStdString());
        [&] { // an ASSERT ends this row only
            const std::shared_ptr<QObject> registry = forms::create_object(name);
            ASSERT_NE(registry, nullptr);
            EXPECT_NE(registry.get(), static_cast<QObject*>(modBase::SharedPages().get()));
            EXPECT_EQ(forms::get(registry.get(), QStringLiteral("Count")).toInt(), 0);
            EXPECT_TRUE(forms::call(registry.get(), QStringLiteral("NewEnum")).toList().isEmpty());

            // Item: a name gives none silently, a position out of range none after the box.
            modBase::setSharedShowErrorMsg(true);
            boxes().clear();
            EXPECT_EQ(name_at(registry.get(), QStringLiteral("wtWizard")), QStringLiteral("<none>"));
            EXPECT_TRUE(boxes().empty());
            EXPECT_EQ(name_at(registry.get(), 1), QStringLiteral("<none>"));
            ASSERT_EQ(boxes().size(), 1u);
            EXPECT_EQ(boxes()[0].prompt, QStringLiteral("Error: 9\r\nSubscript out of range"));
            EXPECT_EQ(boxes()[0].style, forms::vbOKOnly | forms::vbCritical);
            modBase::setSharedShowErrorMsg(false);
        }();
    }
    EXPECT_EQ(modBase::SharedPages()->Count(), 1);
    modBase::SharedPages()->Remove(QStringLiteral("wtWizard"));
    modBase::ReleaseNavigator();
}

TEST_F(HostPageRegistryTest, CreatedRegistryHoldsPagesInPageIndexOrder)
{
    const std::shared_ptr<QObject> created = forms::create_object(kPagesProgId);
    auto* registry = qobject_cast<CPages*>(created.get());
    ASSERT_NE(registry, nullptr) << "the object comes from the very module the test links";

    // Add and Remove are the library's own operations: the host reaches Item, Count, NewEnum.
    EXPECT_FALSE(forms::has_member(created.get(), QStringLiteral("Add")));
    EXPECT_FALSE(forms::has_member(created.get(), QStringLiteral("Remove")));
    try {
        forms::call(created.get(), QStringLiteral("Remove"), {1});
        FAIL() << "the host removed an entry late-bound";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), forms::vberr::MemberNotSupported);
    }

    TestWizardPage two(2), one(1), three(3);
    registry->Add(proxy(two, QStringLiteral("wtTwo")), QStringLiteral("wtTwo"));
    registry->Add(proxy(one, QStringLiteral("wtOne")), QStringLiteral("wtOne"));
    registry->Add(proxy(three, QStringLiteral("wtThree")), QStringLiteral("wtThree"));
    EXPECT_EQ(forms::get(created.get(), QStringLiteral("Count")).toInt(), 3);
    EXPECT_EQ(name_at(created.get(), 1), QStringLiteral("wtOne"));
    EXPECT_EQ(name_at(created.get(), 3), QStringLiteral("wtThree"));
    EXPECT_EQ(name_at(created.get(), QStringLiteral("WTTWO")), QStringLiteral("wtTwo"));

    registry->Remove(QStringLiteral("wtOne"));
    registry->Remove(1);
    EXPECT_EQ(forms::get(created.get(), QStringLiteral("Count")).toInt(), 1);
    EXPECT_EQ(name_at(created.get(), 1), QStringLiteral("wtThree"));
    // Remove's failures reach the library code that calls it.
    for (const QVariant& missing : {QVariant(QStringLiteral("wtOne")), QVariant(2)}) {
        SCOPED_TRACE(missing.toString().toStdString());
        try {
            registry->Remove(missing);
            FAIL() << "removed a missing entry";
        } catch (const forms::VbError& error) {
            EXPECT_EQ(error.number(), missing.typeId() == QMetaType::QString ? 5 : 9);
        }
    }
    EXPECT_EQ(registry->Count(), 1);
}

TEST_F(HostPageRegistryTest, PageProxyIsNotCreatable)
{
    const struct {
        QString name;
        const char* reason;
    } cases[] = {
        {kPageClsid, "CPage is not creatable"},
        {kPageClsid.toLower(), "CPage is not creatable"},
        {QStringLiteral("KyComCtl.CPage"), "the class is not registered"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        try {
            forms::create_object(c.name);
            FAIL() << "a page proxy was created";
        } catch (const forms::VbError& error) {
            EXPECT_EQ(error.number(), 429);
            EXPECT_NE(error.description().indexOf(QString::fromLatin1(c.reason)), -1)
                << error.description().toStdString();
        }
    }
    EXPECT_TRUE(boxes().empty());
}

} // namespace
