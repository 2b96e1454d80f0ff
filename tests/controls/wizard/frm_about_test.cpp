#include "controls/wizard/frm_about.h"

#include "platform/forms/services/message_box.h"
#include "platform/win32/registry.h"
#include "platform/win32/win_errors.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

// Watches the access the About box asks for while still opening the real store.
static std::vector<REGSAM> g_open_access;

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result)
{
    using open_fn = LONG (*)(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY);
    // The registry layer's own definition, by its C++ (Itanium ABI) symbol name.
    static const auto real = reinterpret_cast<open_fn>(dlsym(RTLD_NEXT, "_Z13RegOpenKeyExWP6HKEY__PKDsjjPS0_"));
    if (!real)
        return ERROR_PROC_NOT_FOUND;
    g_open_access.push_back(desired);
    return real(key, subKey, options, desired, result);
}

namespace {

const QString kToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

class AboutBoxTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        g_open_access.clear();
    }

    static void put(const QString& key, const QString& name, DWORD type, const void* data, DWORD size)
    {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, reinterpret_cast<LPCWSTR>(key.utf16()), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(handle, reinterpret_cast<LPCWSTR>(name.utf16()), 0, type,
                                 static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(handle);
    }
    static void put_text(const QString& key, const QString& name, const QString& text)
    {
        put(key, name, REG_SZ, text.utf16(), static_cast<DWORD>((text.size() + 1) * 2));
    }

    // A stand-in for the system information tool: a script that leaves a marker file.
    std::filesystem::path make_tool(const std::filesystem::path& path) const
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\ntouch '" << (test_registry_.dir() / "tool-ran").string() << "'\n";
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }
    bool tool_ran() const
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 5000) {
            if (std::filesystem::exists(test_registry_.dir() / "tool-ran"))
                return true;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return false;
    }
};

TEST_F(AboutBoxTest, GetKeyValueReadsStringsAndNumbers)
{
    put_text(kToolKey, QStringLiteral("PATH"), QStringLiteral("/opt/tool"));
    const DWORD number = 0x0500;
    put(kToolKey, QStringLiteral("Count"), REG_DWORD, &number, sizeof number);
    const unsigned char blob[] = {1, 2, 3};
    put(kToolKey, QStringLiteral("Blob"), REG_BINARY, blob, sizeof blob);

    QString value;
    EXPECT_TRUE(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kToolKey, QStringLiteral("PATH"), value));
    EXPECT_EQ(value, QStringLiteral("/opt/tool"));
    EXPECT_TRUE(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kToolKey, QStringLiteral("Count"), value));
    EXPECT_EQ(value, QStringLiteral("1280")); // the number, not its unpadded byte digits
    value = QStringLiteral("kept");
    EXPECT_TRUE(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kToolKey, QStringLiteral("Blob"), value));
    EXPECT_EQ(value, QStringLiteral("kept"));

    EXPECT_FALSE(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kToolKey, QStringLiteral("Missing"), value));
    EXPECT_EQ(value, QString());
    value = QStringLiteral("x");
    EXPECT_FALSE(
        frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Nowhere"), QStringLiteral("PATH"), value));
    EXPECT_EQ(value, QString());
}

TEST_F(AboutBoxTest, RegistryIsOpenedForReadingOnly)
{
    put_text(kToolKey, QStringLiteral("PATH"), QStringLiteral("/opt/tool"));
    g_open_access.clear();
    QString value;
    ASSERT_TRUE(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kToolKey, QStringLiteral("PATH"), value));
    ASSERT_FALSE(g_open_access.empty());
    for (const REGSAM access : g_open_access) {
        EXPECT_EQ(access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE), 0u) << access;
        EXPECT_EQ(access & KEY_QUERY_VALUE, KEY_QUERY_VALUE);
    }
}

TEST_F(AboutBoxTest, ToolNamedOutrightStartsWithoutAFileCheck)
{
    const auto tool = make_tool(test_registry_.dir() / "bin" / "sysinfo-tool");
    put_text(kToolKey, QStringLiteral("PATH"), QString::fromStdString(tool.string()));
    frmAbout box;
    box.StartSysInfo();
    EXPECT_TRUE(tool_ran());
    EXPECT_TRUE(boxes().empty());
}

TEST_F(AboutBoxTest, ToolInTheNamedFolderStarts)
{
    make_tool(test_registry_.dir() / "shared" / "MSINFO32.EXE");
    put_text(kLocationKey, QStringLiteral("MSINFO"),
             QString::fromStdString((test_registry_.dir() / "shared").string()));
    frmAbout box;
    box.StartSysInfo();
    EXPECT_TRUE(tool_ran());
    EXPECT_TRUE(boxes().empty());
}

TEST_F(AboutBoxTest, NoToolSaysSo)
{
    struct Case {
        const char* what;
        bool folder_value;
    };
    for (const Case c : {Case{"no registry value", false}, Case{"folder without the tool", true}}) {
        SCOPED_TRACE(c.what);
        [&] { // an ASSERT ends this row only
            if (c.folder_value)
                put_text(kLocationKey, QStringLiteral("MSINFO"),
                         QString::fromStdString((test_registry_.dir() / "empty").string()));
            boxes().clear();
            frmAbout box;
            box.StartSysInfo();
            ASSERT_EQ(boxes().size(), 1u) << c.what;
            EXPECT_EQ(boxes()[0].prompt, QStringLiteral("System Information Is Unavailable At This Time"));
            EXPECT_EQ(boxes()[0].style, forms::vbOKOnly);
            EXPECT_EQ(boxes()[0].title, QStringLiteral("KyComCtl"));
        }();
    }
}

TEST_F(AboutBoxTest, EachAboutShowsAFreshlyLoadedBox)
{
    std::vector<QString> seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.push_back(box->windowTitle() + QLatin1Char('|') +
                       box->findChild<QLabel*>(QStringLiteral("lblVersion"))->text() + QLatin1Char('|') +
                       box->findChild<QLabel*>(QStringLiteral("lblTitle"))->text());
        box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    closer.start(20);
    ShowAboutBox(nullptr);
    ShowAboutBox(nullptr);
    closer.stop();
    ASSERT_EQ(seen.size(), 2u);
    for (const QString& s : seen)
        EXPECT_EQ(s, QStringLiteral("About KyComCtl|Version 1.0.0|KyComCtl"));
    const auto tops = QApplication::topLevelWidgets();
    EXPECT_TRUE(
        std::none_of(tops.begin(), tops.end(), [](QWidget* w) { return qobject_cast<frmAbout*>(w) != nullptr; }));
}

} // namespace
