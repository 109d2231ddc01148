#pragma once
// The issue log's rules, with no widget in sight: the orders its list can be
// shown in, and the name under which a new issue group is stored and whether
// it may be.

#include "platform/data/Recordset.h"

#include <QString>
#include <QStringList>

namespace zorbel::risks {

// The order list's entries, in list order.
const QStringList& issueOrderCaptions();
// The ORDER BY text of an order list position. Nothing picked, or a position
// the list does not have, orders by IssueID so the list still comes in a
// fixed order. "Owner" orders by the owner's team row, not by the name.
QString issueOrderClause(int index);

// A typed group name as it would be stored: without apostrophes and NULs,
// trimmed, and cut to the 50 characters a group keeps. Comparing stored
// forms is what keeps two groups that look alike in the list from both being
// added.
QString storedGroupName(const QString& typed);
// Why a group cannot be added under a stored name, or an empty text when it
// can: a group's name is the name of its sheet in the issue-log workbook, so
// it must be a name a sheet takes.
QString groupNameRefusal(const QString& storedName);
// Whether a list of groups (GetIssuesGroups) already holds the stored name,
// compared as sheet names are: one that differs only in case would name the
// same sheet, and the issue log would have to rename one of the two.
bool groupNameTaken(const data::RecordsetPtr& groups, const QString& storedName);

} // namespace zorbel::risks
