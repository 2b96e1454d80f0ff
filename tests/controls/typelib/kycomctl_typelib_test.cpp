// The control library's type library read back as a client reads it: from the registry, through
// ITypeLib and ITypeInfo, against the published members, DISPIDs, kinds, types and help strings.

#include "platform/com/atl/com_ptr.h"
#include "platform/com/atl/type_library.h"
#include "platform/com/bstr.h"
#include "platform/forms/hosting/control_classes.h"
#include "platform/forms/hosting/object_dispatch.h"
#include "platform/forms/hosting/public_classes.h"
#include "platform/win32/registry.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

extern "C" HRESULT DllRegisterServer();
extern "C" HRESULT DllUnregisterServer();

namespace {

constexpr GUID kLibId = com::make_guid("1846CFC2-A469-4537-A278-88C57DA10F1C");

// One member: its accessors in interface order (g get, l let, s set, m method), its DISPID,
// its value's type (a method's result, VT_EMPTY for none), its help string and whether it is
// the user-interface default.
struct Member {
    const char16_t* name;
    DISPID id;
    const char* kinds;
    VARTYPE type;
    const char16_t* help = u"";
    bool ui_default = false;
};

struct Event {
    const char16_t* name;
    DISPID id;
    std::vector<VARTYPE> params; // VT_BYREF for an argument by reference
    const char16_t* help = u"";
};

struct Interface {
    const char* iid;
    const char16_t* name;
    WORD major = 1, minor = 0;
    std::vector<Member> members{};
    std::vector<Event> events{};
};

constexpr VARTYPE B = VT_BOOL, S = VT_BSTR, L = VT_I4, I = VT_I2, F = VT_R4, C = VT_UI4, O = VT_DISPATCH,
                  V = VT_VARIANT, N = VT_EMPTY;
constexpr VARTYPE rI = VT_I2 | VT_BYREF, rF = VT_R4 | VT_BYREF, rB = VT_BOOL | VT_BYREF, rO = VT_DISPATCH | VT_BYREF;

std::vector<Event> mouse_events(DISPID down, DISPID move, DISPID up)
{
    return {{u"MouseDown", down, {rI, rI, rF, rF}},
            {u"MouseMove", move, {rI, rI, rF, rF}},
            {u"MouseUp", up, {rI, rI, rF, rF}}};
}

const std::vector<Interface>& published()
{
    static const std::vector<Interface> table{
        {"53BE86AE-D956-4393-A69E-14C048E30242",
         u"_CPages",
         1,
         0,
         {{u"Item", 0, "g", O}, {u"Count", 0x68030001, "g", L}, {u"NewEnum", -4, "g", VT_UNKNOWN}}},
        {"E9274905-ABC4-4569-B341-CA6AC0EFF632",
         u"_CPage",
         1,
         0,
         {{u"PageIndex", 0, "g", L},
          {u"PageNext", 0x6803001D, "gl", L},
          {u"PageBack", 0x6803001C, "gl", L},
          {u"PageMode", 0x6803001B, "g", L},
          {u"ClientTop", 0x6803001A, "g", L},
          {u"ClientHeight", 0x68030019, "g", L},
          {u"ClientWidth", 0x68030018, "g", L},
          {u"ClientLeft", 0x68030017, "g", L},
          {u"Tag", 0x68030016, "gl", V},
          {u"TagVariant", 0x68030015, "gsl", V},
          {u"BannerTitle", 0x68030014, "gl", S},
          {u"BannerDescription", 0x68030013, "gl", S},
          {u"WatermarkTitle", 0x68030012, "gl", S},
          {u"WatermarkDescription", 0x68030011, "gl", S},
          {u"WatermarkRule", 0x68030010, "gl", S},
          {u"Name", 0x6803000F, "g", S},
          {u"PageIndex", 0, "l", L},
          {u"HelpContextID", 0x6803001E, "gl", L}}},
        {"0679F701-5F06-4ACA-A8CD-19029CCBE5F3",
         u"_KyWizardNavigator",
         1,
         0,
         {{u"WizardPages", 0x68030056, "g", O},
          {u"BackColor", 0x68030055, "gl", C},
          {u"Enabled", 0x68030054, "gl", B},
          {u"Refresh", 0x60030057, "m", N},
          {u"FinishEnabled", 0x68030053, "gl", B},
          {u"FinishPosition", 0x68030052, "gl", L},
          {u"FinishRule", 0x68030051, "gl", L},
          {u"FinishVisible", 0x68030050, "gl", B},
          {u"FinishCaption", 0x6803004F, "gl", S},
          {u"RightMiddleButtonEnabled", 0x6803004E, "gl", B},
          {u"RightMiddleButtonVisible", 0x6803004D, "gl", B},
          {u"RightMiddleButtonRule", 0x6803004C, "gl", L},
          {u"RightMiddleButtonCaption", 0x6803004B, "gl", S},
          {u"RightButtonEnabled", 0x6803004A, "gl", B},
          {u"RightButtonVisible", 0x68030049, "gl", B},
          {u"RightButtonRule", 0x68030048, "gl", L},
          {u"RightButtonCaption", 0x68030047, "gl", S},
          {u"LeftButtonEnabled", 0x68030046, "gl", B},
          {u"LeftButtonVisible", 0x68030045, "gl", B},
          {u"LeftButtonRule", 0x68030044, "gl", L},
          {u"LeftButtonCaption", 0x68030043, "gl", S},
          {u"LeftMiddleButtonEnabled", 0x68030042, "gl", B},
          {u"LeftMiddleButtonVisible", 0x68030041, "gl", B},
          {u"LeftMiddleButtonRule", 0x68030040, "gl", L},
          {u"LeftMiddleButtonCaption", 0x6803003F, "gl", S},
          {u"CurrentPage", 0x6803003E, "g", O},
          {u"StartPage", 0x6803003D, "gl", L},
          {u"ImageBanner", 0x6803003C, "gs", O},
          {u"ImageBannerBig", 0x6803003B, "gs", O},
          {u"ImageWaterMark", 0x6803003A, "gs", O},
          {u"ImageWaterMarkBig", 0x68030039, "gs", O},
          {u"ButtonFont", 0x68030038, "gs", O},
          {u"ButtonGapTop", 0x68030037, "gl", L},
          {u"ButtonGapRight", 0x68030036, "gl", L},
          {u"ButtonGapMiddle", 0x68030035, "gl", L},
          {u"ButtonHeight", 0x68030034, "gl", L},
          {u"ButtonWidth", 0x68030033, "gl", L},
          {u"WizardSizeMode", 0x68030032, "gl", L},
          {u"ParentWidth", 0x68030031, "gl", L},
          {u"ParentHeight", 0x68030030, "gl", L},
          {u"HoldParentSize", 0x6803002F, "gl", B},
          {u"GoToNewPage", 0x60030068, "m", N},
          {u"GoToNewPageEx", 0x60030085, "m", N},
          {u"BannerHeaderStyle", 0x6803002E, "gl", L},
          {u"DefaultButton", 0x6803002D, "gl", L},
          {u"CancelButton", 0x6803002C, "gl", L},
          {u"About", -552, "m", N},
          {u"SaveCaptionsToFile", 0x68030069, "lg", B},
          {u"ShowErrorMsg", 0x68030086, "gl", B},
          {u"SetFocusOnButton", 0x600300A8, "m", N},
          {u"ReleaseAll", 0x600300CD, "m", N}}},
        {"A63F1204-DF9D-4F58-8C9D-2B497B6C102C",
         u"__KyWizardNavigator",
         1,
         0,
         {},
         {{u"BeforePageChange", 1, {L, rO, O, rB}},
          {u"AfterPageChange", 2, {L, O, O}},
          {u"FinishClick", 3, {}},
          {u"CancelClick", 4, {}},
          {u"HelpClick", 5, {}},
          {u"ExitClick", 6, {}},
          {u"OnError", 7, {L, S, S}},
          {u"OnButtonGotFocus", 8, {L}}}},
        {"8FB925E2-1DEB-46C6-A753-3124723A0BD3",
         u"_KyWizardTab",
         1,
         0,
         {{u"Tag", 0x68030088, "gl", V},
          {u"HelpContextID", 0x680300B8, "gl", L},
          {u"TagVariant", 0x68030087, "gls", V},
          {u"ClientTop", 0x68030086, "g", L},
          {u"ClientHeight", 0x68030085, "g", L},
          {u"ClientLeft", 0x68030084, "g", L},
          {u"ClientWidth", 0x68030083, "g", L},
          {u"BackColor", 0x68030082, "gl", C},
          {u"Enabled", 0x68030081, "gl", B},
          {u"BorderStyle", 0x68030080, "gl", I},
          {u"Refresh", 0x60030089, "m", N},
          {u"BannerBackColor", 0x6803007F, "gl", C},
          {u"BannerDescription", 0x6803007E, "gl", S},
          {u"BannerDescriptionFont", 0x6803007D, "gs", O},
          {u"BannerDescriptionColor", 0x6803007C, "gl", C},
          {u"BannerTitle", 0x6803007B, "gl", S},
          {u"BannerTitleFont", 0x6803007A, "gs", O},
          {u"BannerTitleColor", 0x68030079, "gl", C},
          {u"WatermarkDescription", 0x68030078, "gl", S},
          {u"WaterMarkDescriptionFont", 0x68030077, "gs", O},
          {u"WaterMarkDescriptionColor", 0x68030076, "gl", C},
          {u"WatermarkRule", 0x68030075, "gl", S},
          {u"WatermarkRuleFont", 0x68030074, "gs", O},
          {u"WatermarkRuleColor", 0x68030073, "gl", C},
          {u"WatermarkTitle", 0x68030072, "gl", S},
          {u"WaterMarkTitleFont", 0x68030071, "gs", O},
          {u"WaterMarkTitleColor", 0x68030070, "gl", C},
          {u"PageIndex", 0x6803006F, "gl", L, u"Return or set this Page Index"},
          {u"PageBack", 0x6803006E, "gl", L, u"Return or set Previous Page Index"},
          {u"PageNext", 0x6803006D, "gl", L, u"Return or set Next Page Index"},
          {u"PageMode", 0x6803006C, "gl", L, u"Return or Set (unable to Run Time) Page mode (Welcome Page or ...)"},
          {u"PageState", 0x6803006B, "gl", L, u"Return or set Page state (maximize or minimize)"},
          {u"About", -552, "m", N},
          {u"DisplayName", 0x6803006A, "g", S},
          {u"GetButton", 0x6003008C, "m", VT_RECORD},
          {u"SetButton", 0x6003008D, "m", B},
          {u"LeftButton", 0x68030067, "gl", VT_RECORD},
          {u"LeftMiddleButton", 0x68030066, "gl", VT_RECORD},
          {u"RightMiddleButton", 0x68030065, "gl", VT_RECORD},
          {u"RightButton", 0x68030064, "gl", VT_RECORD},
          {u"SetDefaultButton", 0x6003008A, "m", N},
          {u"SetCancelButton", 0x6003008B, "m", N},
          {u"UseDefaultButtonSet", 0x68030069, "gl", B},
          {u"SaveCaptionsToFile", 0x68030068, "lg", B}}},
        {"8CD67915-31F8-4578-AEC6-ECA24FE8BEF0",
         u"__KyWizardTab",
         1,
         0,
         {},
         {{u"KeyDown", 1, {rI, rI}, u"Occurs when the user presses a key while an object has the focus."},
          {u"KeyPress", 2, {rI}, u"Occurs when the user presses and releases an ANSI key."},
          {u"KeyUp", 3, {rI, rI}, u"Occurs when the user releases a key while an object has the focus."},
          {u"MouseDown",
           4,
           {rI, rI, rF, rF},
           u"Occurs when the user presses the mouse button while an object has the focus."},
          {u"MouseMove", 5, {rI, rI, rF, rF}, u"Occurs when the user moves the mouse."},
          {u"MouseUp",
           6,
           {rI, rI, rF, rF},
           u"Occurs when the user releases the mouse button while an object has the focus."},
          {u"Click", 7, {}, u"Occurs when the user presses and then releases a mouse button over an object."}}},
        {"4C687FE1-9014-4F79-9884-BD2648CA9AB7",
         u"_KyProgressBar",
         1,
         0,
         {{u"PercentPosition", 0x68030011, "g", S, u"Percent Position's value"},
          {u"Align", 0x68030010, "gl", L, u"The caption place alignment"},
          {u"Value", 0x6803000F, "gl", L, u"Set or return progress value"},
          {u"Min", 0x6803000E, "gl", L, u"Minimal value to progress"},
          {u"Max", 0x6803000D, "gl", L, u"Maximum value to Progress"},
          {u"Caption", 0x6803000C, "gl", S, u"The text to displaied on the progress bar"},
          {u"BorderStyle", 0x6803000B, "gl", L, u"Returns/sets the border style for an object."},
          {u"ErrorsNotify", 0x6803000A, "gl", B, u"on/off Error events generate from  control"},
          {u"DisplayFont", 0x68030009, "gs", O},
          {u"hWnd", -515, "g", L}}},
        {"E0A62450-A21A-47AA-B1AE-EFDAB4936586",
         u"_KyProgressInfo",
         1,
         0,
         {{u"Image", 0x6803002E, "sg", O},
          {u"Description", 0x6803002D, "lg", S},
          {u"StepDescription0", 0x6803002C, "lg", S},
          {u"StepDescription1", 0x6803002B, "lg", S},
          {u"StepDescription2", 0x6803002A, "lg", S},
          {u"StepDescription3", 0x68030029, "lg", S},
          {u"StepDescription4", 0x68030028, "lg", S},
          {u"Status", 0x68030027, "lg", S},
          {u"Progress", 0x68030026, "gl", L},
          {u"ProgressMax", 0x68030025, "lg", L},
          {u"StepState", 0x68030024, "l", L},
          {u"Total", 0x68030023, "l", L},
          {u"Processed", 0x68030022, "l", L},
          {u"Errors", 0x68030021, "l", L},
          {u"ElapsedTime", 0x68030020, "l", F},
          {u"EstimatedTime", 0x6803001F, "l", F},
          {u"SetCount", 0x60030033, "m", N},
          {u"DisplayEstimatedTime", 0x6803001E, "lg", B},
          {u"DisplayElapsedTime", 0x6803001D, "lg", B},
          {u"DisplayErrors", 0x6803001C, "lg", B},
          {u"DisplayProcessed", 0x6803001B, "lg", B},
          {u"DisplayTotal", 0x6803001A, "lg", B},
          {u"ShowPercentCompleted", 0x68030034, "gl", B}}},
        {"1711B571-1DB5-4BED-B51A-DBD7363B09FB", u"_KyMinimized"},
        {"0F299441-76F7-4A07-B405-682FF79DF78D", u"__KyMinimized"},
        {"29A8E923-E9B4-4318-AE10-645E2D7EC0ED",
         u"_KyLabel",
         1,
         5,
         {{u"Caption", -518, "gl", S, u"", true},
          {u"Enabled", 0x68030000, "gl", B},
          {u"BackColor", 0x68030004, "gl", C},
          {u"ForeColor", 0x68030003, "gl", C},
          {u"Font", 0x68030002, "gs", O},
          {u"AutoSize", 0x68030001, "gl", B},
          {u"Alignment", 0x68030005, "gl", L},
          {u"MousePointer", 0x68030007, "gl", L},
          {u"MouseIcon", 0x68030006, "gs", O},
          {u"Visible", 0x68030008, "gl", B}}},
        {"9BD66221-2700-481F-8CF7-CF577EDDDAC7",
         u"__KyLabel",
         1,
         0,
         {},
         {{u"MouseDown", 1, {rI, rI, rF, rF}},
          {u"Click", 2, {}},
          {u"DblClick", 3, {}},
          {u"MouseMove", 4, {rI, rI, rF, rF}},
          {u"MouseUp", 5, {rI, rI, rF, rF}}}},
        {"4EB8FCAA-665F-4E6E-ABE3-A4ED01C3F2C2",
         u"_KyUpDown",
         1,
         1,
         {{u"Value", 0x68030006, "lg", L},
          {u"Min", 0x68030005, "lg", L},
          {u"Max", 0x68030004, "lg", L},
          {u"Alignment", 0x68030003, "lg", L},
          {u"Increment", 0x68030002, "lg", L},
          {u"Font", 0x68030001, "sg", O},
          {u"Wrap", 0x68030000, "lg", B},
          {u"Enabled", 0x68030007, "lg", B}}},
        {"7ABB41E9-B33C-4FC4-928E-BB379144490F",
         u"__KyUpDown",
         1,
         0,
         {},
         [] {
             std::vector<Event> e{{u"Change", 1, {}}, {u"DownClick", 2, {}}, {u"UpClick", 3, {}}};
             for (auto& m : mouse_events(4, 5, 6))
                 e.push_back(m);
             return e;
         }()},
        {"28E5BC8F-8040-42A6-907B-9FA0DD4165C2",
         u"_TlxInfoPanel",
         1,
         7,
         {{u"TitleColor", 0x68030003, "gl", C},
          {u"ValueColor", 0x68030002, "gl", C},
          {u"AddInfoLabel", 0x6003000A, "m", L},
          {u"ChangeValue", 0x6003000B, "m", N},
          {u"ClearInfoLabels", 0x6003000C, "m", N},
          {u"Title", 0x68030001, "gl", S},
          {u"InfoBorderColor", 0x68030000, "gl", C},
          {u"Redraw", 0x6803000D, "gl", B},
          {u"AutoRedraw", 0x6803000E, "gl", B},
          {u"Indentation", 0x6803000F, "gl", F},
          {u"MinRecomendedWidth", 0x68030010, "g", F},
          {u"GetItemTop", 0x68030011, "g", F},
          {u"BackColor", 0x68030012, "gl", C}}},
        {"C06FB270-F98C-4C0D-A08B-47B003D91636",
         u"__TlxInfoPanel",
         1,
         0,
         {},
         {{u"Resize", 1, {}}, {u"MouseMove", 2, {rI, rI, rF, rF}}}},
        {"4C28B440-4856-462F-BB2F-100B89010610",
         u"_InfoItem",
         1,
         0,
         {{u"Name", 0x68030002, "gl", S}, {u"Value", 0x68030001, "gl", S}}},
        {"1C2BF51A-701F-4096-907D-81B5495C0C2A",
         u"_KyTreeBase",
         1,
         0,
         {{u"objTabsManager", 0x4003001A, "gs", O}, {u"mcolOptions", 0x40030025, "gs", O},
          {u"DefaultButton", 0x6803001F, "l", L},   {u"EnableButton", 0x60030020, "m", N},
          {u"DisableButton", 0x60030021, "m", N},   {u"TreeEnabled", 0x6803001E, "l", B},
          {u"SetTab", 0x60030022, "m", N},          {u"AddNodes", 0x60030023, "m", N},
          {u"ClientTop", 0x6803001D, "g", L},       {u"ClientLeft", 0x6803001C, "g", L},
          {u"ClientHeight", 0x6803001B, "g", L},    {u"ClientWidth", 0x6803001A, "g", L},
          {u"CurrentPage", 0x60030033, "m", V},     {u"ShowApply", 0x68030034, "lg", B},
          {u"CustomCaption", 0x68030036, "gl", S},  {u"CustomVisible", 0x68030035, "gl", B},
          {u"FromKey", 0x68030039, "g", S},         {u"ToKey", 0x68030038, "g", S},
          {u"CurrentKey", 0x68030037, "g", S},      {u"HelpApplyCaption", 0x6803003A, "gl", S}}},
        {"2E0B05AC-0E77-40CC-AFA2-31E5B1AA8FF7",
         u"__KyTreeBase",
         1,
         0,
         {},
         {{u"OKClick", 1, {}},
          {u"CancelClick", 2, {}},
          {u"HelpClick", 3, {}},
          {u"ApplyClick", 6, {}},
          {u"CustomClick", 7, {}},
          {u"BeforePageChange", 4, {I, I, rB}},
          {u"AfterPageChange", 5, {I, I}}}},
        {"C7249A25-E8E1-4C8A-81C2-B1BF9BCEB060",
         u"_KyOptionPage",
         1,
         0,
         {{u"Caption", 0x6803000F, "gl", S},
          {u"Font", 0x6803000E, "gs", O},
          {u"ClientTop", 0x6803000D, "g", L},
          {u"ClientLeft", 0x6803000C, "g", L},
          {u"ClientHeight", 0x6803000B, "g", L},
          {u"ClientWidth", 0x6803000A, "g", L},
          {u"HeaderMode", 0x68030009, "gl", L},
          {u"PageIndex", 0x68030008, "gl", I}}},
        {"ADFB94FA-EFAB-4001-95FD-F8744677D18B", u"__KyOptionPage"},
        {"110F2D6B-18EF-48BB-A38D-183B22755A60",
         u"_COption",
         1,
         0,
         {{u"strParentKey", 0x40030000, "gl", S},
          {u"strKey", 0x40030001, "gl", S},
          {u"eOptionType", 0x40030002, "gl", L},
          {u"strName", 0x40030003, "gl", S},
          {u"iTabIndex", 0x40030004, "gl", I},
          {u"strSelectedProperty", 0x40030005, "gl", S}}},
        {"38AE3197-348F-4075-AC98-AB0B975F8BEA", u"_CTabManager", 1, 0, {{u"strTreeContainment", 0x6803000D, "g", S}}},
        {"46A1796B-020D-4A91-B2C7-D72076E1C7FF",
         u"__CTabManager",
         1,
         0,
         {},
         {{u"OnChangeTab", 1, {I}}, {u"OnResizeBase", 2, {}}}},
    };
    return table;
}

GUID guid(const char* text)
{
    GUID g{};
    const std::string braced = std::string("{") + text + "}";
    EXPECT_TRUE(com::parse_guid(std::u16string(braced.begin(), braced.end()), g)) << text;
    return g;
}

std::u16string text(BSTR b)
{
    std::u16string s(com::bstr_view(b));
    SysFreeString(b);
    return s;
}

INVOKEKIND kind_of(char k)
{
    switch (k) {
    case 'g': return INVOKE_PROPERTYGET;
    case 'l': return INVOKE_PROPERTYPUT;
    case 's': return INVOKE_PROPERTYPUTREF;
    default: return INVOKE_FUNC;
    }
}

class KyComCtlTypeLibTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(DllRegisterServer(), S_OK);
        ASSERT_EQ(com::tlb::load_registered_type_lib(kLibId, 1, 0, &lib_), S_OK);
    }

    CComPtr<ITypeInfo> info_of(const char* iid)
    {
        CComPtr<ITypeInfo> info;
        EXPECT_EQ(lib_->GetTypeInfoOfGuid(guid(iid), &info), S_OK) << iid;
        return info;
    }

    ostrel::test::temp_registry registry_;
    CComPtr<ITypeLib> lib_;
};

