#pragma once
// A window's labels and fields, each made at its designed place in twips.

#include "controls/Twips.h"

#include <QLabel>
#include <QString>

namespace zorbel::planning {

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
    return w;
}

} // namespace zorbel::planning
