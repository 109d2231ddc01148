// The statement frame: cleaning and cutting of texts, typed values, the
// failure path, and the connection's own messages.

#include "business/Factory.h"
#include "business/Schema.h"
#include "business/Text.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

QString teamSurname(TestDatabase& db) {
    auto rs = db.select(QStringLiteral("SELECT SurName FROM ZORBEL_TEAM_TABLE ORDER BY TeamID DESC"));
    return rs->Fields(0).toString();
}

} // namespace

TEST(TextCut, CutsByCharactersNotUnits) {
    const QString clef = QString::fromUcs4(U"\U0001D11E");
    EXPECT_EQ(cutToCharacters(QStringLiteral("abcdef"), 3), QStringLiteral("abc"));
    EXPECT_EQ(cutToCharacters(QStringLiteral("abc"), 50), QStringLiteral("abc"));
    EXPECT_EQ(cutToCharacters(clef + clef + QStringLiteral("x"), 2), clef + clef);
    EXPECT_EQ(cutToCharacters(QStringLiteral("a") + clef, 2), QStringLiteral("a") + clef);
    EXPECT_EQ(cutToCharacters(QString(), 5), QString());
    // a lone surrogate is one character, never half of a pair with what follows it
    const QChar high(0xD800);
    const QChar low(0xDC00);
    EXPECT_EQ(cutToCharacters(QString(49, u'x') + high + QStringLiteral("yz"), 50), QString(49, u'x') + high);
    EXPECT_EQ(cutToCharacters(QString(high) + high + clef, 2), QString(high) + high);
    EXPECT_EQ(cutToCharacters(QString(low) + QStringLiteral("ab"), 2), QString(low) + u'a');
}

TEST(Frame, ApostrophesAreRemovedAndTextsCut) {
    TestDatabase db;
    struct Case {
        QString given;
        QString stored;
    } cases[] = {
        {QStringLiteral("O'Brien"), QStringLiteral("OBrien")},
        {QStringLiteral("a'''b"), QStringLiteral("ab")},
        {QStringLiteral("'''"), QString()},
        {QString(), QString()},
        {QString(60, u'x'), QString(50, u'x')},
        {QString(50, u'y'), QString(50, u'y')},
        // the cut counts what is left after the apostrophes went
        {QStringLiteral("'") + QString(50, u'z'), QString(50, u'z')},
        // a NUL goes as the apostrophe does, and what follows it is kept
        {QString::fromUtf16(u"Mc\0Neil\0", 8), QStringLiteral("McNeil")},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(db.zorbel().AddTeamMember(1, 7, QStringLiteral("Full"), QStringLiteral("First"), c.given), 1);
        EXPECT_EQ(teamSurname(db), c.stored) << c.given.toStdString();
    }
    // an empty text is stored as an empty value, not as a null
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_TEAM_TABLE"), QStringLiteral("SurName IS NULL")), 0);
    EXPECT_TRUE(db.messages().empty());
}

TEST(Connection, AnEmptyTextIsStoredEmptyAndOnlyATypedNullAsNull) {
    TestDatabase db;
    const QString insert = QStringLiteral("INSERT INTO ZORBEL_ISSUES_GROUPS (Description) VALUES (?)");
    db.exec(insert, {QString()});
    db.exec(insert, {QStringLiteral("")});
    db.exec(insert, {QVariant(QMetaType::fromType<QString>())});
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("Description = ''")), 2);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("Description IS NULL")), 1);
}

TEST(Schema, AFailedCreationLeavesNothingHalfMade) {
    TestDatabase db;
    schema::drop(db.connection());
    // a stray table of the same name makes the creation fail near its end
    db.exec(QStringLiteral("CREATE TABLE ZORBEL_DOCUMENT_TYPES (Stray INTEGER)"));
    EXPECT_THROW(schema::ensure(db.connection()), data::Error);
    EXPECT_FALSE(schema::exists(db.connection())) << "the tables made before the failure were kept";
    db.exec(QStringLiteral("DROP TABLE ZORBEL_DOCUMENT_TYPES"));
    EXPECT_TRUE(schema::ensure(db.connection()));
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_CONFIGURATION")), 1);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_DOCUMENT_TYPES")), 6);
}

TEST(Frame, ValuesDoNotDependOnTheLocale) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // day first, comma decimals
    {
        TestDatabase db;
        const QDateTime when(QDate(2024, 3, 5), QTime(13, 45, 10));
        db.exec(QStringLiteral("INSERT INTO ZORBEL_RISKS (TaskID, RiskLevel, Probability) VALUES (?, ?, ?)"),
                {1, 7.25, 0.5});
        auto rs = db.select(QStringLiteral("SELECT RiskLevel, Probability FROM ZORBEL_RISKS"));
        EXPECT_DOUBLE_EQ(rs->Fields(0).toDouble(), 7.25);
        EXPECT_DOUBLE_EQ(rs->Fields(1).toDouble(), 0.5);
        db.exec(QStringLiteral("INSERT INTO ZORBEL_PROJECTS (Name, StartDate) VALUES (?, ?)"), {QStringLiteral("p"), when});
        rs = db.select(QStringLiteral("SELECT StartDate FROM ZORBEL_PROJECTS"));
        EXPECT_EQ(rs->Fields(0).toDateTime(), when);
    }
    QLocale::setDefault(before);
}

