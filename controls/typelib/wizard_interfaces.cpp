// The wizard controls' part of the type library: the navigator, the page, the page registry
// and its page proxy, and the enumerations they use.

#include "controls/typelib/table_shapes.h"
#include "controls/wizard/wizard_types.h"

namespace kycomctl {

namespace {

using namespace kycomctl::tables;

// The four members of one navigator button, from its Enabled DISPID down.
std::vector<member_desc> button_family(DISPID enabled, const std::u16string& button)
{
    return members({property(enabled, button + u"Enabled", VT_BOOL, "gl"),
                    property(enabled - 1, button + u"Visible", VT_BOOL, "gl"),
                    property(enabled - 2, button + u"Rule", VT_I4, "gl"),
                    property(enabled - 3, button + u"Caption", VT_BSTR, "gl")});
}

interface_desc navigator()
{
    return dispatch_interface(
        IID__KyWizardNavigator, u"_KyWizardNavigator",
        members({
            property(0x68030056, u"WizardPages", VT_DISPATCH, "g"),
            property(0x68030055, u"BackColor", VT_UI4, "gl"),
            property(0x68030054, u"Enabled", VT_BOOL, "gl"),
            {method(0x60030057, u"Refresh")},
            property(0x68030053, u"FinishEnabled", VT_BOOL, "gl"),
            property(0x68030052, u"FinishPosition", VT_I4, "gl"),
            property(0x68030051, u"FinishRule", VT_I4, "gl"),
            property(0x68030050, u"FinishVisible", VT_BOOL, "gl"),
            property(0x6803004F, u"FinishCaption", VT_BSTR, "gl"),
            button_family(0x6803004E, u"RightMiddleButton"),
            button_family(0x6803004A, u"RightButton"),
            button_family(0x68030046, u"LeftButton"),
            button_family(0x68030042, u"LeftMiddleButton"),
            property(0x6803003E, u"CurrentPage", VT_DISPATCH, "g"),
            property(0x6803003D, u"StartPage", VT_I4, "gl"),
            property(0x6803003C, u"ImageBanner", VT_DISPATCH, "gs"),
            property(0x6803003B, u"ImageBannerBig", VT_DISPATCH, "gs"),
            property(0x6803003A, u"ImageWaterMark", VT_DISPATCH, "gs"),
            property(0x68030039, u"ImageWaterMarkBig", VT_DISPATCH, "gs"),
            property(0x68030038, u"ButtonFont", VT_DISPATCH, "gs"),
            property(0x68030037, u"ButtonGapTop", VT_I4, "gl"),
            property(0x68030036, u"ButtonGapRight", VT_I4, "gl"),
            property(0x68030035, u"ButtonGapMiddle", VT_I4, "gl"),
            property(0x68030034, u"ButtonHeight", VT_I4, "gl"),
            property(0x68030033, u"ButtonWidth", VT_I4, "gl"),
            property(0x68030032, u"WizardSizeMode", VT_I4, "gl"),
            property(0x68030031, u"ParentWidth", VT_I4, "gl"),
            property(0x68030030, u"ParentHeight", VT_I4, "gl"),
            property(0x6803002F, u"HoldParentSize", VT_BOOL, "gl"),
            {method(0x60030068, u"GoToNewPage", {ref(u"NewPage", VT_DISPATCH)})},
            {method(0x60030085, u"GoToNewPageEx", {ref(u"NewPage", VT_DISPATCH), in(u"WizardDirection", VT_I4)})},
            property(0x6803002E, u"BannerHeaderStyle", VT_I4, "gl"),
            property(0x6803002D, u"DefaultButton", VT_I4, "gl"),
            property(0x6803002C, u"CancelButton", VT_I4, "gl"),
            {method(DISPID_ABOUTBOX, u"About")},
            property(0x68030069, u"SaveCaptionsToFile", VT_BOOL, "lg"),
            property(0x68030086, u"ShowErrorMsg", VT_BOOL, "gl"),
            {method(0x600300A8, u"SetFocusOnButton", {in(u"New_DefaultButton", VT_I4)})},
            {method(0x600300CD, u"ReleaseAll")},
        }));
}

interface_desc navigator_events()
{
    return event_interface(
        DIID___KyWizardNavigator, u"__KyWizardNavigator",
        {
            event(1, u"BeforePageChange",
                  {in(u"WizardDirection", VT_I4), ref(u"NewPage", VT_DISPATCH), in(u"CurrentPage", VT_DISPATCH),
                   ref(u"Cancel", VT_BOOL)}),
            event(2, u"AfterPageChange",
                  {in(u"WizardDirection", VT_I4), in(u"CurrentPage", VT_DISPATCH), in(u"OldPage", VT_DISPATCH)}),
            event(3, u"FinishClick"),
            event(4, u"CancelClick"),
            event(5, u"HelpClick"),
            event(6, u"ExitClick"),
            event(7, u"OnError", {in(u"Error", VT_I4), in(u"Description", VT_BSTR), in(u"Source", VT_BSTR)}),
            event(8, u"OnButtonGotFocus", {in(u"pButton", VT_I4)}),
        });
}

interface_desc page()
{
    return dispatch_interface(
        IID__KyWizardTab, u"_KyWizardTab",
        members({
            property(0x68030088, u"Tag", VT_VARIANT, "gl"),
            property(0x680300B8, u"HelpContextID", VT_I4, "gl"),
            property(0x68030087, u"TagVariant", VT_VARIANT, "gls"),
            property(0x68030086, u"ClientTop", VT_I4, "g"),
            property(0x68030085, u"ClientHeight", VT_I4, "g"),
            property(0x68030084, u"ClientLeft", VT_I4, "g"),
            property(0x68030083, u"ClientWidth", VT_I4, "g"),
            property(0x68030082, u"BackColor", VT_UI4, "gl"),
            property(0x68030081, u"Enabled", VT_BOOL, "gl"),
            property(0x68030080, u"BorderStyle", VT_I2, "gl"),
            {method(0x60030089, u"Refresh")},
            property(0x6803007F, u"BannerBackColor", VT_UI4, "gl"),
            property(0x6803007E, u"BannerDescription", VT_BSTR, "gl"),
            property(0x6803007D, u"BannerDescriptionFont", VT_DISPATCH, "gs"),
            property(0x6803007C, u"BannerDescriptionColor", VT_UI4, "gl"),
            property(0x6803007B, u"BannerTitle", VT_BSTR, "gl"),
            property(0x6803007A, u"BannerTitleFont", VT_DISPATCH, "gs"),
            property(0x68030079, u"BannerTitleColor", VT_UI4, "gl"),
            property(0x68030078, u"WatermarkDescription", VT_BSTR, "gl"),
            property(0x68030077, u"WaterMarkDescriptionFont", VT_DISPATCH, "gs"),
            property(0x68030076, u"WaterMarkDescriptionColor", VT_UI4, "gl"),
            property(0x68030075, u"WatermarkRule", VT_BSTR, "gl"),
            property(0x68030074, u"WatermarkRuleFont", VT_DISPATCH, "gs"),
            property(0x68030073, u"WatermarkRuleColor", VT_UI4, "gl"),
            property(0x68030072, u"WatermarkTitle", VT_BSTR, "gl"),
            property(0x68030071, u"WaterMarkTitleFont", VT_DISPATCH, "gs"),
            property(0x68030070, u"WaterMarkTitleColor", VT_UI4, "gl"),
            property(0x6803006F, u"PageIndex", VT_I4, "gl", u"Return or set this Page Index"),
            property(0x6803006E, u"PageBack", VT_I4, "gl", u"Return or set Previous Page Index"),
            property(0x6803006D, u"PageNext", VT_I4, "gl", u"Return or set Next Page Index"),
            property(0x6803006C, u"PageMode", VT_I4, "gl",
                     u"Return or Set (unable to Run Time) Page mode (Welcome Page or ...)"),
            property(0x6803006B, u"PageState", VT_I4, "gl", u"Return or set Page state (maximize or minimize)"),
            // The button-set members, with DISPIDs of this library's own. A PageButtons
            // record does not travel in this platform's VARIANT: a dispatch call of a
            // member that takes or gives one fails with DISP_E_TYPEMISMATCH, and callers
            // in the library reach them by name.
            {method(DISPID_ABOUTBOX, u"About", {}, VT_EMPTY, {}, FUNCFLAG_FHIDDEN)},
            property(0x6803006A, u"DisplayName", VT_BSTR, "g"),
            {method(0x6003008C, u"GetButton", {in(u"Rule", VT_I4)}, VT_RECORD)},
            {method(0x6003008D, u"SetButton", {in(u"Position", VT_I4), ref(u"Button", VT_RECORD)}, VT_BOOL)},
            property(0x68030067, u"LeftButton", VT_RECORD, "gL", {}, FUNCFLAG_FNONBROWSABLE),
            property(0x68030066, u"LeftMiddleButton", VT_RECORD, "gL", {}, FUNCFLAG_FNONBROWSABLE),
            property(0x68030065, u"RightMiddleButton", VT_RECORD, "gL", {}, FUNCFLAG_FNONBROWSABLE),
            property(0x68030064, u"RightButton", VT_RECORD, "gL", {}, FUNCFLAG_FNONBROWSABLE),
            {method(0x6003008A, u"SetDefaultButton", {in(u"lRule", VT_I4)})},
            {method(0x6003008B, u"SetCancelButton", {in(u"lRule", VT_I4)})},
            property(0x68030069, u"UseDefaultButtonSet", VT_BOOL, "gl"),
            property(0x68030068, u"SaveCaptionsToFile", VT_BOOL, "lg"),
        }));
}

interface_desc page_events()
{
    return event_interface(
        DIID___KyWizardTab, u"__KyWizardTab",
        {
            event(1, u"KeyDown", {ref(u"KeyCode", VT_I2), ref(u"Shift", VT_I2)},
                  u"Occurs when the user presses a key while an object has the focus."),
            event(2, u"KeyPress", {ref(u"KeyAscii", VT_I2)}, u"Occurs when the user presses and releases an ANSI key."),
            event(3, u"KeyUp", {ref(u"KeyCode", VT_I2), ref(u"Shift", VT_I2)},
                  u"Occurs when the user releases a key while an object has the focus."),
            event(4, u"MouseDown", mouse_arguments(),
                  u"Occurs when the user presses the mouse button while an object has the focus."),
            event(5, u"MouseMove", mouse_arguments(), u"Occurs when the user moves the mouse."),
            event(6, u"MouseUp", mouse_arguments(),
                  u"Occurs when the user releases the mouse button while an object has the focus."),
            event(7, u"Click", {}, u"Occurs when the user presses and then releases a mouse button over an object."),
        });
}

interface_desc pages()
{
    return dispatch_interface(
        IID__CPages, u"_CPages",
        members({
            property(DISPID_VALUE, u"Item", VT_DISPATCH, "g", {}, 0, {ref(u"vntIndexKey", VT_VARIANT)}),
            property(0x68030001, u"Count", VT_I4, "g"),
            property(DISPID_NEWENUM, u"NewEnum", VT_UNKNOWN, "g", {}, FUNCFLAG_FHIDDEN),
        }));
}

interface_desc page_proxy()
{
    return dispatch_interface(IID__CPage, u"_CPage",
                              members({
                                  property(DISPID_VALUE, u"PageIndex", VT_I4, "g"),
                                  property(0x6803001D, u"PageNext", VT_I4, "gl"),
                                  property(0x6803001C, u"PageBack", VT_I4, "gl"),
                                  property(0x6803001B, u"PageMode", VT_I4, "g"),
                                  property(0x6803001A, u"ClientTop", VT_I4, "g"),
                                  property(0x68030019, u"ClientHeight", VT_I4, "g"),
                                  property(0x68030018, u"ClientWidth", VT_I4, "g"),
                                  property(0x68030017, u"ClientLeft", VT_I4, "g"),
                                  property(0x68030016, u"Tag", VT_VARIANT, "gl"),
                                  property(0x68030015, u"TagVariant", VT_VARIANT, "gsl"),
                                  property(0x68030014, u"BannerTitle", VT_BSTR, "gl"),
                                  property(0x68030013, u"BannerDescription", VT_BSTR, "gl"),
                                  property(0x68030012, u"WatermarkTitle", VT_BSTR, "gl"),
                                  property(0x68030011, u"WatermarkDescription", VT_BSTR, "gl"),
                                  property(0x68030010, u"WatermarkRule", VT_BSTR, "gl"),
                                  property(0x6803000F, u"Name", VT_BSTR, "g"),
                                  property(DISPID_VALUE, u"PageIndex", VT_I4, "l"),
                                  property(0x6803001E, u"HelpContextID", VT_I4, "gl"),
                              }));
}

} // namespace

library_part wizard_part()
{
    return {
        {navigator(), navigator_events(), page(), page_events(), pages(), page_proxy()},
        {
            enumeration(u"kyEn_Button_Rule", {{u"kyBRNone", kyBRNone},
                                              {u"kyBRBack", kyBRBack},
                                              {u"kyBRNext", kyBRNext},
                                              {u"kyBRCancel", kyBRCancel},
                                              {u"kyBRHelp", kyBRHelp},
                                              {u"kyBRExit", kyBRExit},
                                              {u"kyBRFinish", kyBRFinish}}),
            enumeration(u"kyEn_Button_Position", {{u"kyBPNone", kyBPNone},
                                                  {u"kyBPLeft", kyBPLeft},
                                                  {u"kyBPLeftMiddle", kyBPLeftMiddle},
                                                  {u"kyBPRightMiddle", kyBPRightMiddle},
                                                  {u"kyBPRight", kyBPRight}}),
            enumeration(u"KyWizardDirectionConstant",
                        {{u"kyWizardGoForward", kyWizardGoForward}, {u"kyWizardGoBack", kyWizardGoBack}}),
            enumeration(
                u"En_Page_Mode",
                {{u"WelcomePage", WelcomePage}, {u"InteriorPage", InteriorPage}, {u"CompletePage", CompletePage}}),
            enumeration(u"En_Page_State", {{u"Maximized", Maximized}, {u"Minimized", Minimized}}),
            enumeration(u"kyBannerStyleEnum", {{u"kyOSWindows2k", kyOSWindows2k}, {u"kyKyrell", kyKyrell}}),
            enumeration(u"kyWizardSizeMode", {{u"kyStandard", kyStandard}, {u"kyUser", kyUser}}),
        },
        {
            library_class(CLSID_KyWizardNavigator, u"KyWizardNavigator", placing::control, IID__KyWizardNavigator,
                          DIID___KyWizardNavigator),
            library_class(CLSID_KyWizardTab, u"KyWizardTab", placing::control, IID__KyWizardTab, DIID___KyWizardTab),
            library_class(CLSID_CPages, u"CPages", placing::creatable, IID__CPages),
            library_class(CLSID_CPage, u"CPage", placing::listed, IID__CPage),
        },
    };
}

} // namespace kycomctl
