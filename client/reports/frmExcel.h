#pragma once
// "Create MS Excel Report": pick a project of the Implement phase, the
// optional sheets and the timeline's window of days, and press Create for
// the project report workbook. Every pick makes the project current for the
// whole program, with its dates, owner and the user's rights for it.

#include "platform/data/Recordset.h"

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QCheckBox;
class QLabel;
class QLineEdit;

namespace zorbel::controls {
class ctrlButton;
}
namespace zorbel::ui {
class FlexGrid;
}

namespace zorbel::reports {

class frmExcel : public QWidget {
    Q_OBJECT
public:
    explicit frmExcel(QWidget* parent = nullptr);

    void Form_Load();
    void FGProjects_Click();
    void chkTimeline_Click();
    void MonthViewStart_DateClick();
    void MonthViewEnd_DateClick();
    void CreateWorkbook();

private:
    void showWindowLength();
    // Refuses a window that ends before it starts, in words that fit where its dates came from.
    void tellBackwardsWindow();

    QLabel* Label1;
    QLineEdit* txtProject;
    ui::FlexGrid* FGProjects;
    QCheckBox* chkTeam;
    QCheckBox* chkMilestones;
    QCheckBox* chkRisks;
    QCheckBox* chkDeliverables;
    QCheckBox* chkTimeline;
    QLabel* lblStart;
    QLineEdit* txtStart;
    QLabel* lblDuration;
    QLineEdit* txtWindow;
    QLabel* lblEnd;
    QLineEdit* txtEnd;
    QCalendarWidget* MonthViewStart;
    QCalendarWidget* MonthViewEnd;
    controls::ctrlButton* bntCreate;

    data::RecordsetPtr m_projects;    // the list the grid shows, row r holding record r - 1
    data::RecordsetPtr m_rights;      // the logged-in account's rights rows
    data::RecordsetPtr m_Contacts;    // look-up lists of the report, loaded once per opening
    data::RecordsetPtr m_StatusList;
    qint32 m_projectID = 0;           // the project picked here; 0 before a pick
    QString m_projectName;
    QString m_ProjectWBS;
    // The timeline's window, as dates: the boxes only show them.
    QDate m_windowStart;
    QDate m_windowEnd;
    bool m_windowPicked = false;      // a date of the window came from a calendar, not the project
};

} // namespace zorbel::reports
