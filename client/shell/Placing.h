#pragma once
// A window's labels and fields, each made at its designed place in twips.
// A multi-line box made here hands Tab on to the next field, as every other
// field does, instead of typing a tab into its text.

#include "controls/Twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QString>
#include <type_traits>

namespace zorbel::shell {

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

} // namespace zorbel::shell
