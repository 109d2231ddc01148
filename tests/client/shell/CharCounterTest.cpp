// The "characters left" label beside a long box.

#include "client/shell/CharCounter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <functional>

namespace zorbel::shell {
namespace {

// The counter stays blank until the text really changes (setting an empty box
// empty, as a new record's preparation does, is no change), then shows what
// is left of the limit, below zero past it, a character outside the basic
// plane counting once.
TEST(CharCounterTest, ShowsWhatIsLeftOnceTheTextHasChanged) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const struct {
        const char* step;
        QString text;
        const char* shown;
    } steps[] = {
        {"emptied while empty", QString(), ""},
        {"typed", QStringLiteral("abc"), "252"},
        {"set again unchanged", QStringLiteral("abc"), "252"},
        {"past the limit", QString(300, QLatin1Char('x')), "-45"},
        {"one wide character", emoji, "254"},
        {"emptied", QString(), "255"},
    };
    QPlainTextEdit multi;
    QLineEdit single;
    QLabel multiCounter, singleCounter;
    attachCharCounter(multi, multiCounter, 255);
    attachCharCounter(single, singleCounter, 255);
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        multi.setPlainText(s.text);
        single.setText(s.text);
        EXPECT_EQ(multiCounter.text(), QLatin1String(s.shown));
        EXPECT_EQ(singleCounter.text(), QLatin1String(s.shown));
    }
}

} // namespace
} // namespace zorbel::shell
