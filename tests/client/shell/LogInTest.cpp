// Start-up and log-in: the log-in window's load connects and reads the
// configuration, its Log In button fills the logged-in user's state.

#include "client/shell/Zorbel5LogIn.h"
#include "controls/ctrlButton.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ProgramEnd.h"
#include "platform/ui/Windows.h"
#include "tests/client/ClientTest.h"
#include "tests/support/TestDatabase.h"

#include <QLineEdit>
#include <QTest>

namespace zorbel::test {
namespace {

using shell::Zorbel5LogIn;

const QString kLogIn = QStringLiteral("Zorbel5LogIn");
const QString kLogInFailed = QStringLiteral("Log In Failed - contact your administrator");

class LogInTest : public ClientTest {
protected:
    void TearDown() override {
        ClientTest::TearDown();
        // Back to the program's own registration.
        ui::registerWindow(kLogIn, [] { return std::make_unique<Zorbel5LogIn>(); });
    }

    // Loads the start-up window against a data source, as the program does.
    Zorbel5LogIn* start(const QString& dataSource = testDataSource()) {
        ui::registerWindow(kLogIn, [dataSource] { return std::make_unique<Zorbel5LogIn>(dataSource); });
        window = qobject_cast<Zorbel5LogIn*>(ui::loadWindow(kLogIn));
        if (window)
            window->show();
        return window;
    }

    QLineEdit* box(const char* name) { return window->findChild<QLineEdit*>(QLatin1String(name)); }

    void logIn(const QString& user, const QString& password) {
        box("txtUserName")->setText(user);
        box("txtPassword")->setText(password);
        QTest::mouseClick(window->findChild<controls::ctrlButton*>(QStringLiteral("btnLogIn")), Qt::LeftButton);
    }

    void clearConfiguredState() {
        app().g_dateFormat.clear();
        app().g_excelDateFormat.clear();
    }

    qint32 addAccount(const QString& user, const QString& password, qint32 contact, qint16 administrator) {
        zorbel().AddUser(contact, user, password, user + QStringLiteral(" Full"), administrator);
        auto rs = db().query({QStringLiteral("SELECT MultiUserID FROM ZORBEL_MULTI_USER_TABLE WHERE UserName = ?"),
                              {user}});
        return rs->Fields(0).toInt();
    }

