#pragma once
// OLE colours (32-bit, 0x00BBGGRR; 0x800000nn for a system colour) and QColor.
#include <QApplication>
#include <QColor>
#include <QPalette>
#include <cstdint>

namespace zorbel::controls {

using OleColour = std::uint32_t;

/// RGB(r, g, b) as an OLE colour: red in the low byte.
constexpr OleColour rgb(int r, int g, int b)
{
    return OleColour(r & 0xFF) | (OleColour(g & 0xFF) << 8) | (OleColour(b & 0xFF) << 16);
}

/// A QColor for an OLE colour. System colours (high bit set) come from the
/// application palette; an unknown system index gives the window colour.
inline QColor fromOleColour(OleColour c)
{
    if (c & 0x80000000u) {
        const QPalette pal = QApplication::palette();
        switch (c & 0xFFu) {
        case 4: return pal.color(QPalette::Window);            // menu
        case 5: return pal.color(QPalette::Base);              // window background
        case 7: return pal.color(QPalette::WindowText);        // menu text
        case 8: return pal.color(QPalette::Text);              // window text
        case 13: return pal.color(QPalette::Highlight);
        case 14: return pal.color(QPalette::HighlightedText);
        case 15: return pal.color(QPalette::Button);           // button face
        case 16: return pal.color(QPalette::Dark);             // button shadow
        case 17: return pal.color(QPalette::Disabled, QPalette::Text); // grey text
        case 18: return pal.color(QPalette::ButtonText);
        case 20: return pal.color(QPalette::Light);            // button highlight
        case 21: return pal.color(QPalette::Shadow);           // 3D dark shadow
        case 22: return pal.color(QPalette::Midlight);         // 3D light
        case 23: return pal.color(QPalette::ToolTipText);
        case 24: return pal.color(QPalette::ToolTipBase);
        default: return pal.color(QPalette::Window);
        }
    }
    return QColor(int(c & 0xFFu), int((c >> 8) & 0xFFu), int((c >> 16) & 0xFFu));
}

/// The OLE colour of a QColor (alpha dropped).
inline OleColour toOleColour(const QColor &c) { return rgb(c.red(), c.green(), c.blue()); }

} // namespace zorbel::controls
