#pragma once
// Twips helpers shared by the controls and the program's windows.
//
// Every window lays itself out in twips so that positions read the same
// everywhere; the program works at 96 dpi logical, that is 15 twips per
// pixel, and these helpers are the one place where twips and pixels meet.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace zorbel::controls {

/// Twips per pixel at 96 dpi (1440 twips per inch / 96 pixels per inch).
inline constexpr int TwipsPerPixel = 15;

/// Twips per pixel for another logical dpi (1440 / dpi).
constexpr double twipsPerPixelForDpi(double dpi) { return 1440.0 / dpi; }

/// Twips to pixels, rounded to the nearest pixel (halves away from zero).
constexpr int twipsToPixels(int twips)
{
    // Rounded from quotient and remainder so that no value near the ends of
    // int overflows on the way.
    const int whole = twips / TwipsPerPixel;
    const int rest = twips % TwipsPerPixel;
    if (rest > TwipsPerPixel / 2)
        return whole + 1;
    if (rest < -(TwipsPerPixel / 2))
        return whole - 1;
    return whole;
}

/// Pixels to twips (exact).
constexpr int pixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }

inline QPoint twipsToPixels(int left, int top)
{
    return {twipsToPixels(left), twipsToPixels(top)};
}

inline QSize twipsSizeToPixels(int width, int height)
{
    return {twipsToPixels(width), twipsToPixels(height)};
}

inline QRect twipsRectToPixels(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

/// A rectangle in pixels given back in twips (left, top, width, height).
inline QRect pixelRectToTwips(const QRect &r)
{
    return {pixelsToTwips(r.x()), pixelsToTwips(r.y()), pixelsToTwips(r.width()),
            pixelsToTwips(r.height())};
}

/// Places a widget at a position and size given in twips.
inline void placeTwips(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(twipsRectToPixels(left, top, width, height));
}

/// Moves a widget to a position given in twips, keeping its size.
inline void moveTwips(QWidget *w, int left, int top) { w->move(twipsToPixels(left, top)); }

/// Resizes a widget to a size given in twips, keeping its position.
inline void resizeTwips(QWidget *w, int width, int height)
{
    w->resize(twipsSizeToPixels(width, height));
}

/// A widget's Left, Top, Width and Height in twips (relative to its parent).
inline int leftTwips(const QWidget *w) { return pixelsToTwips(w->x()); }
inline int topTwips(const QWidget *w) { return pixelsToTwips(w->y()); }
inline int widthTwips(const QWidget *w) { return pixelsToTwips(w->width()); }
inline int heightTwips(const QWidget *w) { return pixelsToTwips(w->height()); }

/// Sets one coordinate in twips, leaving the others.
inline void setLeftTwips(QWidget *w, int left) { w->move(twipsToPixels(left), w->y()); }
inline void setTopTwips(QWidget *w, int top) { w->move(w->x(), twipsToPixels(top)); }
inline void setWidthTwips(QWidget *w, int width) { w->resize(twipsToPixels(width), w->height()); }
inline void setHeightTwips(QWidget *w, int height) { w->resize(w->width(), twipsToPixels(height)); }

} // namespace zorbel::controls
