#include "tests/client/ClientTest.h"

#include "business/Schema.h"
#include "platform/ui/Windows.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>

namespace zorbel::test {

void ClientTest::SetUp() {
    shell::resetState();
    auto zorbel = std::make_unique<ZorbelClass>(
        [](const QString& text, int flags, const QString& title) { return ui::MsgBox(text, flags, title); });
    zorbel->ConnectDSN(testConnectionString());
    schema::drop(*zorbel->connection());
    schema::ensure(*zorbel->connection());
    shell::state().g_zorbel = std::move(zorbel);
    shell::state().g_dateFormat = QStringLiteral("dd/mm/yyyy");
    shell::state().g_excelDateFormat = QStringLiteral("dd/mm/yyyy");
}

void ClientTest::TearDown() {
    ui::closeAllWindows();
    QApplication::processEvents(); // let closed windows be deleted
    shell::resetState();
}

int ClientTest::count(const QString& table, const QString& where) {
    auto rs = db().query({QStringLiteral("SELECT COUNT(*) FROM ") + table
                              + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where),
                          {}});
    return rs->Fields(0).toInt();
}

} // namespace zorbel::test
