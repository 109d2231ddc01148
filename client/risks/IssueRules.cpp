#include "client/risks/IssueRules.h"

#include "business/Text.h"
#include "business/Widths.h"
#include "platform/xlsx/SheetName.h"

#include <array>

namespace zorbel::risks {

namespace {

constexpr int kGroupNameWidth = widths::of("ZORBEL_ISSUES_GROUPS", "Description");

struct Order {
    const char* caption;
    const char* clause;
};
constexpr std::array<Order, 9> kOrders{{
    {"Reference", "IssueReference"},
    {"Issue Date", "IssueDate"},
    {"Latest Issue First", "IssueDate DESC"},
    {"Issue", "Issue"},
    {"Owner", "OwnerID"},
    {"Status", "StatusID DESC"},
    {"Severity", "SeverityID DESC"},
    {"Urgency", "UrgencyID DESC"},
    {"Schedule", "ScheduleID DESC"},
}};

} // namespace

const QStringList& issueOrderCaptions() {
    static const QStringList captions = [] {
        QStringList c;
        for (const Order& o : kOrders)
            c << QString::fromLatin1(o.caption);
        return c;
    }();
    return captions;
}

QString issueOrderClause(int index) {
    if (index < 0 || index >= static_cast<int>(kOrders.size()))
        return QStringLiteral("IssueID");
    return QString::fromLatin1(kOrders[static_cast<size_t>(index)].clause);
}

QString storedGroupName(const QString& typed) {
    // The window sends the name cleaned and trimmed (blanks may stand inside
    // apostrophes at its ends), and the member cleans and cuts what it gets.
    return clean(clean(typed, 0).trimmed(), kGroupNameWidth);
}

QString groupNameRefusal(const QString& storedName) {
    const QString problem = xl::sheetNameProblem(storedName, {});
    if (problem.isEmpty())
        return {};
    return QStringLiteral("An Issue Group's name is the name of its sheet in the Issue Log workbook, and ") + problem
           + QStringLiteral(" - choose another");
}

bool groupNameTaken(const data::RecordsetPtr& groups, const QString& storedName) {
    const int field = groups ? groups->FieldIndex(QStringLiteral("Description")) : -1;
    if (field < 0)
        return false;
    for (int i = 0; i < groups->RecordCount(); ++i)
        if (xl::sameSheetName(groups->cell(i, field).toString(), storedName))
            return true;
    return false;
}

} // namespace zorbel::risks
