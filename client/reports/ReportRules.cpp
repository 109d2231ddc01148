#include "client/reports/ReportRules.h"

#include "platform/ui/NumberText.h"

namespace zorbel::reports {

QStringList reportSheetNames(const SheetChoice& choice) {
    QStringList names{QStringLiteral("Project Info")};
    if (choice.milestones)
        names << QStringLiteral("Milestones");
    if (choice.deliverables)
        names << QStringLiteral("Deliverables");
    if (choice.risks)
        names << QStringLiteral("Risks");
    names << QStringLiteral("Detail");
    if (choice.timeline)
        names << QStringLiteral("Timeline");
    return names;
}

std::optional<qint32> windowDays(const QDate& first, const QDate& last) {
    if (!first.isValid() || !last.isValid())
        return std::nullopt;
    return static_cast<qint32>(first.daysTo(last));
}

TimelineSpan ClipSpanToWindow(const QDate& start, const QDate& end, const QDate& windowFirst,
                              const QDate& windowLast) {
    if (!start.isValid() || !end.isValid() || !windowFirst.isValid() || !windowLast.isValid())
        return {};
    if (windowLast < start || windowFirst > end)
        return {};
    const QDate first = windowFirst < start ? start : windowFirst;
    const QDate last = windowLast > end ? end : windowLast;
    return {static_cast<qint32>(windowFirst.daysTo(first)) + kFirstDayColumn,
            static_cast<qint32>(windowFirst.daysTo(last)) + kFirstDayColumn, static_cast<qint32>(first.daysTo(last))};
}

QString wbsText(const QVariant& wbs) {
    return wbs.isNull() ? QString() : wbs.toString();
}

QString wbsChain(std::initializer_list<QString> elements) {
    QString chain;
    bool first = true;
    for (const QString& element : elements) {
        if (!first)
            chain += QLatin1Char('.');
        chain += element;
        first = false;
    }
    return chain;
}

std::optional<QString> csfText(const QVariant& csf) {
    if (csf.isNull())
        return std::nullopt;
    bool ok = false;
    const qlonglong value = csf.toLongLong(&ok);
    return ok && value == 1 ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString riskValueText(double level, double probability) {
    return ui::FormatNumber(level * probability, QStringLiteral("##.###"));
}

} // namespace zorbel::reports
