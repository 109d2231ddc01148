#pragma once
// "Next Step": closes the new-project wizard by leading on to the contacts
// or the project teams window, since a new project still needs a team.

#include <QWidget>

class QPlainTextEdit;

namespace zorbel::controls {
class ctrlButton;
}

namespace zorbel::shell {

class frmNextStep : public QWidget {
    Q_OBJECT
public:
    explicit frmNextStep(QWidget* parent = nullptr);

    // The dialog's message, one line per line.
    static QString message();

    void btnContacts_Click();
    void btnTeams_Click();

private:
    // Shows the window and closes this one, when the user may open it.
    void leadOnTo(const QString& window);

    QPlainTextEdit* Text1;
    controls::ctrlButton* btnContacts;
    controls::ctrlButton* btnTeams;
};

} // namespace zorbel::shell
