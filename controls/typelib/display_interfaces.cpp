// The progress and display controls' part of the type library: the progress bar and panel,
// the minimise coupling, the label, the up-down box, the information panel with its line
// record, and the enumerations they use.

#include "controls/display/ky_label.h"
#include "controls/display/ky_progress_bar.h"
#include "controls/display/ky_progress_info.h"
#include "controls/typelib/table_shapes.h"

namespace kycomctl {

namespace {

using namespace kycomctl::tables;

interface_desc progress_bar()
{
    return dispatch_interface(
        IID__KyProgressBar, u"_KyProgressBar",
        members({
            property(0x68030011, u"PercentPosition", VT_BSTR, "g", u"Percent Position's value"),
            property(0x68030010, u"Align", VT_I4, "gl", u"The caption place alignment"),
            property(0x6803000F, u"Value", VT_I4, "gl", u"Set or return progress value", FUNCFLAG_FNONBROWSABLE),
            property(0x6803000E, u"Min", VT_I4, "gl", u"Minimal value to progress"),
            property(0x6803000D, u"Max", VT_I4, "gl", u"Maximum value to Progress"),
            property(0x6803000C, u"Caption", VT_BSTR, "gl", u"The text to displaied on the progress bar"),
            property(0x6803000B, u"BorderStyle", VT_I4, "gl", u"Returns/sets the border style for an object."),
            property(0x6803000A, u"ErrorsNotify", VT_BOOL, "gl", u"on/off Error events generate from  control"),
            property(0x68030009, u"DisplayFont", VT_DISPATCH, "gs"),
            property(DISPID_HWND, u"hWnd", VT_I4, "g"),
        }));
}

interface_desc progress_info()
{
    return dispatch_interface(IID__KyProgressInfo, u"_KyProgressInfo",
                              members({
                                  property(0x6803002E, u"Image", VT_DISPATCH, "Sg"),
                                  property(0x6803002D, u"Description", VT_BSTR, "Lg"),
                                  property(0x6803002C, u"StepDescription0", VT_BSTR, "Lg"),
                                  property(0x6803002B, u"StepDescription1", VT_BSTR, "Lg"),
                                  property(0x6803002A, u"StepDescription2", VT_BSTR, "Lg"),
                                  property(0x68030029, u"StepDescription3", VT_BSTR, "Lg"),
                                  property(0x68030028, u"StepDescription4", VT_BSTR, "Lg"),
                                  property(0x68030027, u"Status", VT_BSTR, "lg"),
                                  property(0x68030026, u"Progress", VT_I4, "gl"),
                                  property(0x68030025, u"ProgressMax", VT_I4, "lg"),
                                  property(0x68030024, u"StepState", VT_I4, "L", {}, 0, {ref(u"Step", VT_I4)}),
                                  property(0x68030023, u"Total", VT_I4, "L"),
                                  property(0x68030022, u"Processed", VT_I4, "L"),
                                  property(0x68030021, u"Errors", VT_I4, "L"),
                                  property(0x68030020, u"ElapsedTime", VT_R4, "L"),
                                  property(0x6803001F, u"EstimatedTime", VT_R4, "L"),
                                  {method(0x60030033, u"SetCount")},
                                  property(0x6803001E, u"DisplayEstimatedTime", VT_BOOL, "Lg"),
                                  property(0x6803001D, u"DisplayElapsedTime", VT_BOOL, "Lg"),
                                  property(0x6803001C, u"DisplayErrors", VT_BOOL, "Lg"),
                                  property(0x6803001B, u"DisplayProcessed", VT_BOOL, "Lg"),
                                  property(0x6803001A, u"DisplayTotal", VT_BOOL, "Lg"),
                                  property(0x68030034, u"ShowPercentCompleted", VT_BOOL, "gl"),
                              }));
}

interface_desc label()
{
    return dispatch_interface(
        IID__KyLabel, u"_KyLabel",
        members({
            property(DISPID_CAPTION, u"Caption", VT_BSTR, "gL", {}, FUNCFLAG_FUIDEFAULT),
            property(0x68030000, u"Enabled", VT_BOOL, "gL"),
            property(0x68030004, u"BackColor", VT_UI4, "gl"),
            property(0x68030003, u"ForeColor", VT_UI4, "gl"),
            property(0x68030002, u"Font", VT_DISPATCH, "gS"),
            property(0x68030001, u"AutoSize", VT_BOOL, "gl"),
            property(0x68030005, u"Alignment", VT_I4, "gl"),
            property(0x68030007, u"MousePointer", VT_I4, "gl"),
            property(0x68030006, u"MouseIcon", VT_DISPATCH, "gS"),
            property(0x68030008, u"Visible", VT_BOOL, "gl"),
        }),
        {1, 5},
        {alias_desc{IID__KyLabel_1_0, u"_KyLabel_v1_0", 1, 0}, alias_desc{IID__KyLabel_1_1, u"_KyLabel_v1_1", 1, 1},
         alias_desc{IID__KyLabel_1_2, u"_KyLabel_v1_2", 1, 2}, alias_desc{IID__KyLabel_1_3, u"_KyLabel_v1_3", 1, 3},
         alias_desc{IID__KyLabel_1_4, u"_KyLabel_v1_4", 1, 4}});
}

interface_desc label_events()
{
    return event_interface(DIID___KyLabel, u"__KyLabel",
                           {
                               event(1, u"MouseDown", mouse_arguments(u"X", u"Y")),
                               event(2, u"Click"),
                               event(3, u"DblClick"),
                               event(4, u"MouseMove", mouse_arguments(u"X", u"Y")),
                               event(5, u"MouseUp", mouse_arguments(u"X", u"Y")),
                           });
}

interface_desc up_down()
{
    // Each setter comes before its getter in this interface.
    return dispatch_interface(IID__KyUpDown, u"_KyUpDown",
                              members({
                                  property(0x68030006, u"Value", VT_I4, "lg"),
                                  property(0x68030005, u"Min", VT_I4, "lg"),
                                  property(0x68030004, u"Max", VT_I4, "lg"),
                                  property(0x68030003, u"Alignment", VT_I4, "lg"),
                                  property(0x68030002, u"Increment", VT_I4, "lg"),
                                  property(0x68030001, u"Font", VT_DISPATCH, "Sg"),
                                  property(0x68030000, u"Wrap", VT_BOOL, "lg"),
                                  property(0x68030007, u"Enabled", VT_BOOL, "lg"),
                              }),
                              {1, 1}, {alias_desc{IID__KyUpDown_1_0, u"_KyUpDown_v1_0", 1, 0}});
}

interface_desc up_down_events()
{
    return event_interface(DIID___KyUpDown, u"__KyUpDown",
                           {
                               event(1, u"Change"),
                               event(2, u"DownClick"),
                               event(3, u"UpClick"),
                               event(4, u"MouseDown", mouse_arguments()),
                               event(5, u"MouseMove", mouse_arguments()),
                               event(6, u"MouseUp", mouse_arguments()),
                           });
}

interface_desc info_panel()
{
    return dispatch_interface(
        IID__TlxInfoPanel, u"_TlxInfoPanel",
        members({
            property(0x68030003, u"TitleColor", VT_UI4, "gl"),
            property(0x68030002, u"ValueColor", VT_UI4, "gl"),
            {method(0x6003000A, u"AddInfoLabel", {in(u"sName", VT_BSTR), in(u"sValue", VT_BSTR)}, VT_I4)},
            {method(0x6003000B, u"ChangeValue", {in(u"sName", VT_BSTR), in(u"sValue", VT_BSTR)})},
            {method(0x6003000C, u"ClearInfoLabels")},
            property(0x68030001, u"Title", VT_BSTR, "gl"),
            property(0x68030000, u"InfoBorderColor", VT_UI4, "gl"),
            property(0x6803000D, u"Redraw", VT_BOOL, "gl"),
            property(0x6803000E, u"AutoRedraw", VT_BOOL, "gl"),
            property(0x6803000F, u"Indentation", VT_R4, "gl"),
            property(0x68030010, u"MinRecomendedWidth", VT_R4, "g"),
            property(0x68030011, u"GetItemTop", VT_R4, "g", {}, 0, {in(u"sName", VT_BSTR)}),
            property(0x68030012, u"BackColor", VT_UI4, "gl"),
        }),
        {1, 7});
}

interface_desc info_panel_events()
{
    return event_interface(DIID___TlxInfoPanel, u"__TlxInfoPanel",
                           {
                               event(1, u"Resize"),
                               event(2, u"MouseMove", mouse_arguments()),
                           });
}

interface_desc info_item()
{
    return dispatch_interface(IID__InfoItem, u"_InfoItem",
                              members({
                                  property(0x68030002, u"Name", VT_BSTR, "gl"),
                                  property(0x68030001, u"Value", VT_BSTR, "gl"),
                              }));
}

} // namespace

library_part display_part()
{
    return {
        {progress_bar(), progress_info(), dispatch_interface(IID__KyMinimized, u"_KyMinimized", {}),
         event_interface(DIID___KyMinimized, u"__KyMinimized"), label(), label_events(), up_down(), up_down_events(),
         info_panel(), info_panel_events(), info_item()},
        {
            enumeration(
                u"CaptionAlign",
                {{u"arAlignLeft", arAlignLeft}, {u"arAlignRight", arAlignRight}, {u"arAlignCenter", arAlignCenter}}),
            enumeration(u"En_BorderStyle", {{u"arNone", arNone}, {u"arFixed_Single", arFixed_Single}}),
            enumeration(u"STATES", {{u"ST_NONE", ST_NONE},
                                    {u"ST_RUNNING", ST_RUNNING},
                                    {u"ST_SKIPPED", ST_SKIPPED},
                                    {u"ST_PASSED", ST_PASSED}}),
            enumeration(
                u"en_Alignment",
                {{u"kyLeftJustify", kyLeftJustify}, {u"kyRightJustify", kyRightJustify}, {u"kyCenter", kyCenter}}),
        },
        {
            library_class(CLSID_KyProgressBar, u"KyProgressBar", placing::control, IID__KyProgressBar),
            library_class(CLSID_KyProgressInfo, u"KyProgressInfo", placing::control, IID__KyProgressInfo),
            library_class(CLSID_KyMinimized, u"KyMinimized", placing::control, IID__KyMinimized, DIID___KyMinimized),
            library_class(CLSID_KyLabel, u"KyLabel", placing::control, IID__KyLabel, DIID___KyLabel),
            library_class(CLSID_KyUpDown, u"KyUpDown", placing::control, IID__KyUpDown, DIID___KyUpDown, {1, 1}),
            library_class(CLSID_TlxInfoPanel, u"TlxInfoPanel", placing::control, IID__TlxInfoPanel,
                          DIID___TlxInfoPanel),
            library_class(CLSID_InfoItem, u"InfoItem", placing::listed, IID__InfoItem),
        },
    };
}

} // namespace kycomctl
