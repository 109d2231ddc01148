#pragma once
// A window's labels and fields, each made at its designed place in twips.
// A multi-line box made here hands Tab on to the next field, as every other
// field does, instead of typing a tab into its text. The resize rules of the
// windows are stated for their outer size, which is given here too.

#include "controls/Twips.h"
#include "controls/ctrlButton.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QString>
#include <type_traits>

namespace zorbel::shell {

// A resizable window's outer Width and Height in twips, as its resize rule
// states them: the client area plus the designed frame.
inline constexpr int kFrameWidthTwips = 120;
inline constexpr int kFrameHeightTwips = 240;
inline int outerWidthTwips(const QWidget* window) { return controls::widthTwips(window) + kFrameWidthTwips; }
inline int outerHeightTwips(const QWidget* window) { return controls::heightTwips(window) + kFrameHeightTwips; }

inline QLabel* placeLabel(QWidget* parent, const QString& text, int left, int top, int width,
                          const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    controls::placeTwips(l, left, top, width, 285);
    return l;
}

template <class W> W* placeField(QWidget* parent, const char* name, int left, int top, int width, int height = 315) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    controls::placeTwips(w, left, top, width, height);
    if constexpr (std::is_base_of_v<QPlainTextEdit, W>)
        w->setTabChangesFocus(true);
    return w;
}

// A picture button at its designed place, in its designed size.
inline controls::ctrlButton* placeButton(QWidget* parent, const char* name, const QString& caption, int left, int top) {
    auto* b = new controls::ctrlButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    controls::placeTwips(b, left, top, controls::ctrlButton::DesignWidthTwips, controls::ctrlButton::DesignHeightTwips);
    return b;
}

} // namespace zorbel::shell
