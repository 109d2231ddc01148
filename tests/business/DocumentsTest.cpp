// The document register: links are stored exactly as given or not at all.

#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

const QDateTime kDay(QDate(2024, 2, 29), QTime(9, 15));

qint32 addDocument(TestDatabase& db, const QString& folder, const QString& name, qint32 project = 5,
                   const QString& revision = QStringLiteral("1.0")) {
    return db.zorbel().AddDocument(2, 70000, name, folder, revision, kDay, project, folder + u'/' + name);
}

} // namespace

TEST(Documents, ListedByNameWithTheLinkAsGiven) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    const QString folder = QStringLiteral("/srv/share/") + QString(139, u'f'); // 150 characters
    ASSERT_EQ(folder.size(), 150);
    EXPECT_EQ(addDocument(db, folder, QStringLiteral("plan.odt")), 1);
    EXPECT_EQ(addDocument(db, QStringLiteral("/srv"), QStringLiteral("brief.txt"), 5, QString(60, u'r')), 1);
    EXPECT_EQ(addDocument(db, QStringLiteral("/srv"), QStringLiteral("other.txt"), 6), 1);

    auto docs = z.GetDocuments(5);
    ASSERT_EQ(docs->RecordCount(), 2);
    EXPECT_EQ(docs->FieldCount(), 9);
    EXPECT_EQ(docs->Fields(QStringLiteral("Name")).toString(), QStringLiteral("brief.txt"));
    EXPECT_EQ(docs->Fields(QStringLiteral("RevisionNo")).toString(), QString(50, u'r'));
    EXPECT_EQ(docs->Fields(QStringLiteral("Owner")).toInt(), 70000);
    EXPECT_EQ(docs->Fields(QStringLiteral("DocDate")).toDateTime(), kDay);
    docs->MoveNext();
    EXPECT_EQ(docs->Fields(QStringLiteral("Location")).toString(), folder);
    EXPECT_EQ(docs->Fields(QStringLiteral("OLELink")).toString(), folder + QStringLiteral("/plan.odt"));
    const qint32 plan = docs->Fields(0).toInt();

    // A name is as long as it is stored: its apostrophe is cleaned away, not its link's.
    const QString owners = QString(99, u'n') + QStringLiteral("'s");
    EXPECT_EQ(addDocument(db, QStringLiteral("/srv"), owners, 7), 1);
    docs = z.GetDocuments(7);
    EXPECT_EQ(docs->Fields(QStringLiteral("Name")).toString(), QString(99, u'n') + u's');
    EXPECT_EQ(docs->Fields(QStringLiteral("OLELink")).toString(), QStringLiteral("/srv/") + owners);

    EXPECT_EQ(z.GetDocuments(99)->RecordCount(), 0);
    EXPECT_EQ(z.DeleteDocument(plan), 1);
    EXPECT_EQ(z.DeleteDocument(plan), 1);
    EXPECT_EQ(z.GetDocuments(5)->RecordCount(), 1);
    EXPECT_TRUE(db.messages().empty());

    auto types = z.GetDocumentTypes();
    ASSERT_EQ(types->RecordCount(), 6);
    EXPECT_EQ(types->Fields(0).toInt(), 1);
}

TEST(Documents, LinksThatWouldNoLongerOpenTheirFileAreRefused) {
    TestDatabase db;
    const struct {
        QString folder;
        QString name;
    } refused[] = {
        {QStringLiteral("/a/") + QString(148, u'f'), QStringLiteral("x.txt")}, // folder of 151
        {QStringLiteral("/a"), QString(101, u'n')},                           // name of 101
        {QString(150, u'f'), QString(100, u'n')},                             // link of 256, see below
        {QStringLiteral("/a"), QStringLiteral("x") + QChar(u'\0') + QStringLiteral("y.txt")}, // stored alike nowhere
    };
    for (const auto& r : refused) {
        // the third case only fails once the link passes 255
        const QString link = r.folder + u'/' + r.name + (r.folder.size() == 150 ? QString(5, u'x') : QString());
        db.messages().clear();
        EXPECT_EQ(db.zorbel().AddDocument(1, 1, r.name, r.folder, {}, kDay, 5, link), 0) << link.toStdString();
        ASSERT_EQ(db.messages().size(), 1u);
        EXPECT_TRUE(db.messages()[0].text.startsWith(QStringLiteral("(C)AddDocument Method failed: ")));
        EXPECT_GT(db.messages()[0].text.size(), QStringLiteral("(C)AddDocument Method failed: ").size());
    }
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_DOCUMENTS")), 0);
}
