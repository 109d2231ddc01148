#pragma once
// The most a text box takes: its field's width in the business layer
// (business/Widths.h), counted in characters as the business layer counts
// them when it cuts, or a narrower rule's width counted as that rule counts.
// What goes past it, typed or pasted, is dropped at once where the user sees
// it, so OK never stores less than the box shows. The box cuts on its change
// signal, so a text set by code is cut too, unless the code blocks the box's
// signals while it sets it: then the box shows it whole. The issue groups
// window does that to show a group stored under a name longer than a new one
// may be, in its name box while that box is read-only; Add clears the box
// before anything is typed, so the limit holds for every name typed.

#include <QString>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace zorbel::shell {

// How a width counts a text: in characters, as the business layer counts
// when it cuts; or in UTF-16 units, as a spreadsheet program counts a sheet's
// name (a character outside the basic plane counts two).
enum class Counting { Characters, Utf16Units };

// The part of a text, in UTF-16 units [from, to), that goes so that it holds
// at most `width` characters or units: whole characters just before the
// cursor (those typed or pasted last), or the text's end when the cursor has
// too few before it. Empty (from == to) when the text fits; a width of 0 is
// no limit.
struct TextExcess {
    qsizetype from = 0;
    qsizetype to = 0;
};
TextExcess excessOf(const QString& text, qsizetype cursor, int width, Counting counting = Counting::Characters);

// Limits a box to `width` characters (or units); 0 leaves it unlimited (a
// field kept whole).
void limitText(QLineEdit& box, int width, Counting counting = Counting::Characters);
void limitText(QPlainTextEdit& box, int width);
// Limits a multi-line box and places its "characters left" counter (CharCounter.h),
// named `name`, at (left, top) in twips of the parent, `counterWidth` wide.
QLabel* limitTextWithCounter(QWidget* parent, QPlainTextEdit& box, int width, int left, int top, int counterWidth,
                             const char* name);
// The limit a box was given; 0 for none.
int textLimit(const QWidget& box);

} // namespace zorbel::shell
