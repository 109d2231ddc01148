#pragma once
// Twips, the unit every window and control is laid out in, and the pixels
// they come to.
//
// The layouts were drawn for an 8-point font whose average character is
// 6 x 13 pixels at 96 dpi, where a pixel is 15 twips. A window measures twips
// by its own font instead, as dialog units do: a twip across grows with the
// font's average character width, a twip down with its height. A window and
// everything in it therefore grows with a larger desktop font and keeps its
// proportions, and a text that fitted the design font is not cut short.
// Reading a position or size back divides by the same measure, so a resize
// rule stated in twips holds at any font (to the pixel a value rounds to).
// These helpers are the one place where twips and pixels meet.
#include <QFont>
#include <QFontMetricsF>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <cmath>
#include <limits>

namespace zorbel::controls {

/// Twips per pixel of the design font at 96 dpi (1440 twips per inch / 96 pixels per inch).
inline constexpr int DesignTwipsPerPixel = 15;
/// The design font's average character, in pixels at 96 dpi.
inline constexpr double DesignCharWidth = 6.0;
inline constexpr double DesignCharHeight = 13.0;

/// How many pixels a twip comes to, across and down, for one font.
class TwipScale {
public:
    /// The design font's measure: 15 twips a pixel either way.
    constexpr TwipScale() = default;

    /// A font's measure: its average character against the design font's.
    static TwipScale ofFont(const QFont &font);
    /// The measure of the window a widget stands in (a window's own for a window).
    static TwipScale of(const QWidget *widget) { return ofFont(widget->window()->font()); }

    double pixelsPerTwipX() const { return m_x; }
    double pixelsPerTwipY() const { return m_y; }

    /// Twips to whole pixels, rounded to the nearest (halves away from zero).
    int toPixelsX(int twips) const { return rounded(twips * m_x); }
    int toPixelsY(int twips) const { return rounded(twips * m_y); }
    /// Pixels back to twips, rounded to the nearest whole twip.
    int toTwipsX(int pixels) const { return rounded(pixels / m_x); }
    int toTwipsY(int pixels) const { return rounded(pixels / m_y); }

    QPoint point(int left, int top) const { return {toPixelsX(left), toPixelsY(top)}; }
    QSize size(int width, int height) const { return {toPixelsX(width), toPixelsY(height)}; }
    QRect rect(int left, int top, int width, int height) const
    {
        return {point(left, top), size(width, height)};
    }
    /// A rectangle in pixels given back in twips (left, top, width, height).
    QRect toTwips(const QRect &pixels) const
    {
        return {toTwipsX(pixels.x()), toTwipsY(pixels.y()), toTwipsX(pixels.width()),
                toTwipsY(pixels.height())};
    }

private:
    constexpr TwipScale(double x, double y) : m_x(x), m_y(y) {}

    // Near the ends of int a value stays at the end instead of overflowing.
    static int rounded(double value)
    {
        const double r = std::round(value);
        if (r >= double(std::numeric_limits<int>::max()))
            return std::numeric_limits<int>::max();
        if (r <= double(std::numeric_limits<int>::min()))
            return std::numeric_limits<int>::min();
        return int(r);
    }

    double m_x = 1.0 / DesignTwipsPerPixel;
    double m_y = 1.0 / DesignTwipsPerPixel;
};

inline TwipScale TwipScale::ofFont(const QFont &font)
{
    // The average of the alphabet, as dialog units take it: a font's own
    // average-width figure follows its widest glyphs in some families.
    static const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(alphabet) / alphabet.size();
    const double height = metrics.height();
    if (!(width > 0) || !(height > 0))
        return {};
    return {width / DesignCharWidth / DesignTwipsPerPixel, height / DesignCharHeight / DesignTwipsPerPixel};
}

/// Places a widget at a position and size given in twips.
inline void placeTwips(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(TwipScale::of(w).rect(left, top, width, height));
}

/// Moves a widget to a position given in twips, keeping its size.
inline void moveTwips(QWidget *w, int left, int top) { w->move(TwipScale::of(w).point(left, top)); }

/// Resizes a widget to a size given in twips, keeping its position.
inline void resizeTwips(QWidget *w, int width, int height)
{
    w->resize(TwipScale::of(w).size(width, height));
}

/// Gives a window a size in twips that the user cannot change.
inline void fixSizeTwips(QWidget *w, int width, int height)
{
    w->setFixedSize(TwipScale::of(w).size(width, height));
}

/// A widget's Left, Top, Width and Height in twips (relative to its parent).
inline int leftTwips(const QWidget *w) { return TwipScale::of(w).toTwipsX(w->x()); }
inline int topTwips(const QWidget *w) { return TwipScale::of(w).toTwipsY(w->y()); }
inline int widthTwips(const QWidget *w) { return TwipScale::of(w).toTwipsX(w->width()); }
inline int heightTwips(const QWidget *w) { return TwipScale::of(w).toTwipsY(w->height()); }

/// Sets one coordinate in twips, leaving the others.
inline void setLeftTwips(QWidget *w, int left) { w->move(TwipScale::of(w).toPixelsX(left), w->y()); }
inline void setTopTwips(QWidget *w, int top) { w->move(w->x(), TwipScale::of(w).toPixelsY(top)); }
inline void setWidthTwips(QWidget *w, int width) { w->resize(TwipScale::of(w).toPixelsX(width), w->height()); }
inline void setHeightTwips(QWidget *w, int height) { w->resize(w->width(), TwipScale::of(w).toPixelsY(height)); }

} // namespace zorbel::controls
