#include "client/shell/TextLimit.h"

#include "client/shell/CharCounter.h"
#include "client/shell/Placing.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QVariant>

#include <algorithm>
#include <optional>

namespace zorbel::shell {

namespace {

const char* const kLimitProperty = "zorbelTextLimit";

// Where a text's character before `end` starts: a pair of surrogates is one character.
qsizetype characterBefore(const QString& text, qsizetype end) {
    qsizetype i = end - 1;
    if (i > 0 && text.at(i).isLowSurrogate() && text.at(i - 1).isHighSurrogate())
        --i;
    return i;
}

// Where the whole characters before `end` start that make `count` characters,
// or at least `count` units; nothing when the text's start comes first.
std::optional<qsizetype> startBack(const QString& text, qsizetype end, qsizetype count, Counting counting) {
    qsizetype i = end;
    for (qsizetype passed = 0; passed < count;) {
        if (i <= 0)
            return std::nullopt;
        const qsizetype start = characterBefore(text, i);
        passed += counting == Counting::Utf16Units ? i - start : 1;
        i = start;
    }
    return i;
}

} // namespace

TextExcess excessOf(const QString& text, qsizetype cursor, int width, Counting counting) {
    qsizetype excess = 0;
    if (width > 0)
        excess = counting == Counting::Utf16Units ? text.size() - width : -charactersLeft(text, width);
    cursor = std::clamp<qsizetype>(cursor, 0, text.size());
    if (excess <= 0)
        return {cursor, cursor};
    if (const auto from = startBack(text, cursor, excess, counting))
        return {*from, cursor};
    return {*startBack(text, text.size(), excess, counting), text.size()};
}

void limitText(QLineEdit& box, int width, Counting counting) {
    box.setProperty(kLimitProperty, width);
    if (width <= 0)
        return;
    const QPointer<QLineEdit> guarded(&box);
    QObject::connect(&box, &QLineEdit::textChanged, &box, [guarded, width, counting] {
        if (!guarded)
            return;
        const QString text = guarded->text();
        const TextExcess cut = excessOf(text, guarded->cursorPosition(), width, counting);
        if (cut.from == cut.to)
            return;
        // Runs this handler once more, on a text that fits.
        guarded->setText(QString(text).remove(cut.from, cut.to - cut.from));
        guarded->setCursorPosition(static_cast<int>(cut.from));
    });
}

void limitText(QPlainTextEdit& box, int width) {
    box.setProperty(kLimitProperty, width);
    if (width <= 0)
        return;
    const QPointer<QPlainTextEdit> guarded(&box);
    QObject::connect(&box, &QPlainTextEdit::textChanged, &box, [guarded, width] {
        if (!guarded)
            return;
        const TextExcess cut = excessOf(guarded->toPlainText(), guarded->textCursor().position(), width);
        if (cut.from == cut.to)
            return;
        QTextCursor dropping(guarded->document());
        // One undo step with the typing or pasting that went too far.
        dropping.joinPreviousEditBlock();
        dropping.setPosition(static_cast<int>(cut.from));
        dropping.setPosition(static_cast<int>(cut.to), QTextCursor::KeepAnchor);
        dropping.removeSelectedText();
        dropping.endEditBlock();
    });
}

QLabel* limitTextWithCounter(QWidget* parent, QPlainTextEdit& box, int width, int left, int top, int counterWidth,
                             const char* name) {
    limitText(box, width);
    QLabel* counter = placeLabel(parent, QString(), left, top, counterWidth, name);
    attachCharCounter(box, *counter, width);
    return counter;
}

int textLimit(const QWidget& box) {
    return box.property(kLimitProperty).toInt();
}

} // namespace zorbel::shell