    ui::ProgramEndRecorder ends;
    Zorbel5LogIn* window = nullptr;
};

TEST_F(LogInTest, StartUpReadsTheConfigurationAndClearsTheBoxes) {
    db().execute({QStringLiteral("UPDATE ZORBEL_CONFIGURATION SET OwnerAdmin = 1, DateFormat = 'mm/dd/yyyy', "
                                 "ExcelDateFormat = 'yyyy-mm-dd', ProjectAdmin = 1"),
                  {}});
    ASSERT_NE(start(), nullptr);
    EXPECT_TRUE(window->startedUp());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zorbel Zude Log In"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(ends.requested());
    EXPECT_EQ(app().g_cfgOwnerAdmin, 1);
    EXPECT_EQ(app().g_dateFormat, QStringLiteral("mm/dd/yyyy"));
    EXPECT_EQ(app().g_excelDateFormat, QStringLiteral("yyyy-mm-dd"));
    EXPECT_EQ(app().g_cfgProjectAdmin, 1);
    EXPECT_TRUE(box("txtUserName")->text().isEmpty());
    EXPECT_TRUE(box("txtPassword")->text().isEmpty());
    EXPECT_EQ(box("txtPassword")->echoMode(), QLineEdit::Password);
    box("txtPassword")->setText(QStringLiteral("pw1"));
    EXPECT_EQ(box("txtPassword")->displayText(), QStringLiteral("***"));
    ASSERT_TRUE(app().g_zorbel);
    EXPECT_NE(app().g_zorbel->connection(), nullptr);
}

TEST_F(LogInTest, MissingDataSourceShowsBothMessagesAndEnds) {
    start(QStringLiteral("ZorbelNoSuchSource"));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_TRUE(boxes.boxes()[0].prompt.startsWith(QStringLiteral("ODBC has not been set up correctly")));
    const auto& last = boxes.last();
    EXPECT_EQ(last.prompt, QStringLiteral("Initialisation error - check ODBC setup : "));
    EXPECT_EQ(last.icon(), ui::vbCritical);
    EXPECT_EQ(last.buttons(), ui::vbOKOnly);
    EXPECT_EQ(last.title, QStringLiteral("Initialise Error"));
    EXPECT_EQ(ends.count(), 1);
    EXPECT_FALSE(window->startedUp());
}

TEST_F(LogInTest, EmptyConfigurationTableLetsStartUpGoOn) {
    db().execute({QStringLiteral("DELETE FROM ZORBEL_CONFIGURATION"), {}});
    clearConfiguredState();
    start();
    EXPECT_TRUE(window->startedUp());
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(ends.requested());
    EXPECT_EQ(app().g_cfgOwnerAdmin, 0);
    EXPECT_EQ(app().g_cfgProjectAdmin, 0);
    EXPECT_TRUE(app().g_dateFormat.isEmpty());
    EXPECT_TRUE(app().g_excelDateFormat.isEmpty());
}

TEST_F(LogInTest, FailedConfigurationQueryEndsAfterTheBusinessMessage) {
    db().execute({QStringLiteral("DROP TABLE ZORBEL_CONFIGURATION"), {}});
    start();
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_NE(boxes.boxes()[0].prompt, QStringLiteral("Failed to get Configuration"));
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Failed to get Configuration"));
    EXPECT_EQ(boxes.last().icon(), ui::vbCritical);
    EXPECT_TRUE(boxes.last().title.isEmpty());
    EXPECT_EQ(ends.count(), 1);
    EXPECT_FALSE(window->startedUp());
}

TEST_F(LogInTest, EmptyConfigurationValueIsAnInitialisationError) {
    db().execute({QStringLiteral("UPDATE ZORBEL_CONFIGURATION SET ProjectAdmin = NULL"), {}});
    start();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Initialisation error - check ODBC setup : Invalid use of Null"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("Initialise Error"));
    EXPECT_EQ(ends.count(), 1);
}

TEST_F(LogInTest, SuccessfulLogInOpensNavigationAndKeepsTheProgramRunning) {
    start();
    const qint32 account = addAccount(QStringLiteral("alice"), QStringLiteral("s3cret"), 7, 1);
    logIn(QStringLiteral("alice"), QStringLiteral("s3cret"));

    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(app().g_currentMultiUserID, account);
    EXPECT_EQ(app().g_currentUserID, 7);
    EXPECT_EQ(app().g_userAdministrator, 1);
    EXPECT_EQ(app().g_navTool, -1);
    EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmNavigate")));
    EXPECT_FALSE(ui::isLoaded(kLogIn)); // the navigation window closed it
    // Closing the log-in window after a log-in neither ends the program nor
    // takes the business object away from the navigation window.
    EXPECT_FALSE(ends.requested());
    ASSERT_TRUE(app().g_zorbel);
    EXPECT_NE(app().g_zorbel->connection(), nullptr);
    // No editor is open yet.
    EXPECT_EQ(ui::loadedWindows(), QStringList{QStringLiteral("frmNavigate")});
}

TEST_F(LogInTest, FailuresKeepTheWindowAndTheTypedTextWithoutLockOut) {
    start();
    addAccount(QStringLiteral("bob"), QStringLiteral("right"), 3, 0);
    for (int attempt = 0; attempt < 3; ++attempt)
        logIn(QStringLiteral("bob"), QStringLiteral("wrong"));
    logIn(QStringLiteral("nobody"), QStringLiteral("right"));

    ASSERT_EQ(boxes.count(), 4);
    for (const auto& shown : boxes.boxes()) {
        EXPECT_EQ(shown.prompt, kLogInFailed);
        EXPECT_EQ(shown.icon(), ui::vbExclamation);
        EXPECT_EQ(shown.title, QStringLiteral("Log In Failure"));
    }
    EXPECT_TRUE(ui::isLoaded(kLogIn));
    EXPECT_EQ(box("txtUserName")->text(), QStringLiteral("nobody"));
    EXPECT_EQ(box("txtPassword")->text(), QStringLiteral("right"));
    EXPECT_EQ(app().g_navTool, 0);
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmNavigate")));

    // No lock-out: the right password still works afterwards.
    boxes.clear();
    logIn(QStringLiteral("bob"), QStringLiteral("right"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(app().g_currentUserID, 3);
}

TEST_F(LogInTest, FailedLogOnQueryIsALogInFailure) {
    start();
    addAccount(QStringLiteral("dave"), QStringLiteral("pw"), 4, 1);
    db().execute({QStringLiteral("DROP TABLE ZORBEL_MULTI_USER_TABLE"), {}});
    logIn(QStringLiteral("dave"), QStringLiteral("pw"));

    ASSERT_EQ(boxes.count(), 2); // the business layer's own message first
    EXPECT_EQ(boxes.last().prompt, kLogInFailed);
    EXPECT_EQ(app().g_currentUserID, 0);
    EXPECT_EQ(app().g_navTool, 0);
    EXPECT_TRUE(ui::isLoaded(kLogIn));
    EXPECT_FALSE(ends.requested());
}

TEST_F(LogInTest, AccountWithAnEmptyFieldIsRefusedAndStoresNothing) {
    // MultiUserID is the table's key and cannot be emptied.
    for (const char* column : {"Administrator", "UserID"}) {
        SCOPED_TRACE(column);
        shell::resetState();
        boxes.clear();
        start();
        db().execute({QStringLiteral("DELETE FROM ZORBEL_MULTI_USER_TABLE"), {}});
        addAccount(QStringLiteral("carol"), QStringLiteral("pw"), 5, 1);
        db().execute({QStringLiteral("UPDATE ZORBEL_MULTI_USER_TABLE SET %1 = NULL").arg(QLatin1String(column)), {}});
        logIn(QStringLiteral("carol"), QStringLiteral("pw"));

        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().prompt, kLogInFailed);
        EXPECT_EQ(app().g_currentUserID, 0);
        EXPECT_EQ(app().g_currentMultiUserID, 0);
        EXPECT_EQ(app().g_userAdministrator, 0);
        EXPECT_EQ(app().g_navTool, 0);
        EXPECT_TRUE(ui::isLoaded(kLogIn));
        EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmNavigate")));
        ui::closeWindow(kLogIn);
    }
}

TEST_F(LogInTest, ClosingBeforeLogInEndsTheProgramAndReleasesTheBusinessObject) {
    start();
    window->close();
    EXPECT_EQ(ends.count(), 1);
    EXPECT_FALSE(ui::isLoaded(kLogIn));
    EXPECT_FALSE(app().g_zorbel);
    EXPECT_FALSE(app().g_rsScratch);
}

TEST_F(LogInTest, DateFormatButtonShowsTheConfiguredPatterns) {
    db().execute({QStringLiteral("UPDATE ZORBEL_CONFIGURATION SET DateFormat = 'dd/mm/yyyy', "
                                 "ExcelDateFormat = 'yyyy-mm-dd'"),
                  {}});
    start();
    ui::ClockOverride clock(QDateTime(QDate(2024, 3, 7), QTime(9, 30)));
    QTest::mouseClick(window->findChild<controls::ctrlButton*>(QStringLiteral("btnDateFormat")), Qt::LeftButton);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().prompt.contains(QStringLiteral("07/03/2024")));
    EXPECT_TRUE(boxes.last().prompt.contains(QStringLiteral("2024-03-07")));
    EXPECT_TRUE(ui::isLoaded(kLogIn));
}

} // namespace
} // namespace zorbel::test
