#pragma once
// The issue log as a workbook, written from the log's Excel button: one sheet
// per issue group, in the log's group order and named after the group, each
// with the date of the export, a header row and the group's open issues
// (status above 1) in the order the log is sorted by, with names in place of
// the owner and look-up ids. It is saved as the date, " Issue Log for " and
// the project's name, and opened on the desktop.
//
// A group whose stored name a sheet can take gives it to its sheet. One whose
// name a sheet cannot take (too long, holding a character a sheet refuses,
// or an earlier group's name in other case) names its sheet as near as a
// sheet allows, without a word: refused characters as "-", cut to 31
// characters, made unlike every other sheet's name. A step that fails
// is shown after "XL Create Excel failed: " and the export goes on with the
// next one. Each look-up list is read once per export, when the first issue
// needs it, so a list that cannot be read is reported once and its names
// read "-1". The spreadsheet setting
// SheetsInNewWorkbook is set to the number of groups for the new workbook and
// put back when the export ends, however it ends.

#include "client/shell/LookUpNames.h"
#include "platform/data/Recordset.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace zorbel::xl {
class Application;
class Workbook;
class Worksheet;
} // namespace zorbel::xl

namespace zorbel::risks {

// What the export takes from the issue log.
struct IssueLogSource {
    QString sortField;             // the ORDER BY text of the order picked
    data::RecordsetPtr groups;     // the groups as the log loaded them (nothing when that failed)
    qint32 projectID = 0;
    QString projectName;
};

class IssueLogWorkbook {
public:
    explicit IssueLogWorkbook(IssueLogSource source);
    ~IssueLogWorkbook();
    IssueLogWorkbook(const IssueLogWorkbook&) = delete;
    IssueLogWorkbook& operator=(const IssueLogWorkbook&) = delete;

    // The whole export: Write, then Save when there was something to write.
    void Export();
    // Writes every group's sheet into a new workbook in memory. False when
    // there is nothing to write: no group, or the groups could not be read.
    bool Write();
    // Saves the written workbook and opens it; false when the user gave up
    // on saving it. Puts SheetsInNewWorkbook back.
    bool Save();

    // The workbook Write made; nullptr before.
    const xl::Workbook* workbook() const { return m_Workbook; }

private:
    // One name column: the issue field holding the id, and the list that names it.
    struct NameColumn {
        int field;
        QString nameField;
        std::function<data::RecordsetPtr()> fetch;
        std::optional<shell::LookUpNames> names; // read on first use
    };

    void WriteIssueSheet(qint32 groupID);
    void LoadIssueHeader(qint16 row);
    void writeIssueRow(int row, const std::vector<QVariant>& issue);
    const shell::LookUpNames& namesOf(NameColumn& column);
    void putSheetsSettingBack();

    IssueLogSource m_source;
    QString m_title;
    std::array<NameColumn, 5> m_nameColumns;
    std::optional<int> m_keptSheetsSetting;

    std::unique_ptr<xl::Application> m_ExcelApp;
    xl::Workbook* m_Workbook = nullptr;
    xl::Worksheet* m_Sheet = nullptr;
    data::RecordsetPtr m_rsIssues;
};

} // namespace zorbel::risks
