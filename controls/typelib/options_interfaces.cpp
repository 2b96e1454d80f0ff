// The options-tree controls' part of the type library: the tree host, the option page, the
// option record and the page registry, and the enumerations they use.

#include "controls/options/c_option.h"
#include "controls/options/ky_option_page.h"
#include "controls/options/ky_tree_base.h"
#include "controls/typelib/table_shapes.h"

namespace kycomctl {

namespace {

using namespace kycomctl::tables;

interface_desc tree_base()
{
    return dispatch_interface(IID__KyTreeBase, u"_KyTreeBase",
                              members({
                                  property(0x4003001A, u"objTabsManager", VT_DISPATCH, "gs"),
                                  property(0x40030025, u"mcolOptions", VT_DISPATCH, "gs"),
                                  property(0x6803001F, u"DefaultButton", VT_I4, "L"),
                                  {method(0x60030020, u"EnableButton", {ref(u"Button", VT_I4)})},
                                  {method(0x60030021, u"DisableButton", {ref(u"Button", VT_I4)})},
                                  property(0x6803001E, u"TreeEnabled", VT_BOOL, "L"),
                                  {method(0x60030022, u"SetTab", {ref(u"TabIndex", VT_I2)})},
                                  {method(0x60030023, u"AddNodes", {ref(u"colSource", VT_DISPATCH)})},
                                  property(0x6803001D, u"ClientTop", VT_I4, "g"),
                                  property(0x6803001C, u"ClientLeft", VT_I4, "g"),
                                  property(0x6803001B, u"ClientHeight", VT_I4, "g"),
                                  property(0x6803001A, u"ClientWidth", VT_I4, "g"),
                                  {method(0x60030033, u"CurrentPage", {in(u"ValueMode", VT_I4)}, VT_VARIANT)},
                                  property(0x68030034, u"ShowApply", VT_BOOL, "lg"),
                                  property(0x68030036, u"CustomCaption", VT_BSTR, "gl"),
                                  property(0x68030035, u"CustomVisible", VT_BOOL, "gl"),
                                  property(0x68030039, u"FromKey", VT_BSTR, "g"),
                                  property(0x68030038, u"ToKey", VT_BSTR, "g"),
                                  property(0x68030037, u"CurrentKey", VT_BSTR, "g"),
                                  property(0x6803003A, u"HelpApplyCaption", VT_BSTR, "gl"),
                              }));
}

interface_desc tree_base_events()
{
    return event_interface(DIID___KyTreeBase, u"__KyTreeBase",
                           {
                               event(1, u"OKClick"),
                               event(2, u"CancelClick"),
                               event(3, u"HelpClick"),
                               event(6, u"ApplyClick"),
                               event(7, u"CustomClick"),
                               event(4, u"BeforePageChange",
                                     {in(u"FromPageIndex", VT_I2), in(u"ToPageIndex", VT_I2), ref(u"Cancel", VT_BOOL)}),
                               event(5, u"AfterPageChange", {in(u"FromPageIndex", VT_I2), in(u"ToPageIndex", VT_I2)}),
                           });
}

interface_desc option_page()
{
    return dispatch_interface(IID__KyOptionPage, u"_KyOptionPage",
                              members({
                                  property(0x6803000F, u"Caption", VT_BSTR, "gl"),
                                  property(0x6803000E, u"Font", VT_DISPATCH, "gS"),
                                  property(0x6803000D, u"ClientTop", VT_I4, "g"),
                                  property(0x6803000C, u"ClientLeft", VT_I4, "g"),
                                  property(0x6803000B, u"ClientHeight", VT_I4, "g"),
                                  property(0x6803000A, u"ClientWidth", VT_I4, "g"),
                                  property(0x68030009, u"HeaderMode", VT_I4, "gl"),
                                  property(0x68030008, u"PageIndex", VT_I2, "gl"),
                              }));
}

// The option record's six public fields, in order; their DISPIDs are this library's own.
interface_desc option()
{
    return dispatch_interface(IID__COption, u"_COption",
                              members({
                                  property(0x40030000, u"strParentKey", VT_BSTR, "gl"),
                                  property(0x40030001, u"strKey", VT_BSTR, "gl"),
                                  property(0x40030002, u"eOptionType", VT_I4, "gl"),
                                  property(0x40030003, u"strName", VT_BSTR, "gl"),
                                  property(0x40030004, u"iTabIndex", VT_I2, "gl"),
                                  property(0x40030005, u"strSelectedProperty", VT_BSTR, "gl"),
                              }));
}

interface_desc tab_manager()
{
    return dispatch_interface(IID__CTabManager, u"_CTabManager",
                              members({property(0x6803000D, u"strTreeContainment", VT_BSTR, "g")}));
}

interface_desc tab_manager_events()
{
    return event_interface(DIID___CTabManager, u"__CTabManager",
                           {event(1, u"OnChangeTab", {in(u"Index", VT_I2)}), event(2, u"OnResizeBase")});
}

} // namespace

library_part options_part()
{
    return {
        {tree_base(), tree_base_events(), option_page(), event_interface(DIID___KyOptionPage, u"__KyOptionPage"),
         option(), tab_manager(), tab_manager_events()},
        {
            enumeration(u"en_OptionType", {{u"Container", Container}, {u"PropertyPage", PropertyPage}}),
            enumeration(u"en_Buttons", {{u"btnOK", btnOK},
                                        {u"btnCancel", btnCancel},
                                        {u"btnHelp", btnHelp},
                                        {u"btnApply", btnApply},
                                        {u"btnCustom", btnCustom}}),
            enumeration(u"en_Mode", {{u"kyMDIndex", kyMDIndex}, {u"kyMDName", kyMDName}}),
            enumeration(u"En_HeaderMode",
                        {{u"kyHMVisualNET", kyHMVisualNET}, {u"kyHMOutlook", kyHMOutlook}, {u"kyHMNone", kyHMNone}}),
        },
        {
            library_class(CLSID_KyTreeBase, u"KyTreeBase", placing::control, IID__KyTreeBase, DIID___KyTreeBase),
            library_class(CLSID_KyOptionPage, u"KyOptionPage", placing::control, IID__KyOptionPage,
                          DIID___KyOptionPage),
            library_class(CLSID_COption, u"COption", placing::creatable, IID__COption),
            library_class(CLSID_CTabManager, u"CTabManager", placing::creatable, IID__CTabManager, DIID___CTabManager),
        },
    };
}

} // namespace kycomctl
