#include "Couleurs.h"

namespace bouton {

namespace {
constexpr uint32_t DerniereCouleurSysteme = 30;
}

bool couleurOleValide(uint32_t ole) {
    if ((ole & 0xFF000000u) == 0)
        return true;
    return (ole & 0xFFFFFF00u) == 0x80000000u && (ole & 0xFFu) <= DerniereCouleurSysteme;
}

QColor couleurQt(uint32_t ole, const QPalette& p) {
    if ((ole & 0xFF000000u) == 0)
        return QColor(int(ole & 0xFF), int((ole >> 8) & 0xFF), int((ole >> 16) & 0xFF));
    // The look does not change with the enabled state, so always the active group.
    const auto g = QPalette::Active;
    switch (ole & 0xFFu) {
    case 0x05: // window
        return p.color(g, QPalette::Base);
    case 0x06: // window frame
    case 0x07: // menu text
    case 0x08: // window text
        return p.color(g, QPalette::WindowText);
    case 0x0D: // highlight
        return p.color(g, QPalette::Highlight);
    case 0x0E: // highlight text
        return p.color(g, QPalette::HighlightedText);
    case 0x10: // button shadow
        return p.color(g, QPalette::Dark);
    case 0x11: // grey text
        return p.color(QPalette::Disabled, QPalette::WindowText);
    case 0x12: // button text
        return p.color(g, QPalette::ButtonText);
    case 0x14: // 3-D highlight
        return p.color(g, QPalette::Light);
    case 0x15: // 3-D dark shadow
        return p.color(g, QPalette::Shadow);
    case 0x16: // 3-D light
        return p.color(g, QPalette::Midlight);
    case 0x17: // tooltip text
        return p.color(g, QPalette::ToolTipText);
    case 0x18: // tooltip background
        return p.color(g, QPalette::ToolTipBase);
    default: // button face and the rest
        return p.color(g, QPalette::Button);
    }
}

} // namespace bouton
