#pragma once
// A date box: a text box that opens the calendar ("Zorbel Calendar") when
// clicked and writes the chosen date back into itself with the configured
// date pattern.
//
// A box that shows a stored date remembers it: while its text stays as shown
// it gives the stored value back exactly, time of day included, so that
// saving a record whose date was not touched does not cut its time off. An
// emptied box forgets it.

#include "client/shell/Dates.h"

#include <QDateTime>
#include <QLineEdit>
#include <optional>

namespace zorbel::shell {

class DateBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);

    // The wizard's milestone box always opens the calendar on today.
    void setAlwaysPresetToday(bool on) { m_alwaysToday = on; }

    // The box's text read with the configured pattern, or as ISO; nothing
    // when empty or not a date.
    std::optional<QDateTime> date() const;
    // Writes a date with the configured pattern.
    void setDate(const QDateTime& value);

    // Shows a stored value (a database date, or null for none) and remembers it.
    void showStored(const QVariant& stored);
    // What the box holds: empty, a date (the stored one while unchanged), or text that is no date.
    DateInput input() const;
    // The box's date, or whenEmpty for an empty box. For text that is not a
    // date it tells the user so and gives nothing.
    std::optional<QDateTime> dateOr(const QDateTime& whenEmpty) const;

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool m_alwaysToday = false;
    std::optional<QDateTime> m_stored;
    QString m_shownText;
};

// A record's start and end as typed in its two date boxes: the start box's
// date, or the current date and time when it is empty; the end box's date, or
// the start plus one day when it is empty. Nothing, after telling the user,
// when a box holds text that is not a date or the end falls on a day before
// the start: such a record would show nothing, or nonsense, on a timeline.
struct DateSpan {
    QDateTime start;
    QDateTime end;
};
std::optional<DateSpan> readDateSpan(const DateBox& startBox, const DateBox& endBox);
// The one refusal of an end on a day before its start, for every window that takes both.
void tellEndBeforeStart();

// The date-box protocol: preset the calendar from the box (today when the box
// is empty or not a date), show it modally, write g_pickedDate back; a
// calendar that hands back no date leaves the box as it was.
void RunDateBox(QLineEdit& box, bool alwaysToday = false);

} // namespace zorbel::shell