TEST_F(KyComCtlTypeLibTest, EveryInterfaceReadsBackAsPublished)
{
    for (const Interface& expected : published()) {
        SCOPED_TRACE(std::string(expected.iid));
        CComPtr<ITypeInfo> info = info_of(expected.iid);
        ASSERT_TRUE(info);
        BSTR name = nullptr;
        ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), S_OK);
        EXPECT_EQ(text(name), expected.name);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(attr->guid, guid(expected.iid));
        EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
        // A dispatch interface: no client may call its members through a vtable.
        EXPECT_EQ(attr->wTypeFlags & TYPEFLAG_FDUAL, 0) << "described as dual";
        EXPECT_EQ(attr->wMajorVerNum, expected.major);
        EXPECT_EQ(attr->wMinorVerNum, expected.minor);
        const WORD functions = attr->cFuncs;
        info->ReleaseTypeAttr(attr);

        // Members: each accessor in interface order.
        UINT index = 0;
        for (const Member& m : expected.members) {
            for (const char* k = m.kinds; *k != '\0'; ++k, ++index) {
                SCOPED_TRACE(std::string(m.kinds) + " " + std::string(1, *k) + " of member " + std::to_string(index));
                FUNCDESC* f = nullptr;
                ASSERT_EQ(info->GetFuncDesc(index, &f), S_OK);
                EXPECT_EQ(f->memid, m.id);
                EXPECT_EQ(f->invkind, kind_of(*k));
                EXPECT_EQ((f->wFuncFlags & FUNCFLAG_FUIDEFAULT) != 0, m.ui_default);
                BSTR member = nullptr, help = nullptr;
                ASSERT_EQ(info->GetDocumentation(f->memid, &member, &help, nullptr, nullptr), S_OK);
                EXPECT_EQ(text(member), m.name);
                EXPECT_EQ(text(help), m.help);
                const bool has_value = *k != 'm' || m.type != VT_EMPTY;
                ASSERT_EQ(f->cParams > 0, has_value || f->cParams > 0);
                if (has_value) {
                    ASSERT_GT(f->cParams, 0);
                    const ELEMDESC& value = f->lprgelemdescParam[f->cParams - 1];
                    EXPECT_EQ(value.vt & ~VT_BYREF, m.type);
                    EXPECT_EQ((value.wParamFlags & PARAMFLAG_FRETVAL) != 0, *k == 'g' || *k == 'm');
                }
                info->ReleaseFuncDesc(f);
            }
        }
        // Events: each with its arguments' types and help string.
        for (const Event& e : expected.events) {
            SCOPED_TRACE(std::u16string(e.name).size());
            FUNCDESC* f = nullptr;
            ASSERT_EQ(info->GetFuncDesc(index++, &f), S_OK);
            EXPECT_EQ(f->memid, e.id);
            EXPECT_EQ(f->invkind, INVOKE_FUNC);
            ASSERT_EQ(static_cast<std::size_t>(f->cParams), e.params.size());
            for (std::size_t p = 0; p < e.params.size(); ++p)
                EXPECT_EQ(f->lprgelemdescParam[p].vt, e.params[p]) << p;
            BSTR member = nullptr, help = nullptr;
            ASSERT_EQ(info->GetDocumentation(f->memid, &member, &help, nullptr, nullptr), S_OK);
            EXPECT_EQ(text(member), e.name);
            EXPECT_EQ(text(help), e.help);
            info->ReleaseFuncDesc(f);
        }
        EXPECT_EQ(functions, index) << "members beyond the published ones";
    }
}

