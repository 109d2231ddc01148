#include "client/shell/Zorbel5Data.h"

#include "client/shell/Dates.h"
#include "client/shell/Values.h"
#include "controls/Twips.h"
#include "platform/ui/DateText.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Windows.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace zorbel::shell {

namespace {

// A failed look-up reports itself once and gives up: repeating the message
// for every later step helps nobody.
struct LookUpError {
    QString description;
};

QString missingField(const QString& fieldName) {
    return QStringLiteral("Field '%1' not found in the list").arg(fieldName);
}

bool isNumeric(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

// A column compared with a typed value: numbers compare as numbers when the
// text reads as one, everything else as text. Null never matches.
bool columnEquals(const QVariant& column, const QString& value) {
    if (column.isNull())
        return false;
    if (isNumeric(column)) {
        bool ok = false;
        const double typed = value.trimmed().toDouble(&ok);
        if (ok)
            return column.toDouble() == typed;
    }
    return column.toString() == value;
}

// A column as the text a window shows: dates in the general date form (the
// date, with the time when it is not midnight), booleans as "True"/"False".
QString textOf(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return ui::FormatDate(v.toDateTime(), QString());
    case QMetaType::QDate:
        return ui::FormatDate(QDateTime(v.toDate(), QTime(0, 0)), QString());
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return v.toString();
    }
}

// The record's id (column 0) as a 32-bit integer; a value that is not a whole
// number in range is an error.
qint32 idOf(const data::Recordset& rs) {
    const QVariant id = rs.Fields(0);
    bool ok = false;
    const qlonglong whole = id.toLongLong(&ok);
    if (id.isNull() || !ok || whole < std::numeric_limits<qint32>::min() || whole > std::numeric_limits<qint32>::max())
        throw LookUpError{QStringLiteral("Type mismatch")};
    return static_cast<qint32>(whole);
}

QProgressBar* progressBar() {
    QWidget* nav = ui::window(QStringLiteral("frmNavigate"));
    return nav ? nav->findChild<QProgressBar*>(QStringLiteral("PB1")) : nullptr;
}

// The duration box as a 16-bit whole number: decimals round to the nearest,
// halves to the even one; nothing when the text is no number or out of range.
std::optional<qint16> readDuration(const QString& text) {
    const std::optional<double> value = decimalOf(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // default rounding: halves to even
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

} // namespace

qint32 GetIDFromField(const QString& value, const data::RecordsetPtr& rs, const QString& fieldName) {
    try {
        if (!rs)
            throw LookUpError{QStringLiteral("No list to search")};
        if (rs->RecordCount() == 0)
            return -1;
        const int field = rs->FieldIndex(fieldName);
        if (field < 0)
            throw LookUpError{missingField(fieldName)};
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
            if (columnEquals(rs->Fields(field), value))
                return idOf(*rs);
        }
    } catch (const LookUpError& e) {
        ui::MsgBox(QStringLiteral("Get ID Error: ") + value + QLatin1Char('|') + e.description, ui::vbOKOnly);
    }
    return -1;
}

QString GetFieldFromID(qint32 id, const data::RecordsetPtr& rs, const QString& fieldName) {
    const QString none = QStringLiteral("-1");
    try {
        if (!rs)
            throw LookUpError{QStringLiteral("No list to search")};
        if (rs->RecordCount() == 0)
            return none;
        const int field = rs->FieldIndex(fieldName);
        if (field < 0)
            throw LookUpError{missingField(fieldName)};
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
            bool ok = false;
            const qlonglong rowId = rs->Fields(0).toLongLong(&ok);
            if (!ok || rowId != id)
                continue;
            const QVariant found = rs->Fields(field);
            if (found.isNull())
                throw LookUpError{QStringLiteral("Invalid use of Null")};
            return textOf(found);
        }
    } catch (const LookUpError& e) {
        ui::MsgBox(QStringLiteral("GetFieldFromID Error: ") + e.description, ui::vbOKOnly);
    }
    return none;
}

