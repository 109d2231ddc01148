#include "client/shell/DateBox.h"

#include "client/shell/AppState.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Windows.h"

#include <QMouseEvent>

namespace zorbel::shell {

DateBox::DateBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &DateBox::Click, this, [this] { RunDateBox(*this, m_alwaysToday); });
    // A date typed into an emptied box (an Add after a row with a time of
    // day) is the date typed, not the old record's moment.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            m_stored.reset();
    });
}

std::optional<QDateTime> DateBox::date() const {
    return ParseShown(text());
}

void DateBox::setDate(const QDateTime& value) {
    setText(FormatShown(value));
}

void DateBox::showStored(const QVariant& stored) {
    const std::optional<QDateTime> d = dateOf(stored);
    const QString shown = d ? FormatShown(*d) : QString();
    setText(shown);
    m_stored = d;
    m_shownText = shown;
}

DateInput DateBox::input() const {
    return readDateText(text(), m_shownText, m_stored);
}

std::optional<QDateTime> DateBox::dateOr(const QDateTime& whenEmpty) const {
    const DateInput in = input();
    if (in.kind == DateInput::Empty)
        return whenEmpty;
    if (in.kind == DateInput::Valid)
        return in.value;
    ui::MsgBox(QStringLiteral("\"") + text() + QStringLiteral("\" is not a date"), ui::vbExclamation,
               QStringLiteral("Invalid Date"));
    return std::nullopt;
}

std::optional<DateSpan> readDateSpan(const DateBox& startBox, const DateBox& endBox) {
    const auto start = startBox.dateOr(ui::now());
    if (!start)
        return std::nullopt;
    const auto end = endBox.dateOr(start->addDays(1));
    if (!end)
        return std::nullopt;
    if (dayBefore(*end, *start)) {
        tellEndBeforeStart();
        return std::nullopt;
    }
    return DateSpan{*start, *end};
}

void tellEndBeforeStart() {
    ui::MsgBox(QStringLiteral("The End Date you have entered is before the Start Date"), ui::vbInformation,
               QStringLiteral("Operation Cancelled"));
}

void DateBox::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    // A locked box shows a stored value: picking a date there would change the
    // text of a record that is not being edited.
    if (event->button() == Qt::LeftButton && !isReadOnly())
        emit Click();
}

void RunDateBox(QLineEdit& box, bool alwaysToday) {
    // The calendar opens on the box's date; on today when the box is empty or
    // holds no date. It hands its date back through g_pickedDate.
    std::optional<QDateTime> preset;
    if (!alwaysToday && !box.text().isEmpty())
        preset = ParseShown(box.text());
    state().g_pickedDate = preset ? *preset : QDateTime(ui::today(), QTime(0, 0));
    ui::showModal(QStringLiteral("frmCalendar"));
    // No date handed back leaves the box as it was.
    if (state().g_pickedDate.isValid())
        box.setText(FormatShown(state().g_pickedDate));
}

} // namespace zorbel::shell
