#include "platform/forms/core/ole_color.h"

namespace forms {

QColor resolve_color(OLE_COLOR color, const QPalette& palette)
{
    if (!is_system_color(color))
        return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                      static_cast<int>((color >> 16) & 0xFF));
    using R = QPalette::ColorRole;
    switch (color) {
    case syscolor::ScrollBars:
    case syscolor::ButtonFace:
    case syscolor::MenuBar:
    case syscolor::InactiveBorder:
    case syscolor::ActiveBorder: return palette.color(R::Button);
    case syscolor::Desktop:
    case syscolor::ApplicationWorkspace: return palette.color(R::Dark);
    case syscolor::ActiveTitleBar:
    case syscolor::Highlight: return palette.color(R::Highlight);
    case syscolor::InactiveTitleBar: return palette.color(QPalette::Inactive, R::Highlight);
    case syscolor::WindowBackground: return palette.color(R::Base);
    case syscolor::WindowFrame:
    case syscolor::ButtonDarkShadow: return palette.color(R::Shadow);
    case syscolor::MenuText:
    case syscolor::WindowText: return palette.color(R::WindowText);
    case syscolor::TitleBarText:
    case syscolor::HighlightText: return palette.color(R::HighlightedText);
    case syscolor::ButtonShadow: return palette.color(R::Mid);
    case syscolor::GrayText:
    case syscolor::InactiveCaptionText: return palette.color(QPalette::Disabled, R::WindowText);
    case syscolor::ButtonText: return palette.color(R::ButtonText);
    case syscolor::ButtonHighlight: return palette.color(R::Light);
    case syscolor::ButtonLight: return palette.color(R::Midlight);
    case syscolor::InfoText: return palette.color(R::ToolTipText);
    case syscolor::InfoBackground: return palette.color(R::ToolTipBase);
    default: return palette.color(R::WindowText);
    }
}

OLE_COLOR to_ole_color(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

} // namespace forms