void ProgressStart(qint32 count) {
    if (count < 1)
        return;
    if (QProgressBar* bar = progressBar()) {
        bar->setVisible(true);
        bar->setMaximum(count);
        bar->setValue(0);
    }
}

void ProgressStep() {
    if (QProgressBar* bar = progressBar(); bar && bar->maximum() > bar->value())
        bar->setValue(bar->value() + 1);
}

void ProgressEnd() {
    if (QProgressBar* bar = progressBar())
        bar->setVisible(false);
}

QDateTime AddWorkingDays(const QDateTime& startDate, qint16 duration, bool sevenDayWeek) {
    if (duration < 1)
        return startDate;
    QDateTime date = startDate;
    int remaining = duration;
    while (remaining > 1) {
        date = date.addDays(1);
        --remaining;
        const int weekday = date.date().dayOfWeek();
        if (!sevenDayWeek && (weekday == Qt::Saturday || weekday == Qt::Sunday))
            ++remaining;
    }
    return date;
}

qint16 WorkingDaysFrom(const QDateTime& startDate, const QDateTime& endDate, bool sevenDayWeek) {
    const qint64 days = startDate.date().daysTo(endDate.date());
    if (days < 0)
        return 0;
    qint64 count = 1;
    if (sevenDayWeek) {
        count += days;
    } else {
        // Whole weeks hold five working days each; only the days left over are looked at.
        count += days / 7 * 5;
        QDate day = startDate.date().addDays(days / 7 * 7);
        for (qint64 i = 0; i < days % 7; ++i) {
            day = day.addDays(1);
            if (day.dayOfWeek() != Qt::Saturday && day.dayOfWeek() != Qt::Sunday)
                ++count;
        }
    }
    return static_cast<qint16>(std::min<qint64>(count, std::numeric_limits<qint16>::max()));
}

void DurationChanged(const QLineEdit& startBox, QLineEdit& endBox, const QLineEdit& durationBox,
                     const QCheckBox& sevenDayWeek) {
    // Runs on every keystroke, so half-typed input is normal: anything that
    // does not read simply leaves the end date alone.
    if (startBox.text().isEmpty())
        return;
    const std::optional<QDateTime> start = ParseShown(startBox.text());
    const std::optional<qint16> duration = readDuration(durationBox.text());
    if (!start || !duration)
        return;
    endBox.setText(FormatShown(AddWorkingDays(*start, *duration, sevenDayWeek.checkState() == Qt::Checked)));
}

void ConnectDurationFamily(QLineEdit& startBox, QLineEdit& endBox, QLineEdit& durationBox, QCheckBox& sevenDayWeek) {
    const QPointer<QLineEdit> start(&startBox), end(&endBox), duration(&durationBox);
    const QPointer<QCheckBox> check(&sevenDayWeek);
    auto recompute = [start, end, duration, check] {
        if (start && end && duration && check)
            DurationChanged(*start, *end, *duration, *check);
    };
    QObject::connect(&durationBox, &QLineEdit::textChanged, &durationBox, recompute);
    // toggled covers both a click and a value set from code.
    QObject::connect(&sevenDayWeek, &QCheckBox::toggled, &sevenDayWeek, recompute);
}

DurationEntry placeDurationEntry(QWidget& parent, QLineEdit& startBox, QLineEdit& endBox, int left, int top) {
    DurationEntry e;
    e.label = new QLabel(QStringLiteral("Duration"), &parent);
    e.label->setObjectName(QStringLiteral("lblDuration"));
    controls::placeTwips(e.label, left, top, 900, 285);
    e.box = new QLineEdit(&parent);
    e.box->setObjectName(QStringLiteral("txtDuration"));
    controls::placeTwips(e.box, left + 960, top, 735, 285);
    e.sevenDayWeek = new QCheckBox(QStringLiteral("7 Day Week"), &parent);
    e.sevenDayWeek->setObjectName(QStringLiteral("chk7DayWeek"));
    controls::placeTwips(e.sevenDayWeek, left + 1800, top, 1400, 285);
    ConnectDurationFamily(startBox, endBox, *e.box, *e.sevenDayWeek);
    return e;
}

} // namespace zorbel::shell
