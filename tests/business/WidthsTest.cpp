// The widths the business layer cuts texts to, which the windows' boxes take
// as their limits: each must fit its column on the engine under test, or a
// text that its box let through would be refused or cut by the database.

#include "business/Widths.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

TEST(Widths, EveryCutWidthFitsItsColumn) {
    TestDatabase db;
    for (const widths::Field& f : widths::kFields) {
        const QString table = QString::fromLatin1(f.table.data(), f.table.size());
        const QString column = QString::fromLatin1(f.column.data(), f.column.size());
        SCOPED_TRACE((table + QLatin1Char('.') + column).toStdString());
        // A field kept whole is kept whole by its column too.
        const QString full(f.width > 0 ? f.width : 4000, u'x');
        db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(table, column), {full});
        const auto rs = db.select(QStringLiteral("SELECT %2 FROM %1 WHERE %2 = ?").arg(table, column), {full});
        EXPECT_EQ(rs->RecordCount(), 1);
    }
}