TEST_F(KyComCtlTypeLibTest, OlderInterfaceIdentifiersStayKnownAsAliases)
{
    const struct {
        const char* alias;
        const char* of;
    } aliases[] = {
        {"81D42C3E-88F3-467A-8C90-D704F92E6211", "4EB8FCAA-665F-4E6E-ABE3-A4ED01C3F2C2"}, // _KyUpDown 1.0
        {"9F9BC935-9741-4CF6-AD94-27FF3AEED440", "29A8E923-E9B4-4318-AE10-645E2D7EC0ED"}, // _KyLabel 1.0 to 1.4
        {"C3286A02-9C50-4F48-9146-D985F87FF559", "29A8E923-E9B4-4318-AE10-645E2D7EC0ED"},
        {"6E54C04A-A612-49F6-9C10-9194ADED6317", "29A8E923-E9B4-4318-AE10-645E2D7EC0ED"},
        {"3EB7E4D9-63C4-496D-81C1-6C5A84891594", "29A8E923-E9B4-4318-AE10-645E2D7EC0ED"},
        {"276C926C-2CC7-4FBB-8B94-0F1AE59D5BC8", "29A8E923-E9B4-4318-AE10-645E2D7EC0ED"},
    };
    for (const auto& a : aliases) {
        CComPtr<ITypeInfo> info = info_of(a.alias);
        ASSERT_TRUE(info);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(attr->guid, guid(a.of)) << a.alias;
        info->ReleaseTypeAttr(attr);
        const std::string key = std::string("Interface\\{") + a.alias + "}\\TypeLib";
        HKEY h = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, std::u16string(key.begin(), key.end()).c_str(), 0, KEY_READ, &h),
                  ERROR_SUCCESS)
            << a.alias;
        if (h != nullptr)
            RegCloseKey(h);
    }
}

