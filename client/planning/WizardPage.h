#pragma once
// The pages of the new-project wizard. The wizard creates a project on its
// second page and then gives it milestones and deliverables; each page is a
// modeless window that the page before it shows, and there is no way back.
//
// The project moves from page to page as a WizardProject: the milestones page
// takes it from the application state when it loads (the project page has
// just written it there) and hands it on by value, so that a later run of the
// wizard, or a failed one, cannot swap the project under a page still open.
//
// A record page (milestones, deliverables) derives from WizardRecordPage and
// gives its grid table, its detail fields, its listing and its add and delete
// calls. The page keeps its own mode and its own selection: Delete acts only
// on a record that the page itself listed for its project, and the current
// milestone and deliverable of the editors are left alone. Unlike the record
// editors the pages have no Edit, no rights, owner or project-date rules.
//
// The detail fields are for entering a new record only. OK and Cancel empty
// them and list the records again with the one just added selected (after a
// delete the one that took its place; otherwise the one selected before), so
// the name under the grid is the only record text on screen.
//
// The introduction pages are a text box and their buttons, made with
// placeIntroText and placeButton.

#include "client/shell/GridFiller.h"
#include "client/shell/HeaderBlock.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

class QLabel;
class QPlainTextEdit;

namespace zorbel::controls {
class ctrlButton;
}
namespace zorbel::ui {
class FlexGrid;
}

namespace zorbel::planning {

// The project the wizard created: id 0 for none.
struct WizardProject {
    qint32 id = 0;
    QString name;
    QDateTime start;
    QDateTime end;
};
// The project the project page has just left in the application state.
WizardProject newProjectOfState();

// A multi-line text box holding the lines, each ended by a line break.
QPlainTextEdit* placeIntroText(QWidget* page, const QStringList& lines, bool locked, int left, int top, int width,
                               int height);
// A picture button named and placed in twips, with its tip ("" for none).
controls::ctrlButton* placeButton(QWidget* page, const char* name, const QString& caption, int left, int top,
                                  const QString& tip = QString());
// A field label in bold.
void makeBold(QLabel* label);
QLabel* placeBoldLabel(QWidget* page, const QString& text, int left, int top, int width, const char* name);

class WizardRecordPage : public QWidget {
    Q_OBJECT
public:
    // The page's own edit mode (shell::EditMode).
    int mode() const { return m_mode; }
    const WizardProject& project() const { return m_project; }
    // The record picked in the grid; 0 while the page lists none.
    qint32 selectedID() const { return m_selectedID; }
    // Takes the project to work on and shows it in the header.
    void showProject(const WizardProject& project);

    void btnAdd_Click();
    void btnDelete_Click();
    void btnCancel_Click();
    void btnOK_Click();
    void FG1_Click();
    virtual void btnNext_Click() = 0;

    // What tells one page from the other besides its fields.
    struct PageSpec {
        shell::GridColumns columns;
        int nameField = 0; // the field that names the picked record
    };

protected:
    explicit WizardRecordPage(PageSpec spec);

    // --- building the page ----------------------------------------------
    // The line under the header and the grid below it, in twips.
    void makeGrid(int lineTop, int left, int top, int width, int height);
    // Add, Delete, OK and Cancel in a row from (left, top); Next at nextLeft.
    void makeButtons(int left, int top, int nextLeft);
    // The caption and label that name the picked record; a listing with records shows them.
    void setSelectedName(QLabel* caption, QLabel* name);
    // The fields and labels that Add shows; once shown they stay.
    void setDetailFields(std::vector<QWidget*> fields);

    // --- the mode and the listing ---------------------------------------
    void storeMode(int mode);
    // Lists the project's records and picks the one with id `select`; when
    // none has it, the row standing at `rowBefore` (or the last, or the first).
    void LoadList(qint32 select = 0, int rowBefore = 1);

    // --- what each page gives -------------------------------------------
    virtual data::RecordsetPtr listRecords(qint32 projectID) = 0;
    // Add empties these fields.
    virtual void clearForAdd() = 0;
    // A listing without records empties these.
    virtual void clearWhenEmpty() = 0;
    // Adds a record from the detail fields: the id the business layer gave
    // it (0 when it failed), or nothing (after a message) when the input
    // cannot be read, which leaves the page adding.
    virtual std::optional<qint32> addRecord() = 0;
    virtual void deleteRecord(qint32 id) = 0;

    shell::HeaderBlock m_header;
    ui::FlexGrid* FG1 = nullptr;
    controls::ctrlButton* btnAdd = nullptr;
    controls::ctrlButton* btnDelete = nullptr;
    controls::ctrlButton* btnOK = nullptr;
    controls::ctrlButton* btnCancel = nullptr;
    controls::ctrlButton* btnNext = nullptr;

private:
    void showModeButtons(bool browse);
    // Back to browsing: the entry fields emptied, the records listed anew.
    void backToList(qint32 select, int rowBefore);

    PageSpec m_spec;
    WizardProject m_project;
    std::vector<QWidget*> m_detailFields;
    data::RecordsetPtr m_list; // what the grid shows, read when a row is picked
    QLabel* m_selectedCaption = nullptr;
    QLabel* m_selectedName = nullptr;
    qint32 m_selectedID = 0;
    int m_mode = 0;
};

} // namespace zorbel::planning
