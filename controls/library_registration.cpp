// The library's registration: the control classes it declares (found by the form loader once
// the registry names this module), its public classes (the host creates an empty page registry
// of its own by ProgID or CLSID; a page proxy only ever comes from the library) and its
// entry points: self-registration and the class objects of the creatable public classes.

#include "controls/display/captions_info_page.h"
#include "controls/display/general_info_page.h"
#include "controls/display/general_label_page.h"
#include "controls/display/general_progress_page.h"
#include "controls/display/general_up_down_page.h"
#include "controls/display/ky_label.h"
#include "controls/display/ky_minimized.h"
#include "controls/display/ky_progress_bar.h"
#include "controls/display/ky_progress_info.h"
#include "controls/display/ky_up_down.h"
#include "controls/display/tlx_info_panel.h"
#include "controls/options/c_option.h"
#include "controls/options/c_tab_manager.h"
#include "controls/options/ky_option_page.h"
#include "controls/options/ky_tree_base.h"
#include "controls/options/pp_options_tree.h"
#include "controls/typelib/kycomctl_library.h"
#include "controls/wizard/buttons_set_page.h"
#include "controls/wizard/c_page.h"
#include "controls/wizard/c_pages.h"
#include "controls/wizard/captions_page.h"
#include "controls/wizard/general_navigator_page.h"
#include "controls/wizard/general_tab_page.h"
#include "controls/wizard/ky_wizard_navigator.h"
#include "controls/wizard/ky_wizard_tab.h"
#include "controls/wizard/navigator_buton_set_page.h"
#include "controls/wizard/position_page.h"
#include "platform/forms/hosting/control_classes.h"
#include "platform/forms/hosting/control_registration.h"
#include "platform/forms/pages/property_page_classes.h"
#include "platform/forms/hosting/public_class_factory.h"
#include "platform/forms/hosting/public_classes.h"
#include "platform/win32/module.h"
#include "platform/win32/text.h"

OSTREL_FORMS_CONTROL_CLASS(KyProgressBar, "{5B7C296E-1FE3-431C-99A6-B112A7B74939}", "KyComCtl.KyProgressBar");
OSTREL_FORMS_CONTROL_CLASS(KyProgressInfo, "{F5E60878-B608-4555-86D7-D5006CC06EED}", "KyComCtl.KyProgressInfo");
OSTREL_FORMS_CONTROL_CLASS(KyWizardNavigator, "{FAA454D0-0406-4890-B357-826252DD696C}", "KyComCtl.KyWizardNavigator");
OSTREL_FORMS_CONTROL_CLASS(KyMinimized, "{9C89DA86-556E-4C57-8CFE-DE0BDA3BF09C}", "KyComCtl.KyMinimized");
OSTREL_FORMS_CONTROL_CLASS(KyLabel, "{6D98D988-3D39-4E54-AA6F-841BBC0DCAA2}", "KyComCtl.KyLabel");
OSTREL_FORMS_CONTROL_CLASS(KyUpDown, "{6E18A4C5-CC3D-41CF-8301-31451FF72BC5}", "KyComCtl.KyUpDown");
OSTREL_FORMS_CONTROL_CLASS(TlxInfoPanel, "{69F2C0E7-25BA-4DBC-B208-4F88900B6489}", "KyComCtl.TlxInfoPanel");
OSTREL_FORMS_CONTROL_CLASS(KyWizardTab, "{6A0F3C52-9B1D-4E7A-8C35-2F4D7B9E1A63}", "KyComCtl.KyWizardTab");
OSTREL_FORMS_CONTROL_CLASS(KyTreeBase, "{90A4B1E0-F920-4C92-9C78-2328BF999690}", "KyComCtl.KyTreeBase");
OSTREL_FORMS_CONTROL_CLASS(KyOptionPage, "{9E099C82-0DCE-4F22-9323-F2A20404B6C8}", "KyComCtl.KyOptionPage");

OSTREL_FORMS_PUBLIC_CLASS(CPages, "{1184D719-EAA0-4400-B614-C41F3BA69274}", "KyComCtl.CPages",
                          "{53BE86AE-D956-4393-A69E-14C048E30242}");
OSTREL_FORMS_PUBLIC_NOT_CREATABLE_CLASS(CPage, "{C8DFC7E7-7767-4B8C-B468-1DD43A113D43}",
                                        "{E9274905-ABC4-4569-B341-CA6AC0EFF632}");