TEST_F(KyComCtlTypeLibTest, EnumerationsAndClassesReadBackAsPublished)
{
    const std::vector<std::pair<std::u16string, std::vector<std::pair<std::u16string, LONG>>>> enums{
        {u"kyEn_Button_Rule",
         {{u"kyBRNone", 0},
          {u"kyBRBack", 1},
          {u"kyBRNext", 2},
          {u"kyBRCancel", 3},
          {u"kyBRHelp", 4},
          {u"kyBRExit", 5},
          {u"kyBRFinish", 6}}},
        {u"kyEn_Button_Position",
         {{u"kyBPNone", 0}, {u"kyBPLeft", 1}, {u"kyBPLeftMiddle", 2}, {u"kyBPRightMiddle", 3}, {u"kyBPRight", 4}}},
        {u"KyWizardDirectionConstant", {{u"kyWizardGoForward", 0}, {u"kyWizardGoBack", 1}}},
        {u"En_Page_Mode", {{u"WelcomePage", 0}, {u"InteriorPage", 1}, {u"CompletePage", 2}}},
        {u"En_Page_State", {{u"Maximized", 0}, {u"Minimized", 1}}},
        {u"kyBannerStyleEnum", {{u"kyOSWindows2k", 0}, {u"kyKyrell", 1}}},
        {u"kyWizardSizeMode", {{u"kyStandard", 0}, {u"kyUser", 1}}},
        {u"CaptionAlign", {{u"arAlignLeft", 0}, {u"arAlignRight", 1}, {u"arAlignCenter", 2}}},
        {u"En_BorderStyle", {{u"arNone", 0}, {u"arFixed_Single", 1}}},
        {u"STATES", {{u"ST_NONE", 0}, {u"ST_RUNNING", 1}, {u"ST_SKIPPED", 2}, {u"ST_PASSED", 3}}},
        {u"en_Alignment", {{u"kyLeftJustify", 0}, {u"kyRightJustify", 1}, {u"kyCenter", 2}}},
        {u"en_OptionType", {{u"Container", 0}, {u"PropertyPage", 1}}},
        {u"en_Buttons", {{u"btnOK", 0}, {u"btnCancel", 1}, {u"btnHelp", 2}, {u"btnApply", 3}, {u"btnCustom", 4}}},
        {u"en_Mode", {{u"kyMDIndex", 0}, {u"kyMDName", 1}}},
        {u"En_HeaderMode", {{u"kyHMVisualNET", 0}, {u"kyHMOutlook", 1}, {u"kyHMNone", 2}}},
    };
    // Class name, creatable, a control, default interface, source interface ("" for none).
    const struct {
        const char16_t* name;
        bool creatable;
        bool control;
        const char* clsid;
    } classes[] = {
        {u"KyWizardNavigator", true, true, "FAA454D0-0406-4890-B357-826252DD696C"},
        {u"KyWizardTab", true, true, "6A0F3C52-9B1D-4E7A-8C35-2F4D7B9E1A63"},
        {u"CPages", true, false, "1184D719-EAA0-4400-B614-C41F3BA69274"},
        {u"CPage", false, false, "C8DFC7E7-7767-4B8C-B468-1DD43A113D43"},
        {u"KyProgressBar", true, true, "5B7C296E-1FE3-431C-99A6-B112A7B74939"},
        {u"KyProgressInfo", true, true, "F5E60878-B608-4555-86D7-D5006CC06EED"},
        {u"KyMinimized", true, true, "9C89DA86-556E-4C57-8CFE-DE0BDA3BF09C"},
        {u"KyLabel", true, true, "6D98D988-3D39-4E54-AA6F-841BBC0DCAA2"},
        {u"KyUpDown", true, true, "6E18A4C5-CC3D-41CF-8301-31451FF72BC5"},
        {u"TlxInfoPanel", true, true, "69F2C0E7-25BA-4DBC-B208-4F88900B6489"},
        {u"InfoItem", false, false, "4EF49BDC-940D-4CE4-BE65-879ED0589B20"},
        {u"KyTreeBase", true, true, "90A4B1E0-F920-4C92-9C78-2328BF999690"},
        {u"KyOptionPage", true, true, "9E099C82-0DCE-4F22-9323-F2A20404B6C8"},
        {u"COption", true, false, "9CF48EE2-1748-4CB8-B19F-65F1E7808058"},
        {u"CTabManager", true, false, "4CE2760D-D4D9-4358-AD1F-7FE9CB5B7066"},
    };
    std::size_t enum_seen = 0, class_seen = 0;
    for (UINT i = 0; i < lib_->GetTypeInfoCount(); ++i) {
        TYPEKIND kind{};
        ASSERT_EQ(lib_->GetTypeInfoType(i, &kind), S_OK);
        CComPtr<ITypeInfo> info;
        ASSERT_EQ(lib_->GetTypeInfo(i, &info), S_OK);
        BSTR name = nullptr;
        ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), S_OK);
        const std::u16string type_name = text(name);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        if (kind == TKIND_ENUM) {
            ASSERT_LT(enum_seen, enums.size());
            const auto& [expected_name, values] = enums[enum_seen++];
            EXPECT_EQ(type_name, expected_name);
            ASSERT_EQ(attr->cVars, values.size());
            for (UINT v = 0; v < attr->cVars; ++v) {
                VARDESC* var = nullptr;
                ASSERT_EQ(info->GetVarDesc(v, &var), S_OK);
                BSTR value_name = nullptr;
                UINT count = 0;
                ASSERT_EQ(info->GetNames(var->memid, &value_name, 1, &count), S_OK);
                EXPECT_EQ(text(value_name), values[v].first);
                EXPECT_EQ(var->lVal, values[v].second) << v;
                info->ReleaseVarDesc(var);
            }
        } else if (kind == TKIND_COCLASS) {
            ASSERT_LT(class_seen, std::size(classes));
            const auto& expected = classes[class_seen++];
            EXPECT_EQ(type_name, expected.name);
            EXPECT_EQ(attr->guid, guid(expected.clsid));
            EXPECT_EQ((attr->wTypeFlags & TYPEFLAG_FCANCREATE) != 0, expected.creatable);
            EXPECT_EQ((attr->wTypeFlags & TYPEFLAG_FCONTROL) != 0, expected.control);
            // Its default interface is "_" and its name.
            DWORD ref = 0;
            ASSERT_EQ(info->GetRefTypeOfImplType(0, &ref), S_OK);
            CComPtr<ITypeInfo> itf;
            ASSERT_EQ(info->GetRefTypeInfo(ref, &itf), S_OK);
            BSTR itf_name = nullptr;
            ASSERT_EQ(itf->GetDocumentation(MEMBERID_NIL, &itf_name, nullptr, nullptr, nullptr), S_OK);
            EXPECT_EQ(text(itf_name), u"_" + type_name);
            // The registered class is the one described.
            const QString clsid = QStringLiteral("{%1}").arg(QString::fromLatin1(expected.clsid));
            EXPECT_TRUE(forms::ControlClasses::find(clsid) != nullptr || forms::PublicClasses::find(clsid) != nullptr ||
                        !expected.creatable)
                << expected.clsid;
        }
        info->ReleaseTypeAttr(attr);
    }
    EXPECT_EQ(enum_seen, enums.size());
    EXPECT_EQ(class_seen, std::size(classes));
    const auto* upDown = forms::ControlClasses::find(QStringLiteral("KyComCtl.KyUpDown"));
    ASSERT_NE(upDown, nullptr);
    CComPtr<ITypeInfo> upDownClass;
    ASSERT_EQ(lib_->GetTypeInfoOfGuid(guid("6E18A4C5-CC3D-41CF-8301-31451FF72BC5"), &upDownClass), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(upDownClass->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 1);
    upDownClass->ReleaseTypeAttr(attr);
}

