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
    const QPointer<QLineEdit> source(&box);
    // The box's text as it is now, not as the signal carries it: a limit may
    // have shortened it again before this runs.
    QObject::connect(&box, &QLineEdit::textChanged, &box, [label, source, limit] {
        if (label && source)
            label->setText(QString::number(charactersLeft(source->text(), limit)));
    });
}

void attachCharCounter(QPlainTextEdit& box, QLabel& counter, int limit) {
    const QPointer<QLabel> label(&counter);
    const QPointer<QPlainTextEdit> source(&box);
    // A multi-line box signals a change whenever its text is set, even to
    // what it already holds (a new record's empty boxes emptied again); only
    // a real change may wake a blank counter, as with a one-line box.
    QObject::connect(&box, &QPlainTextEdit::textChanged, &box,
                     [label, source, limit, last = box.toPlainText()]() mutable {
                         if (!label || !source)
                             return;
                         QString text = source->toPlainText();
                         if (text == last)
                             return;
                         last = std::move(text);
                         label->setText(QString::number(charactersLeft(last, limit)));
                     });
}

} // namespace zorbel::shell
