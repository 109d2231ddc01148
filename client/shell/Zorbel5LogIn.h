#pragma once
// The start-up window: creates and connects the business object, reads the
// configuration into the application state, and logs a user in.

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace zorbel::controls {
class ctrlButton;
}

namespace zorbel::shell {

class Zorbel5LogIn : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* DefaultDataSource = "Zorbel5";

    // Loading the window starts the program up against the named ODBC data
    // source; a failure there has already asked for the program to end.
    explicit Zorbel5LogIn(const QString& dataSource = QLatin1String(DefaultDataSource),
                          QWidget* parent = nullptr);

    // False when start-up failed and the program is ending.
    bool startedUp() const { return m_startedUp; }

    void btnLogIn_Click();
    void btnDateFormat_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();

    QString m_dataSource;
    bool m_startedUp = false;
    bool m_loggedIn = false;
    bool m_closing = false;

    QLabel* Label1;
    QLineEdit* txtUserName;
    QLabel* Label2;
    QLineEdit* txtPassword;
    controls::ctrlButton* btnLogIn;
    controls::ctrlButton* btnDateFormat;
};

} // namespace zorbel::shell
