#pragma once
// "Risks": the risk register of the current project or of the current task,
// by the navigation item it was opened from. Each risk shows with its score
// coloured from green to red, in the order the user chooses; Add and Edit open
// the risk dialog, and the list is read again whenever the dialog closes or a
// risk is deleted, so the rows on screen are always the stored ones. A current
// task that is not one of the current project's lists nothing and changes
// nothing.

#include "client/shell/GridFiller.h"
#include "platform/data/Recordset.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class QComboBox;
class QPlainTextEdit;

namespace zorbel::controls {
class ctrlButton;
}
namespace zorbel::ui {
class FlexGrid;
}

namespace zorbel::risks {

class frmAddRisk;
struct RiskValues;

class frmRisks : public QWidget {
    Q_OBJECT
public:
    frmRisks();

    void Form_Load();
    void Form_Resize();
    void ComboSort_Click();
    void LoadRisks();
    void FG1_RowColChange();
    void btnAdd_Click();
    void btnEdit_Click();
    void btnDelete_Click();
    void btnRefresh_Click() { LoadRisks(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Whether the register's level has a record of the current project to work under.
    bool parentHolds() const;
    shell::GridColumns columns() const;
    // A name looked up by an id in one of the lists read at opening; empty
    // for an empty id, "-1" for an id the list does not hold.
    static QString nameOf(const data::RecordsetPtr& list, const QVariant& id, const QString& field);
    // Loads the risk dialog afresh with the values, runs its load step, lets
    // `prepare` set it up and shows it modally; the list is read again after.
    void runDialog(const RiskValues& values, const std::function<void(frmAddRisk&)>& prepare);

    ui::FlexGrid* FG1 = nullptr;
    QPlainTextEdit* txtRisk = nullptr;
    QComboBox* ComboSort = nullptr;
    controls::ctrlButton* btnEdit = nullptr;
    controls::ctrlButton* btnAdd = nullptr;
    controls::ctrlButton* btnDelete = nullptr;
    controls::ctrlButton* btnRefresh = nullptr;

    data::RecordsetPtr m_risks;
    qint32 m_riskCount = 0;
    QString m_sortText;
    data::RecordsetPtr m_team;
    data::RecordsetPtr m_types;
    shell::GridColumns m_columns;
    std::optional<shell::ListRow> m_selected;
    bool m_loading = false;
};

} // namespace zorbel::risks
