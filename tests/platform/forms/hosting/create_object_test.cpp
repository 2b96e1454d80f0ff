// Public objects created by class through the registry: the probe module's creatable class by
// ProgID and by CLSID, and every refusal as error 429 with its reason.

#include "platform/forms/hosting/create_object.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/vb_error.h"
#include "platform/win32/registry.h"
#include "tests/platform/forms/hosting/probe_module_fixture.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

using namespace forms;

namespace {

class CreateObjectTest : public ProbeModuleTest {};

constexpr const char* kObjectClsid = "{0D4C2B1A-5E6F-4A7B-8C9D-1E2F3A4B5C6D}";
constexpr const char* kItemClsid = "{2B3C4D5E-6F70-4182-93A4-B5C6D7E8F9A0}";

// The description of the 429 that creating `name` raises; empty when it raised nothing else.
std::string refusal(const QString& name)
{
    try {
        create_object(name);
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 429) << e.description().toStdString();
        EXPECT_TRUE(e.description().startsWith(QStringLiteral("ActiveX component can't create object: ") + name))
            << e.description().toStdString();
        return e.description().toStdString();
    }
    ADD_FAILURE() << name.toStdString() << " was created";
    return {};
}

void register_class_in(const QString& key, const QString& module_path)
{
    HKEY h = nullptr;
    const std::u16string k = key.toStdU16String();
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, k.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr), 0);
    const std::u16string v = module_path.toStdU16String();
    ASSERT_EQ(RegSetValueExW(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                             static_cast<DWORD>((v.size() + 1) * sizeof(char16_t))),
              0);
    RegCloseKey(h);
}

} // namespace

TEST_F(CreateObjectTest, CreatesANewObjectByProgIdOrClsid)
{
    const std::string reg = registry_text();
    EXPECT_NE(reg.find("FormsProbe.ProbeObject"), std::string::npos) << reg;
    EXPECT_NE(reg.find("{1A2B3C4D-5E6F-4071-8293-A4B5C6D7E8F9}"), std::string::npos) << reg;
    EXPECT_NE(reg.find("_ProbeObject"), std::string::npos) << reg;

    auto by_prog_id = create_object(QStringLiteral("formsprobe.probeobject"));
    ASSERT_NE(by_prog_id, nullptr);
    EXPECT_EQ(get(by_prog_id.get(), QStringLiteral("value")).toInt(), 7);
    let(by_prog_id.get(), QStringLiteral("Value"), 21);
    EXPECT_EQ(call(by_prog_id.get(), QStringLiteral("Twice")).toInt(), 42);

    // Each creation is a new object of its own.
    auto by_clsid = create_object(QString::fromLatin1(kObjectClsid).toLower());
    ASSERT_NE(by_clsid, nullptr);
    EXPECT_NE(by_clsid, by_prog_id);
    EXPECT_EQ(get(by_clsid.get(), QStringLiteral("Value")).toInt(), 7);
}

TEST_F(CreateObjectTest, AVersionIndependentProgIdFollowsItsCurVer)
{
    // The forms runtime creates through the COM runtime's class loader: one ProgID rule.
    register_class_in(QStringLiteral("FormsProbe.Object\\CurVer"), QStringLiteral("FormsProbe.ProbeObject"));
    auto object = create_object(QStringLiteral("FormsProbe.Object"));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(get(object.get(), QStringLiteral("Value")).toInt(), 7);
}

TEST_F(CreateObjectTest, RefusesWithTheReason)
{
    register_class_in(QStringLiteral("CLSID\\{4D5E6F70-8192-43A4-B5C6-D7E8F9A0B1C2}\\InprocServer32"),
                      (test_registry_.dir() / "missing-module.so").c_str());
    // A module path that is a FIFO is refused at once instead of waiting for a writer.
    const auto fifo = test_registry_.dir() / "fifo-module.so";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    register_class_in(QStringLiteral("CLSID\\{5E6F7081-92A3-44B5-86C7-D8E9F0A1B2C3}\\InprocServer32"), fifo.c_str());
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {kItemClsid, "ProbeItem is not creatable"},
        {"FormsProbe.ProbeItem", "the class is not registered"}, // no ProgID for a class the host cannot create
        {"FormsProbe.ProbeControl", "is a control class"},
        {"FormsProbe.Nothing", "the class is not registered"},
        {"", "the class is not registered"},
        {"{00000000-0000-0000-0000-000000000000}", "no module is registered"},
        {"{4D5E6F70-8192-43A4-B5C6-D7E8F9A0B1C2}", "does not load"},
        {"{5E6F7081-92A3-44B5-86C7-D8E9F0A1B2C3}", "not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NE(refusal(QString::fromLatin1(c.name)).find(c.reason), std::string::npos);
    }
    const std::string reg = registry_text();
    EXPECT_NE(reg.find(kItemClsid), std::string::npos) << reg;
    EXPECT_NE(reg.find("_ProbeItem"), std::string::npos) << reg;
}

TEST_F(CreateObjectTest, UnregisteringRemovesThePublicClasses)
{
    ASSERT_EQ(unregister(), 0);
    const std::string reg = registry_text();
    for (const char* gone :
         {"ProbeObject", "ProbeItem", kObjectClsid, kItemClsid, "{1A2B3C4D-5E6F-4071-8293", "{3C4D5E6F-7081-4293"})
        EXPECT_EQ(reg.find(gone), std::string::npos) << gone << "\n" << reg;
    EXPECT_NE(refusal(QStringLiteral("FormsProbe.ProbeObject")).find("not registered"), std::string::npos);
}
