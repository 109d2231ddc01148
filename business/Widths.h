#pragma once
// How many characters of each text field the business layer keeps. Every
// member cuts what it writes to its field's width here, and every window's
// box for that field takes no more, so a text is never cut after OK without
// the user having seen it. A width is the column's own, except where the
// member keeps less than the column could hold (a password is cut before it
// is hashed, and the hash fills the column).

#include <string_view>

namespace zorbel::widths {

struct Field {
    std::string_view table;
    std::string_view column;
    int width; // characters; 0: kept whole
};

inline constexpr Field kFields[] = {
    {"ZORBEL_MULTI_USER_TABLE", "UserName", 50},
    {"ZORBEL_MULTI_USER_TABLE", "Password", 50},
    {"ZORBEL_MULTI_USER_TABLE", "FullName", 50},
    {"ZORBEL_TEAM_TABLE", "FullName", 50},
    {"ZORBEL_TEAM_TABLE", "FirstName", 50},
    {"ZORBEL_TEAM_TABLE", "SurName", 50},
    {"ZORBEL_PROJECTS", "Name", 50},
    {"ZORBEL_PROJECTS", "Reference", 50},
    {"ZORBEL_PROJECTS", "Description", 50},
    {"ZORBEL_MILESTONES", "Description", 50},
    {"ZORBEL_DELIVERABLES", "Deliverable", 255},
    {"ZORBEL_DELIVERABLES", "Metric", 255},
    {"ZORBEL_TASKS", "Description", 255},
    {"ZORBEL_ACTIONS", "Description", 255},
    {"ZORBEL_PROGRESS", "Description", 255},
    {"ZORBEL_USER_TABLE", "SurName", 50},
    {"ZORBEL_USER_TABLE", "FirstName", 50},
    {"ZORBEL_USER_TABLE", "Title", 50},
    {"ZORBEL_USER_TABLE", "email", 50},
    {"ZORBEL_USER_TABLE", "Company", 0},
    {"ZORBEL_USER_TABLE", "Telephone", 50},
    {"ZORBEL_USER_TABLE", "Mobile", 50},
    {"ZORBEL_ISSUE_LOG", "IssueReference", 50},
    {"ZORBEL_ISSUE_LOG", "Issue", 255},
    {"ZORBEL_ISSUE_LOG", "Impact", 255},
    {"ZORBEL_ISSUE_LOG", "Resolution", 255},
    {"ZORBEL_ISSUES_GROUPS", "Description", 50},
    {"ZORBEL_RISKS", "Description", 255},
    {"ZORBEL_RISKS", "Impact", 255},
    {"ZORBEL_RISKS", "Mitigation", 255},
    {"ZORBEL_RISKS", "RiskNote", 255},
    {"ZORBEL_ADMIN_TABLE", "ProjectName", 50},
    {"ZORBEL_DOCUMENTS", "Name", 100},
    {"ZORBEL_DOCUMENTS", "Location", 150},
    {"ZORBEL_DOCUMENTS", "RevisionNo", 50},
    {"ZORBEL_DOCUMENTS", "OLELink", 255},
};

// The width of a field, or -1 for a field that is not in the table.
constexpr int find(std::string_view table, std::string_view column) {
    for (const Field& f : kFields)
        if (f.table == table && f.column == column)
            return f.width;
    return -1;
}

// The width of a field, where the code names it: a name that is not in the
// table does not compile.
consteval int of(std::string_view table, std::string_view column) {
    const int width = find(table, column);
    if (width < 0)
        throw "no such text field";
    return width;
}

} // namespace zorbel::widths