TEST(Frame, AFailedStatementShowsTheMemberTextAndReturnsZero) {
    TestDatabase db;
    db.exec(QStringLiteral("DROP TABLE ZORBEL_TEAM_TABLE"));
    EXPECT_EQ(db.zorbel().AddTeamMember(1, 7, QStringLiteral("F"), QStringLiteral("G"), QStringLiteral("S")), 0);
    EXPECT_EQ(db.zorbel().DeleteTeamMember(3), 0);
    EXPECT_EQ(db.zorbel().GetProjectTeam(7), nullptr);
    ASSERT_EQ(db.messages().size(), 3u);
    EXPECT_TRUE(db.messages()[0].text.startsWith(QStringLiteral("(C)AddTeamMember Method failed: ")));
    EXPECT_GT(db.messages()[0].text.size(), QStringLiteral("(C)AddTeamMember Method failed: ").size());
    EXPECT_EQ(db.messages()[0].flags, 0);
    EXPECT_TRUE(db.messages()[0].title.isEmpty());
    EXPECT_TRUE(db.messages()[1].text.startsWith(QStringLiteral("(C)DeleteTeamMember Method failed: ")));
    EXPECT_TRUE(db.messages()[2].text.startsWith(QStringLiteral("(C)GetProjectTeam Method failed: ")));
}

TEST(Frame, MembersBeforeConnectFailInsideTheFrame) {
    std::vector<test::Message> seen;
    ZorbelClass zorbel([&](const QString& text, int flags, const QString& title) {
        seen.push_back({text, flags, title});
        return 1;
    });
    EXPECT_EQ(zorbel.GetConfiguration(), nullptr);
    EXPECT_EQ(zorbel.DeleteTeamMember(1), 0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].text.startsWith(QStringLiteral("(C)GetConfiguration Method failed: ")));
}

TEST(Connect, MissingDataSourceShowsTheOdbcTextAndRaises) {
    std::vector<test::Message> seen;
    ZorbelClass zorbel([&](const QString& text, int flags, const QString& title) {
        seen.push_back({text, flags, title});
        return 1;
    });
    try {
        zorbel.ConnectDSN(QStringLiteral("Data Source=NoSuchZorbelSource;User ID=;Mode=ReadWrite"));
        FAIL() << "ConnectDSN did not raise";
    } catch (const data::Error& e) {
        EXPECT_EQ(e.number(), ZorbelClass::kConnectFailed);
        EXPECT_EQ(e.number(), -2147220480);
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, QStringLiteral("ODBC has not been set up correctly\r\nSet up the ODBC as in the "
                                           "instructions ZorbelLiteInstallation.pdf"));
    EXPECT_EQ(seen[0].flags, 0);
    EXPECT_TRUE(seen[0].title.isEmpty());
}

TEST(Connect, OtherFailuresShowTheInitialiseText) {
    // A data source that exists but whose database cannot be opened.
    QTemporaryDir dir;
    const QString ini = QString::fromLocal8Bit(qgetenv("ODBCINI"));
    {
        QFile file(ini);
        ASSERT_TRUE(file.open(QIODevice::Append | QIODevice::Text));
        file.write("\n[ZorbelBroken]\nDriver=SQLite3\nDatabase=/nonexistent-dir/sub/zorbel.db\n");
    }
    std::vector<test::Message> seen;
    ZorbelClass zorbel([&](const QString& text, int flags, const QString& title) {
        seen.push_back({text, flags, title});
        return 1;
    });
    EXPECT_THROW(zorbel.ConnectDSN(QStringLiteral("Data Source=ZorbelBroken;User ID=;Mode=ReadWrite")), data::Error);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, QStringLiteral("(C)Class Initialise Method FAILED: database file not found: "
                                           "/nonexistent-dir/sub/zorbel.db"));
}

TEST(Connect, ConfigurationRowAndEmptyTable) {
    TestDatabase db;
    auto rs = db.zorbel().GetConfiguration();
    ASSERT_NE(rs, nullptr);
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields(QStringLiteral("ConfigurationID")).toInt(), 1);
    EXPECT_EQ(rs->Fields(QStringLiteral("OwnerAdmin")).toInt(), 0);
    EXPECT_EQ(rs->Fields(QStringLiteral("ProjectAdmin")).toInt(), 0);
    EXPECT_EQ(rs->Fields(QStringLiteral("DateFormat")).toString(), QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(rs->Fields(QStringLiteral("ExcelDateFormat")).toString(), QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(rs->FieldCount(), 7);

    db.exec(QStringLiteral("DELETE FROM ZORBEL_CONFIGURATION"));
    rs = db.zorbel().GetConfiguration();
    ASSERT_NE(rs, nullptr) << "an empty table gives an empty recordset, not nothing";
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_TRUE(rs->Eof());
    EXPECT_TRUE(db.messages().empty());
}

TEST(Factory, CreatesByProgIdOnly) {
    EXPECT_NE(CreateObject(QStringLiteral("Zorbel5.ZorbelClass")), nullptr);
    try {
        CreateObject(QStringLiteral("Zorbel5.Nothing"));
        FAIL();
    } catch (const data::Error& e) {
        EXPECT_EQ(e.number(), kCannotCreateObject);
    }
}