TEST_F(KyComCtlTypeLibTest, UnregistrationRemovesTheLibraryAndItsInterfacesAndNothingElse)
{
    ASSERT_EQ(DllUnregisterServer(), S_OK);
    const std::string without = registry_.text();
    ASSERT_EQ(DllRegisterServer(), S_OK);
    EXPECT_NE(registry_.text(), without);
    ASSERT_EQ(DllUnregisterServer(), S_OK);
    EXPECT_EQ(registry_.text(), without);
    CComPtr<ITypeLib> gone;
    EXPECT_EQ(com::tlb::load_registered_type_lib(kLibId, 1, 0, &gone), TYPE_E_LIBNOTREGISTERED);
    for (const char* key :
         {"TypeLib\\{1846CFC2-A469-4537-A278-88C57DA10F1C}", "Interface\\{0679F701-5F06-4ACA-A8CD-19029CCBE5F3}",
          "Interface\\{81D42C3E-88F3-467A-8C90-D704F92E6211}", "Interface\\{53BE86AE-D956-4393-A69E-14C048E30242}",
          "CLSID\\{FAA454D0-0406-4890-B357-826252DD696C}"}) {
        HKEY h = nullptr;
        const std::string k(key);
        EXPECT_NE(RegOpenKeyExW(HKEY_CLASSES_ROOT, std::u16string(k.begin(), k.end()).c_str(), 0, KEY_READ, &h),
                  ERROR_SUCCESS)
            << key;
        if (h != nullptr)
            RegCloseKey(h);
    }
}

} // namespace
