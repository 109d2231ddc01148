// Contacts: widths, order, and the two failure texts that differ from the member names.

#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

TEST(Contacts, StoredCleanedAndCutExceptTheCompany) {
    TestDatabase db;
    const QString sixty(60, u'f');
    const QString company = QStringLiteral("Big'Co ") + QString(300, u'c');
    ASSERT_EQ(db.zorbel().AddContact(sixty, QStringLiteral("O'Neil"), sixty, sixty, company, sixty, sixty), 1);
    auto rs = db.zorbel().GetContacts();
    ASSERT_EQ(rs->RecordCount(), 1);
    const QStringList columns = {"userid", "surname", "firstname", "title", "email", "company", "telephone", "mobile"};
    for (int i = 0; i < columns.size(); ++i)
        EXPECT_EQ(rs->FieldName(i).toLower(), columns[i]);
    EXPECT_EQ(rs->Fields(QStringLiteral("SurName")).toString(), QStringLiteral("ONeil"));
    for (const char* cut : {"FirstName", "Title", "email", "Telephone", "Mobile"})
        EXPECT_EQ(rs->Fields(QString::fromLatin1(cut)).toString(), QString(50, u'f')) << cut;
    EXPECT_EQ(rs->Fields(QStringLiteral("Company")).toString(), QStringLiteral("BigCo ") + QString(300, u'c'));
}

TEST(Contacts, ListByNameReadOneUpdateDelete) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    for (const char* surname : {"Young", "Able", "Able"})
        ASSERT_EQ(z.AddContact(QStringLiteral("F"), QString::fromLatin1(surname), {}, {}, {}, {}, {}), 1);
    auto all = z.GetContacts(0, 999);
    ASSERT_EQ(all->RecordCount(), 3);
    EXPECT_EQ(all->Fields(1).toString(), QStringLiteral("Able"));
    const qint32 firstAble = all->Fields(0).toInt();
    all->MoveNext();
    EXPECT_GT(all->Fields(0).toInt(), firstAble) << "equal names keep the key order";
    all->MoveLast();
    const qint32 young = all->Fields(0).toInt();

    EXPECT_EQ(z.UpdateContact(young, QStringLiteral("Yan"), QStringLiteral("Younger"), QStringLiteral("Dr"),
                              QStringLiteral("y@x"), QStringLiteral("Co"), QStringLiteral("1"), QStringLiteral("2")),
              1);
    auto one = z.GetContacts(1, young);
    ASSERT_EQ(one->RecordCount(), 1);
    EXPECT_EQ(one->Fields(QStringLiteral("SurName")).toString(), QStringLiteral("Younger"));
    EXPECT_EQ(one->Fields(QStringLiteral("Mobile")).toString(), QStringLiteral("2"));
    EXPECT_EQ(z.UpdateContact(young + 100, {}, {}, {}, {}, {}, {}, {}), 0) << "no such contact";

    EXPECT_EQ(z.DeleteContact(young), 1);
    EXPECT_EQ(z.DeleteContact(young), 1);
    EXPECT_EQ(z.GetContacts(1, young)->RecordCount(), 0);
    EXPECT_TRUE(db.messages().empty());
}

TEST(Contacts, FailuresUseTheirOwnTexts) {
    TestDatabase db;
    db.exec(QStringLiteral("DROP TABLE ZORBEL_USER_TABLE"));
    ZorbelClass& z = db.zorbel();
    EXPECT_EQ(z.AddContact({}, {}, {}, {}, {}, {}, {}), 0);
    EXPECT_EQ(z.UpdateContact(1, {}, {}, {}, {}, {}, {}, {}), 0);
    EXPECT_EQ(z.GetContacts(), nullptr);
    EXPECT_EQ(z.DeleteContact(1), 0);
    const char* prefixes[] = {"(C)Add Contact Method failed: ", "(C)Update Contact Method failed: ",
                              "(C)GetContacts Method failed: ", "(C)DeleteContact Method failed: "};
    ASSERT_EQ(db.messages().size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(db.messages()[i].text.startsWith(QString::fromLatin1(prefixes[i]))) << db.messages()[i].text.toStdString();
        EXPECT_EQ(db.messages()[i].flags, 0);
    }
}
