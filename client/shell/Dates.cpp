#include "client/shell/Dates.h"

#include "client/shell/AppState.h"
#include "platform/ui/DateText.h"

namespace zorbel::shell {

QString FormatShown(const QDateTime& value) {
    return ui::FormatDate(value, state().g_dateFormat);
}

std::optional<QDateTime> ParseShown(const QString& text) {
    return ui::ParseDate(text, state().g_dateFormat);
}

bool dayBefore(const QDateTime& a, const QDateTime& b) {
    return a.isValid() && b.isValid() && a.date() < b.date();
}

std::optional<QDateTime> dateOf(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    if (value.metaType().id() == QMetaType::QDateTime) {
        const QDateTime dt = value.toDateTime();
        return dt.isValid() ? std::optional<QDateTime>(dt) : std::nullopt;
    }
    if (value.metaType().id() == QMetaType::QDate) {
        const QDate d = value.toDate();
        return d.isValid() ? std::optional<QDateTime>(QDateTime(d, QTime(0, 0))) : std::nullopt;
    }
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    for (const auto format : {Qt::ISODateWithMs, Qt::ISODate}) {
        const QDateTime dt = QDateTime::fromString(text, format);
        if (dt.isValid())
            return QDateTime(dt.date(), dt.time());
    }
    for (const char* stored : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss"}) {
        const QDateTime dt = QDateTime::fromString(text, QString::fromLatin1(stored));
        if (dt.isValid())
            return dt;
    }
    return ParseShown(text);
}

DateInput readDateText(const QString& text, const QString& shownText, const std::optional<QDateTime>& stored) {
    if (text.trimmed().isEmpty())
        return {DateInput::Empty, {}};
    if (stored && text == shownText)
        return {DateInput::Valid, *stored};
    if (auto parsed = ParseShown(text))
        return {DateInput::Valid, *parsed};
    return {DateInput::Invalid, {}};
}

} // namespace zorbel::shell
