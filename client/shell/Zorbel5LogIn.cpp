#include "client/shell/Zorbel5LogIn.h"

#include "business/Factory.h"
#include "client/shell/AppState.h"
#include "client/shell/NavCodes.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/data/Error.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DateText.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramEnd.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>

#include <cmath>
#include <limits>

namespace zorbel::shell {
namespace {

using controls::placeTwips;

// The classic conversions the log-in reads its values with: a database null
// or a text that is no number cannot be converted, and a number out of range
// overflows; fractions round half to even.
constexpr qint32 kInvalidUseOfNull = 94;
constexpr qint32 kTypeMismatch = 13;
constexpr qint32 kOverflow = 6;

template <typename Int>
Int toInteger(const QVariant& value)
{
    if (value.isNull())
        throw data::Error(kInvalidUseOfNull, QStringLiteral("Invalid use of Null"));
    bool ok = false;
    const double number = value.typeId() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok)
                                                                : value.toDouble(&ok);
    if (!ok)
        throw data::Error(kTypeMismatch, QStringLiteral("Type mismatch"));
    const double rounded = std::nearbyint(number);
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max())
        throw data::Error(kOverflow, QStringLiteral("Overflow"));
    return static_cast<Int>(rounded);
}

QString toText(const QVariant& value)
{
    if (value.isNull())
        throw data::Error(kInvalidUseOfNull, QStringLiteral("Invalid use of Null"));
    return value.toString();
}

// The password box masks with "*" whatever the desktop style would draw.
class AsteriskPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

void logInFailed()
{
    ui::MsgBox(QStringLiteral("Log In Failed - contact your administrator"), ui::vbOKOnly | ui::vbExclamation,
               QStringLiteral("Log In Failure"));
}

} // namespace

Zorbel5LogIn::Zorbel5LogIn(const QString& dataSource, QWidget* parent)
    : QWidget(parent), m_dataSource(dataSource)
{
    setWindowTitle(QStringLiteral("Zorbel Zude Log In"));
    controls::fixSizeTwips(this, 4455, 2040);

    Label1 = new QLabel(QStringLiteral("User Name"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    placeTwips(Label1, 240, 270, 1335, 255);

    txtUserName = new QLineEdit(this);
    txtUserName->setObjectName(QStringLiteral("txtUserName"));
    placeTwips(txtUserName, 1680, 240, 2535, 315);

    Label2 = new QLabel(QStringLiteral("Password"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    placeTwips(Label2, 240, 750, 1335, 255);

    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    // Owned by the window and made after the box, so the box goes first.
    auto* passwordStyle = new AsteriskPasswordStyle;
    passwordStyle->setParent(this);
    txtPassword->setStyle(passwordStyle);
    placeTwips(txtPassword, 1680, 720, 2535, 315);

    btnLogIn = new controls::ctrlButton(QStringLiteral("Log In"), this);
    btnLogIn->setObjectName(QStringLiteral("btnLogIn"));
    controls::moveTwips(btnLogIn, 240, 1440);
    connect(btnLogIn, &controls::ctrlButton::Click, this, &Zorbel5LogIn::btnLogIn_Click);

    btnDateFormat = new controls::ctrlButton(QStringLiteral("Date Format"), this);
    btnDateFormat->setObjectName(QStringLiteral("btnDateFormat"));
    controls::moveTwips(btnDateFormat, 2820, 1440);
    connect(btnDateFormat, &controls::ctrlButton::Click, this, &Zorbel5LogIn::btnDateFormat_Click);

    Form_Load();
}

void Zorbel5LogIn::Form_Load()
{
    auto& app = state();
    try {
        app.g_zorbel = CreateObject(QLatin1String(ZorbelClass::ProgID));
        app.g_zorbel->setMessageSink(
            [](const QString& text, int flags, const QString& title) { return ui::MsgBox(text, flags, title); });
        app.g_zorbel->ConnectDSN(QStringLiteral("Data Source=") + m_dataSource
                                 + QStringLiteral(";User ID=;Mode=ReadWrite"));
        app.g_rsScratch = app.g_zorbel->GetConfiguration();
        txtPassword->setText(QString());
        txtUserName->setText(QString());

        if (!app.g_rsScratch) {
            ui::MsgBox(QStringLiteral("Failed to get Configuration"), ui::vbOKOnly | ui::vbCritical);
            ui::endProgram();
            return;
        }
        const auto& config = *app.g_rsScratch;
        if (!config.BOF() && !config.Eof()) {
            app.g_cfgOwnerAdmin = toInteger<qint16>(config.Fields(QStringLiteral("OwnerAdmin")));
            app.g_dateFormat = toText(config.Fields(QStringLiteral("DateFormat")));
            app.g_excelDateFormat = toText(config.Fields(QStringLiteral("ExcelDateFormat")));
            app.g_cfgProjectAdmin = toInteger<qint16>(config.Fields(QStringLiteral("ProjectAdmin")));
        }
        m_startedUp = true;
    } catch (const data::Error& e) {
        ui::MsgBox(QStringLiteral("Initialisation error - check ODBC setup : ") + e.description(),
                   ui::vbOKOnly | ui::vbCritical, QStringLiteral("Initialise Error"));
        ui::endProgram();
    }
}

void Zorbel5LogIn::btnLogIn_Click()
{
    auto& app = state();
    if (!app.g_zorbel)
        return;
    app.g_rsScratch = app.g_zorbel->UserLogOn(txtUserName->text(), txtPassword->text());
    if (!app.g_rsScratch || !app.g_rsScratch->hasCurrent()) {
        logInFailed();
        return;
    }

    // All three are read before any is stored: an account row with an empty
    // field must not leave a half-logged-in user behind.
    qint16 administrator = 0;
    qint32 multiUserId = 0;
    qint32 userId = 0;
    try {
        const auto& account = *app.g_rsScratch;
        administrator = toInteger<qint16>(account.Fields(QStringLiteral("Administrator")));
        multiUserId = toInteger<qint32>(account.Fields(QStringLiteral("MultiUserID")));
        userId = toInteger<qint32>(account.Fields(QStringLiteral("UserID")));
    } catch (const data::Error&) {
        logInFailed();
        return;
    }
    app.g_userAdministrator = administrator;
    app.g_currentMultiUserID = multiUserId;
    app.g_currentUserID = userId;
    app.g_navTool = nav::AfterLogIn;
    m_loggedIn = true;
    ui::showWindow(QStringLiteral("frmNavigate"));
}

void Zorbel5LogIn::btnDateFormat_Click()
{
    // No window of its own: the formats come from the configuration row, so
    // the button shows them as they will appear.
    const auto& app = state();
    const QDateTime now = ui::now();
    ui::MsgBox(QStringLiteral("Dates are shown as ") + ui::FormatDate(now, app.g_dateFormat)
                   + QStringLiteral("\r\nDates in workbooks are written as ")
                   + ui::FormatDate(now, app.g_excelDateFormat),
               ui::vbOKOnly | ui::vbInformation, QStringLiteral("Date Format"));
}

void Zorbel5LogIn::closeEvent(QCloseEvent* event)
{
    event->accept();
    // Ending the program closes every window, this one included: once is enough.
    if (m_loggedIn || m_closing)
        return; // after a log-in the navigation window has taken over and keeps the business object
    m_closing = true;
    auto& app = state();
    app.g_rsScratch.reset();
    app.g_zorbel.reset();
    ui::endProgram();
}

} // namespace zorbel::shell

using zorbel::shell::Zorbel5LogIn;
ZORBEL_REGISTER_WINDOW(Zorbel5LogIn)
