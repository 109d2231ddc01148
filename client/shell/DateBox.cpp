#include "client/shell/DateBox.h"

#include "client/shell/AppState.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DateText.h"
#include "platform/ui/Windows.h"

#include <QMouseEvent>

namespace zorbel::shell {

QString FormatShown(const QDateTime& value) {
    return ui::FormatDate(value, state().g_dateFormat);
}

std::optional<QDateTime> ParseShown(const QString& text) {
    return ui::ParseDate(text, state().g_dateFormat);
}

DateBox::DateBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &DateBox::Click, this, [this] { RunDateBox(*this, m_alwaysToday); });
}

std::optional<QDateTime> DateBox::date() const {
    return ParseShown(text());
}

void DateBox::setDate(const QDateTime& value) {
    setText(FormatShown(value));
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
    box.setText(FormatShown(state().g_pickedDate));
}

} // namespace zorbel::shell
