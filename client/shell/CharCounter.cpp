#include "client/shell/CharCounter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

namespace zorbel::shell {

int charactersLeft(const QString& text, int limit) {
    qsizetype characters = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++characters)
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    return limit - static_cast<int>(characters);
}

void attachCharCounter(QLineEdit& box, QLabel& counter, int limit) {
    const QPointer<QLabel> label(&counter);
    QObject::connect(&box, &QLineEdit::textChanged, &box, [label, limit](const QString& text) {
        if (label)
            label->setText(QString::number(charactersLeft(text, limit)));
    });
}

void attachCharCounter(QPlainTextEdit& box, QLabel& counter, int limit) {
    const QPointer<QLabel> label(&counter);
    const QPointer<QPlainTextEdit> source(&box);
    QObject::connect(&box, &QPlainTextEdit::textChanged, &box, [label, source, limit] {
        if (label && source)
            label->setText(QString::number(charactersLeft(source->toPlainText(), limit)));
    });
}

} // namespace zorbel::shell
