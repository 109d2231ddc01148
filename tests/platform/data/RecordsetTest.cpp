// The client-side recordset: cursor moves, fields by name or position, and an
// empty set that never fails.

#include "platform/data/ConnectionString.h"
#include "platform/data/Recordset.h"

#include <gtest/gtest.h>

using zorbel::data::ConnectionString;
using zorbel::data::Recordset;

namespace {

Recordset threeRows() {
    return Recordset({QStringLiteral("TaskID"), QStringLiteral("Description"), QStringLiteral("WBS")},
                     {{1, QStringLiteral("one"), 10}, {2, QVariant(), 20}, {3, QStringLiteral("three"), QVariant()}});
}

} // namespace

TEST(Recordset, WalksForwardAndBack) {
    Recordset rs = threeRows();
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_FALSE(rs.BOF());
    EXPECT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields(0).toInt(), 1);
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_EQ(rs.Fields(0).toInt(), 3);
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_TRUE(rs.Fields(0).isNull());
    rs.MoveNext(); // stays after the last row
    EXPECT_TRUE(rs.Eof());
    rs.MoveLast();
    EXPECT_EQ(rs.Fields(0).toInt(), 3);
    rs.MoveFirst();
    rs.MovePrevious();
    EXPECT_TRUE(rs.BOF());
    EXPECT_TRUE(rs.Fields(QStringLiteral("TaskID")).isNull());
}

TEST(Recordset, FieldsByNameIgnoreCaseAndNullsStayNull) {
    Recordset rs = threeRows();
    rs.MoveNext();
    EXPECT_EQ(rs.Fields(QStringLiteral("taskid")).toInt(), 2);
    EXPECT_EQ(rs[QStringLiteral("WBS")].toInt(), 20);
    EXPECT_TRUE(rs.Fields(QStringLiteral("Description")).isNull());
    EXPECT_TRUE(rs.Fields(QStringLiteral("NoSuchColumn")).isNull());
    EXPECT_TRUE(rs.Fields(7).isNull());
    EXPECT_EQ(rs.FieldIndex(QStringLiteral("DESCRIPTION")), 1);
    EXPECT_EQ(rs.FieldCount(), 3);
    EXPECT_EQ(rs.FieldName(2), QStringLiteral("WBS"));
}

TEST(Recordset, EmptySetNeverFails) {
    Recordset rs({QStringLiteral("ID")}, {});
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_TRUE(rs.BOF());
    EXPECT_TRUE(rs.Eof());
    rs.MoveFirst();
    rs.MoveLast();
    rs.MoveNext();
    rs.MovePrevious();
    EXPECT_TRUE(rs.Fields(0).isNull());
    EXPECT_FALSE(rs.hasCurrent());
}

TEST(Recordset, CellsAndRowsReadAnyRowWithoutMovingTheCursor) {
    Recordset rs = threeRows();
    rs.MoveNext();
    EXPECT_EQ(rs.cell(2, 1).toString(), QStringLiteral("three"));
    EXPECT_TRUE(rs.cell(1, 1).isNull());
    EXPECT_TRUE(rs.cell(3, 0).isNull());
    EXPECT_TRUE(rs.cell(0, 3).isNull());
    const std::vector<QVariant>& first = rs.row(0);
    EXPECT_EQ(&first, &rs.row(0)) << "a row is made once and kept";
    EXPECT_EQ(first.size(), 3u);
    EXPECT_EQ(rs.row(2)[0].toInt(), 3);
    EXPECT_EQ(first[1].toString(), QStringLiteral("one")) << "making a later row moved an earlier one";
    EXPECT_THROW(rs.row(3), std::out_of_range);
    EXPECT_EQ(rs.Fields(0).toInt(), 2);
}

TEST(ConnectionString, ReadsTheDocumentedShape) {
    const auto parts = ConnectionString::parse(
        QStringLiteral("Data Source=Zorbel5;User ID=;Mode=ReadWrite;Password=Qe4Lr9vKmT2pXbHs8Wz"));
    EXPECT_EQ(parts.dataSource, QStringLiteral("Zorbel5"));
    EXPECT_TRUE(parts.userId.isEmpty());
    EXPECT_EQ(parts.password, QStringLiteral("Qe4Lr9vKmT2pXbHs8Wz"));

    const auto odbc = ConnectionString::parse(QStringLiteral("dsn = Office ; UID=jo;PWD=a=b"));
    EXPECT_EQ(odbc.dataSource, QStringLiteral("Office"));
    EXPECT_EQ(odbc.userId, QStringLiteral("jo"));
    EXPECT_EQ(odbc.password, QStringLiteral("a=b")) << "only the first '=' splits key and value";
}
