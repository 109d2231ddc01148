#pragma once
// Shared pieces of the planning window tests: rows made through the business
// object, the window's controls found by name, and clicks on them.

#include "client/planning/EditorRules.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Windows.h"
#include "tests/client/ClientTest.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QTableView>
#include <QTest>

namespace zorbel::test {

class EditorTest : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        // Day-first dates on a month-first machine: every date must go through the configured pattern.
        m_locale = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override {
        ClientTest::TearDown();
        QLocale::setDefault(m_locale);
    }

    static QDateTime at(int y, int m, int d, int h = 0, int min = 0) { return QDateTime(QDate(y, m, d), QTime(h, min)); }

    qint32 lastID(const QString& table, const QString& idColumn) {
        auto rs = db().query({QStringLiteral("SELECT MAX(") + idColumn + QStringLiteral(") FROM ") + table, {}});
        return rs->Fields(0).toInt();
    }
    qint32 addContact(const QString& first, const QString& sur) {
        zorbel().AddContact(first, sur, QString(), QString(), QString(), QString(), QString());
        return lastID(QStringLiteral("ZORBEL_USER_TABLE"), QStringLiteral("UserID"));
    }
    qint32 addProject(const QString& name, qint32 owner, const QDateTime& start, const QDateTime& end,
                      qint16 status = 2, qint16 wbs = 1, qint16 state = 3) {
        return zorbel().AddProject(name, QStringLiteral("R-") + name, QStringLiteral("D-") + name, owner, start, end,
                                   status, wbs, state);
    }
    // One value of one row, read straight from the table.
    QVariant stored(const QString& table, const QString& column, const QString& idColumn, qint32 id) {
        auto rs = db().query({QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ") + table
                                  + QStringLiteral(" WHERE ") + idColumn + QStringLiteral(" = ?"),
                              {QVariant(id)}});
        return rs->RecordCount() ? rs->Fields(0) : QVariant();
    }
    QDateTime storedDate(const QString& table, const QString& column, const QString& idColumn, qint32 id) {
        return planning::dateOf(stored(table, column, idColumn, id)).value_or(QDateTime());
    }

    template <class W> W* open(const QString& name) {
        EXPECT_TRUE(ui::showWindow(name));
        return ui::windowAs<W>(name);
    }
    template <class T = QWidget> static T* child(QWidget* w, const char* name) {
        T* c = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void click(QWidget* w, const char* button) {
        QTest::mouseClick(child<controls::ctrlButton>(w, button), Qt::LeftButton);
    }
    static bool shown(QWidget* w, const char* name) { return child(w, name)->isVisibleTo(w); }
    static qint16 status(QWidget* w, const char* button) { return child<controls::ctrlButton>(w, button)->Status(); }
    static void type(QWidget* w, const char* box, const QString& text) { child<QLineEdit>(w, box)->setText(text); }
    static ui::FlexGrid* grid(QWidget* w, const char* name) { return child<ui::FlexGrid>(w, name); }
    // Clicks a row in a column that shows (column 2 holds the name in most grids).
    static void pickRow(QWidget* w, const char* gridName, int row, int col = 2) {
        auto* g = grid(w, gridName);
        QTest::mouseClick(g->view()->viewport(), Qt::LeftButton, {}, g->cellRect(row, col).center());
    }
    // Clicks the first row whose column `col` shows `text`.
    static void pickRowShowing(QWidget* w, const char* gridName, int col, const QString& text) {
        auto* g = grid(w, gridName);
        for (int r = 1; r < g->Rows(); ++r)
            if (g->TextMatrix(r, col) == text)
                return pickRow(w, gridName, r, col);
        ADD_FAILURE() << "no row shows " << text.toStdString();
    }

private:
    QLocale m_locale;
};

} // namespace zorbel::test
