#pragma once
// The shared enumerations of the wizard controls (their numbers are part of the library's
// type library and of the stored forms).

#include <cstdint>

enum kyEn_Button_Rule : std::int32_t {
    kyBRNone = 0,
    kyBRBack = 1,
    kyBRNext = 2,
    kyBRCancel = 3,
    kyBRHelp = 4,
    kyBRExit = 5,
    kyBRFinish = 6,
};

enum kyEn_Button_Position : std::int32_t {
    kyBPNone = 0,
    kyBPLeft = 1,
    kyBPLeftMiddle = 2,
    kyBPRightMiddle = 3,
    kyBPRight = 4,
};

enum KyWizardDirectionConstant : std::int32_t {
    kyWizardGoForward = 0,
    kyWizardGoBack = 1,
};

enum En_Page_Mode : std::int32_t {
    WelcomePage = 0,
    InteriorPage = 1,
    CompletePage = 2,
};

enum En_Page_State : std::int32_t {
    Maximized = 0,
    Minimized = 1,
};

enum kyBannerStyleEnum : std::int32_t {
    kyOSWindows2k = 0,
    kyKyrell = 1,
};

enum kyWizardSizeMode : std::int32_t {
    kyStandard = 0,
    kyUser = 1,
};
