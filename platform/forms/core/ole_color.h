#pragma once
// OLE_COLOR: kept raw everywhere (properties, bags, form files). 0x00BBGGRR is a plain
// colour; 0x800000nn names system colour nn, resolved to a palette role only when painting,
// so a theme change repaints correctly.

#include <QColor>
#include <QPalette>

#include <cstdint>

using OLE_COLOR = uint32_t;

namespace forms {

namespace syscolor {
inline constexpr OLE_COLOR ScrollBars = 0x80000000u;
inline constexpr OLE_COLOR Desktop = 0x80000001u;
inline constexpr OLE_COLOR ActiveTitleBar = 0x80000002u;
inline constexpr OLE_COLOR InactiveTitleBar = 0x80000003u;
inline constexpr OLE_COLOR MenuBar = 0x80000004u;
inline constexpr OLE_COLOR WindowBackground = 0x80000005u;
inline constexpr OLE_COLOR WindowFrame = 0x80000006u;
inline constexpr OLE_COLOR MenuText = 0x80000007u;
inline constexpr OLE_COLOR WindowText = 0x80000008u;
inline constexpr OLE_COLOR TitleBarText = 0x80000009u;
inline constexpr OLE_COLOR ActiveBorder = 0x8000000Au;
inline constexpr OLE_COLOR InactiveBorder = 0x8000000Bu;
inline constexpr OLE_COLOR ApplicationWorkspace = 0x8000000Cu;
inline constexpr OLE_COLOR Highlight = 0x8000000Du;
inline constexpr OLE_COLOR HighlightText = 0x8000000Eu;
inline constexpr OLE_COLOR ButtonFace = 0x8000000Fu;
inline constexpr OLE_COLOR ButtonShadow = 0x80000010u;
inline constexpr OLE_COLOR GrayText = 0x80000011u;
inline constexpr OLE_COLOR ButtonText = 0x80000012u;
inline constexpr OLE_COLOR InactiveCaptionText = 0x80000013u;
inline constexpr OLE_COLOR ButtonHighlight = 0x80000014u;
inline constexpr OLE_COLOR ButtonDarkShadow = 0x80000015u;
inline constexpr OLE_COLOR ButtonLight = 0x80000016u;
inline constexpr OLE_COLOR InfoText = 0x80000017u;
inline constexpr OLE_COLOR InfoBackground = 0x80000018u;
} // namespace syscolor

constexpr bool is_system_color(OLE_COLOR color) { return (color & 0xFF000000u) == 0x80000000u; }

// The colour value of RGB(r, g, b).
constexpr OLE_COLOR RGB(int r, int g, int b)
{
    return static_cast<OLE_COLOR>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The colour to paint with: a plain colour as it is, a system colour from `palette`'s role
// (an unknown system colour index paints as the window text colour).
QColor resolve_color(OLE_COLOR color, const QPalette& palette);

// A plain colour value from a QColor.
OLE_COLOR to_ole_color(const QColor& color);

} // namespace forms
