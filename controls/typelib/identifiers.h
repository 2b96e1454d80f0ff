#pragma once
// The identifiers of the control library's type library: the library, its classes and their
// interfaces. Where the published interface names an identifier it is that one; the others are
// this library's own and stay as they are once released.

#include "platform/com/guid.h"

namespace kycomctl::ids {

inline constexpr GUID LIBID_KyComCtl = com::make_guid("1846CFC2-A469-4537-A278-88C57DA10F1C");

// The wizard controls and the page registry.
inline constexpr CLSID CLSID_KyWizardNavigator = com::make_guid("FAA454D0-0406-4890-B357-826252DD696C");
inline constexpr IID IID__KyWizardNavigator = com::make_guid("0679F701-5F06-4ACA-A8CD-19029CCBE5F3");
inline constexpr IID DIID___KyWizardNavigator = com::make_guid("A63F1204-DF9D-4F58-8C9D-2B497B6C102C");
inline constexpr CLSID CLSID_KyWizardTab = com::make_guid("6A0F3C52-9B1D-4E7A-8C35-2F4D7B9E1A63");
inline constexpr IID IID__KyWizardTab = com::make_guid("8FB925E2-1DEB-46C6-A753-3124723A0BD3");
inline constexpr IID DIID___KyWizardTab = com::make_guid("8CD67915-31F8-4578-AEC6-ECA24FE8BEF0");
inline constexpr CLSID CLSID_CPages = com::make_guid("1184D719-EAA0-4400-B614-C41F3BA69274");
inline constexpr IID IID__CPages = com::make_guid("53BE86AE-D956-4393-A69E-14C048E30242");
inline constexpr CLSID CLSID_CPage = com::make_guid("C8DFC7E7-7767-4B8C-B468-1DD43A113D43");
inline constexpr IID IID__CPage = com::make_guid("E9274905-ABC4-4569-B341-CA6AC0EFF632");

// The progress and display controls.
inline constexpr CLSID CLSID_KyProgressBar = com::make_guid("5B7C296E-1FE3-431C-99A6-B112A7B74939");
inline constexpr IID IID__KyProgressBar = com::make_guid("4C687FE1-9014-4F79-9884-BD2648CA9AB7");
inline constexpr CLSID CLSID_KyProgressInfo = com::make_guid("F5E60878-B608-4555-86D7-D5006CC06EED");
inline constexpr IID IID__KyProgressInfo = com::make_guid("E0A62450-A21A-47AA-B1AE-EFDAB4936586");
inline constexpr CLSID CLSID_KyMinimized = com::make_guid("9C89DA86-556E-4C57-8CFE-DE0BDA3BF09C");
inline constexpr IID IID__KyMinimized = com::make_guid("1711B571-1DB5-4BED-B51A-DBD7363B09FB");
inline constexpr IID DIID___KyMinimized = com::make_guid("0F299441-76F7-4A07-B405-682FF79DF78D");
inline constexpr CLSID CLSID_KyLabel = com::make_guid("6D98D988-3D39-4E54-AA6F-841BBC0DCAA2");
inline constexpr IID IID__KyLabel = com::make_guid("29A8E923-E9B4-4318-AE10-645E2D7EC0ED");
// The interface's versions 1.0 to 1.4, kept as aliases of version 1.5.
inline constexpr IID IID__KyLabel_1_0 = com::make_guid("9F9BC935-9741-4CF6-AD94-27FF3AEED440");
inline constexpr IID IID__KyLabel_1_1 = com::make_guid("C3286A02-9C50-4F48-9146-D985F87FF559");
inline constexpr IID IID__KyLabel_1_2 = com::make_guid("6E54C04A-A612-49F6-9C10-9194ADED6317");
inline constexpr IID IID__KyLabel_1_3 = com::make_guid("3EB7E4D9-63C4-496D-81C1-6C5A84891594");
inline constexpr IID IID__KyLabel_1_4 = com::make_guid("276C926C-2CC7-4FBB-8B94-0F1AE59D5BC8");
inline constexpr IID DIID___KyLabel = com::make_guid("9BD66221-2700-481F-8CF7-CF577EDDDAC7");
inline constexpr CLSID CLSID_KyUpDown = com::make_guid("6E18A4C5-CC3D-41CF-8301-31451FF72BC5");
inline constexpr IID IID__KyUpDown = com::make_guid("4EB8FCAA-665F-4E6E-ABE3-A4ED01C3F2C2");
inline constexpr IID IID__KyUpDown_1_0 = com::make_guid("81D42C3E-88F3-467A-8C90-D704F92E6211");
inline constexpr IID DIID___KyUpDown = com::make_guid("7ABB41E9-B33C-4FC4-928E-BB379144490F");
inline constexpr CLSID CLSID_TlxInfoPanel = com::make_guid("69F2C0E7-25BA-4DBC-B208-4F88900B6489");
inline constexpr IID IID__TlxInfoPanel = com::make_guid("28E5BC8F-8040-42A6-907B-9FA0DD4165C2");
inline constexpr IID DIID___TlxInfoPanel = com::make_guid("C06FB270-F98C-4C0D-A08B-47B003D91636");
inline constexpr CLSID CLSID_InfoItem = com::make_guid("4EF49BDC-940D-4CE4-BE65-879ED0589B20");
inline constexpr IID IID__InfoItem = com::make_guid("4C28B440-4856-462F-BB2F-100B89010610");

// The options-tree controls and their public classes.
inline constexpr CLSID CLSID_KyTreeBase = com::make_guid("90A4B1E0-F920-4C92-9C78-2328BF999690");
inline constexpr IID IID__KyTreeBase = com::make_guid("1C2BF51A-701F-4096-907D-81B5495C0C2A");
inline constexpr IID DIID___KyTreeBase = com::make_guid("2E0B05AC-0E77-40CC-AFA2-31E5B1AA8FF7");
inline constexpr CLSID CLSID_KyOptionPage = com::make_guid("9E099C82-0DCE-4F22-9323-F2A20404B6C8");
inline constexpr IID IID__KyOptionPage = com::make_guid("C7249A25-E8E1-4C8A-81C2-B1BF9BCEB060");
inline constexpr IID DIID___KyOptionPage = com::make_guid("ADFB94FA-EFAB-4001-95FD-F8744677D18B");
inline constexpr CLSID CLSID_COption = com::make_guid("9CF48EE2-1748-4CB8-B19F-65F1E7808058");
inline constexpr IID IID__COption = com::make_guid("110F2D6B-18EF-48BB-A38D-183B22755A60");
inline constexpr CLSID CLSID_CTabManager = com::make_guid("4CE2760D-D4D9-4358-AD1F-7FE9CB5B7066");
inline constexpr IID IID__CTabManager = com::make_guid("38AE3197-348F-4075-AC98-AB0B975F8BEA");
inline constexpr IID DIID___CTabManager = com::make_guid("46A1796B-020D-4A91-B2C7-D72076E1C7FF");

} // namespace kycomctl::ids
