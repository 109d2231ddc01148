#pragma once
// A date box: a text box that opens the calendar ("Zorbel Calendar") when
// clicked and writes the chosen date back into itself with the configured
// date pattern.

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

    // The box's text read with the configured pattern (then ISO, then the
    // locale); nothing when empty or not a date.
    std::optional<QDateTime> date() const;
    // Writes a date with the configured pattern.
    void setDate(const QDateTime& value);

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool m_alwaysToday = false;
};

// The date-box protocol: preset the calendar from the box (today when the box
// is empty or not a date), show it modally, write g_pickedDate back.
void RunDateBox(QLineEdit& box, bool alwaysToday = false);

// The configured date pattern applied to a date, and read back: the one pair
// of routines every window uses for dates on screen.
QString FormatShown(const QDateTime& value);
std::optional<QDateTime> ParseShown(const QString& text);

} // namespace zorbel::shell