OSTREL_FORMS_PUBLIC_CLASS(COption, "{9CF48EE2-1748-4CB8-B19F-65F1E7808058}", "KyComCtl.COption",
                          "{110F2D6B-18EF-48BB-A38D-183B22755A60}");
OSTREL_FORMS_PUBLIC_CLASS(CTabManager, "{4CE2760D-D4D9-4358-AD1F-7FE9CB5B7066}", "KyComCtl.CTabManager",
                          "{38AE3197-348F-4075-AC98-AB0B975F8BEA}");

OSTREL_FORMS_PROPERTY_PAGE_CLASS(GeneralProgress);
OSTREL_FORMS_PROPERTY_PAGE_CLASS(GeneralInfo);
OSTREL_FORMS_PROPERTY_PAGE_CLASS(CaptionsInfo);
OSTREL_FORMS_PROPERTY_PAGE_CLASS(GeneralLabel);
OSTREL_FORMS_PROPERTY_PAGE_CLASS(GeneralUpDown);
OSTREL_FORMS_PROPERTY_PAGE_CLASS(ppOptionsTree);
OSTREL_FORMS_PROPERTY_PAGE_CLASS(GeneralTab);
OSTREL_FORMS_PROPERTY_PAGE_CLASS(Captions);
OSTREL_FORMS_PROPERTY_PAGE_CLASS(ButtonsSet);
OSTREL_FORMS_PROPERTY_PAGE_CLASS(GeneralNavigator);
OSTREL_FORMS_PROPERTY_PAGE_CLASS(NavigatorButonSet);
OSTREL_FORMS_PROPERTY_PAGE_CLASS(Position);

// Each control class's property pages, in the order its sheet shows them.
OSTREL_FORMS_CONTROL_PAGES(KyProgressBar, QStringLiteral("GeneralProgress"), QStringLiteral("StandardFont"));
OSTREL_FORMS_CONTROL_PAGES(KyProgressInfo, QStringLiteral("GeneralInfo"), QStringLiteral("CaptionsInfo"));
OSTREL_FORMS_CONTROL_PAGES(KyLabel, QStringLiteral("GeneralLabel"), QStringLiteral("StandardColor"),
                           QStringLiteral("StandardFont"), QStringLiteral("StandardPicture"));
OSTREL_FORMS_CONTROL_PAGES(KyUpDown, QStringLiteral("GeneralUpDown"), QStringLiteral("StandardFont"));
OSTREL_FORMS_CONTROL_PAGES(KyTreeBase, QStringLiteral("ppOptionsTree"));
OSTREL_FORMS_CONTROL_PAGES(KyWizardTab, QStringLiteral("GeneralTab"), QStringLiteral("Captions"),
                           QStringLiteral("ButtonsSet"), QStringLiteral("StandardColor"),
                           QStringLiteral("StandardFont"));
OSTREL_FORMS_CONTROL_PAGES(KyWizardNavigator, QStringLiteral("GeneralNavigator"), QStringLiteral("NavigatorButonSet"),
                           QStringLiteral("Position"), QStringLiteral("StandardColor"),
                           QStringLiteral("StandardPicture"), QStringLiteral("StandardFont"));

extern "C" {

// The classes and the type library that describes them.
__attribute__((visibility("default"))) HRESULT DllRegisterServer()
{
    const HRESULT hr = forms::register_module_controls(win32::current_module());
    if (FAILED(hr))
        return hr;
    return com::tlb::register_type_library(kycomctl::library(),
                                           win32::utf8_to_utf16(win32::module_path(win32::current_module())));
}

__attribute__((visibility("default"))) HRESULT DllUnregisterServer()
{
    const HRESULT hr = com::tlb::unregister_type_library(kycomctl::library());
    const HRESULT classes = forms::unregister_module_controls(win32::current_module());
    return FAILED(hr) ? hr : classes;
}

// COM clients create what the type library marks creatable and is no control: CPages,
// COption and CTabManager. A control or CPage has no class object (CLASS_E_CLASSNOTAVAILABLE,
// the error information saying why).
__attribute__((visibility("default"))) HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    return forms::get_class_object(win32::current_module(), rclsid, riid, ppv);
}

// Never: the classes this module declared stay in the process's class tables, and the class
// loader keeps every module loaded.
__attribute__((visibility("default"))) HRESULT DllCanUnloadNow() { return S_FALSE; }

} // extern "C"
