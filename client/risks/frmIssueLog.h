#pragma once
// "Issue Log": the issues of the current project in one issue group, the
// open ones or, under "View Closed", the closed ones (status 1), in the order
// picked. It asks for the project when it opens; adding and editing go
// through the issue dialog, and every change is followed by a reload, so the
// first listed issue is always the selected one; Excel writes the open
// issues of every group to a workbook. The window is a list with commands:
// it has no edit mode, no detail fields and no OK or Cancel.

#include "client/shell/LookUpNames.h"
#include "client/shell/GridFiller.h"
#include "platform/data/Recordset.h"

#include <QString>
#include <QVariant>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

namespace zorbel::controls {
class ctrlButton;
}
namespace zorbel::ui {
class FlexGrid;
}

namespace zorbel::risks {

class frmIssueLog : public QWidget {
    Q_OBJECT
public:
    frmIssueLog();

    // What the issue-log workbook takes from the log: the ORDER BY text of
    // the order picked, the groups as loaded when the log opened (ordered by
    // Description), and the project whose log this is.
    const QString& sortField() const { return m_sortField; }
    const data::RecordsetPtr& issueGroups() const { return m_rsGroups; }
    qint32 projectID() const;
    QString projectName() const;
    // The issues of the last load (nothing after a failed one).
    const data::RecordsetPtr& issues() const { return m_rsIssues; }
    qint16 issueCount() const { return m_issueCount; }

    void Form_Load();
    void LoadIssues();
    void ComboIssueGroup_Click();
    void ComboOrder_Click();
    void chkViewAll_Click() { LoadIssues(); }
    void btnAdd_Click();
    void btnEdit_Click();
    void btnDelete_Click();
    void btnRefresh_Click() { LoadIssues(); }
    void btnExcel_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LoadIssueOrderCombo();
    void IssueOrderClause(int index);
    void ShowIssueButtons();
    void ShowSelectedIssue();
    void clearSelection();
    void Form_Resize();

    QLabel* txtIssue = nullptr;
    QComboBox* ComboOrder = nullptr;
    QComboBox* ComboIssueGroup = nullptr;
    QCheckBox* chkViewAll = nullptr;
    ui::FlexGrid* FG1 = nullptr;
    controls::ctrlButton* btnEdit = nullptr;
    controls::ctrlButton* btnAdd = nullptr;
    controls::ctrlButton* btnDelete = nullptr;
    controls::ctrlButton* btnRefresh = nullptr;
    controls::ctrlButton* btnExcel = nullptr;

    shell::GridColumns m_columns;
    // The names shown beside the ids, read once per load.
    shell::LookUpNames m_owners, m_statuses, m_severities, m_urgencies, m_schedules;

    QString m_sortField;
    data::RecordsetPtr m_rsIssues;
    data::RecordsetPtr m_rsGroups;
    qint16 m_issueCount = 0;
    QString m_issueReference;
    QVariant m_issueDate; // as stored, time of day included
    QString m_issueText;
    QString m_issueImpact;
    QString m_issueResolution;
};

} // namespace zorbel::risks
