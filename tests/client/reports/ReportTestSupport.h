#pragma once
// The report dialog opened on a real database, its Create button pressed and
// the saved workbook read back by the independent reader; and one small known
// project whose every cell the tests can name.

#include "client/reports/frmExcel.h"
#include "controls/ctrlButton.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DesktopOpener.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/Windows.h"
#include "platform/xlsx/Palette.h"
#include "tests/client/ClientTest.h"
#include "tests/client/OutputFolder.h"
#include "tests/platform/QtPrinters.h"
#include "XlsxReadBack.h"

#include <QCheckBox>
#include <QJsonObject>
#include <QTest>

namespace zorbel::test {

inline QDateTime at(int y, int m, int d, int h = 0) { return QDateTime(QDate(y, m, d), QTime(h, 0)); }

// The reader's colour for a palette position.
inline QString paletteFill(int colorIndex) {
    return QStringLiteral("%1").arg(xl::paletteColour(colorIndex).value_or(0), 6, 16, QLatin1Char('0')).toUpper();
}

class ReportTest : public ClientTest {
protected:
    reports::frmExcel& open() {
        ui::showWindow(QStringLiteral("frmExcel"));
        return *ui::windowAs<reports::frmExcel>(QStringLiteral("frmExcel"));
    }
    void tick(const char* box, bool ticked) {
        auto* check = open().findChild<QCheckBox*>(QString::fromLatin1(box));
        if (check->isChecked() != ticked)
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    }
    void pressCreate() {
        QTest::mouseClick(open().findChild<controls::ctrlButton*>(QStringLiteral("bntCreate")), Qt::LeftButton);
    }
    // Presses Create and reads back the workbook saved under the project's name.
    XlsxReadBack create(const QString& projectName) {
        pressCreate();
        return XlsxReadBack(output.path(projectName + QStringLiteral(".xlsx")));
    }
    static QVariant valueAt(const XlsxReadBack& book, const QString& sheet, const QString& address) {
        return book.cell(sheet, address)[u"value"].toVariant();
    }
    static QString fillAt(const XlsxReadBack& book, const QString& sheet, const QString& address) {
        return book.cell(sheet, address)[u"fill"].toString();
    }

    OutputFolder output;
    ui::DesktopOpenerRecorder opener;
    ui::FileChooserRecorder chooser;
    ui::ClockOverride clock{at(2026, 4, 1, 10)};
};

// "Bridge Works": two contacts in its team, two milestones, two deliverables
// (the first with two tasks, the first task with an action of two progress
// entries), two project risks and one task risk: the breakdown whose Detail
// sheet fills rows 2 to 15.
struct KnownProject {
    qint32 id = 0;
    qint32 deliverable1 = 0, deliverable2 = 0, task1 = 0, task2 = 0, action1 = 0, progress2 = 0;

    explicit KnownProject(ZorbelClass& z) {
        z.AddContact(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("PM"), QStringLiteral("ann@x.org"),
                     QStringLiteral("Acme"), QStringLiteral("0101"), QStringLiteral("0707"));
        z.AddContact(QStringLiteral("Bob"), QStringLiteral("Stone"), {}, {}, {}, {}, {});
        id = z.AddProject(QStringLiteral("Bridge Works"), QStringLiteral("BW-1"), QStringLiteral("River crossing"), 1,
                          at(2026, 3, 2), at(2026, 3, 31), 4, 1, 3);
        z.AddTeamMember(1, id, QStringLiteral("Ann Lee"), QStringLiteral("Ann"), QStringLiteral("Lee"));
        z.AddTeamMember(2, id, QStringLiteral("Bob Stone"), QStringLiteral("Bob"), QStringLiteral("Stone"));
        z.AddMilestone(id, QStringLiteral("Handover"), at(2026, 3, 30), at(2026, 3, 31), 3, 0);
        z.AddMilestone(id, QStringLiteral("Kick-off"), at(2026, 3, 2), at(2026, 3, 2), 3, 0);
        QString signedOff = QStringLiteral("Signed off"), none;
        deliverable1 = z.AddDeliverable(id, 3, QStringLiteral("Design"), signedOff, 1, at(2026, 3, 2), at(2026, 3, 10),
                                        1, 1);
        deliverable2 = z.AddDeliverable(id, 5, QStringLiteral("Build"), none, 2, at(2026, 3, 11), at(2026, 3, 31), 2, 0);
        task1 = z.AddTask(deliverable1, 4, QStringLiteral("Survey"), 1, at(2026, 3, 2), at(2026, 3, 4), 0, 1);
        task2 = z.AddTask(deliverable1, 3, QStringLiteral("Drawings"), 2, at(2026, 3, 5, 13), at(2026, 3, 9), task1, 2);
        action1 = z.AddAction(task1, QStringLiteral("Walk the site"), at(2026, 3, 2), at(2026, 3, 3), 2, 1, 1);
        z.AddProgress(action1, at(2026, 3, 2), QStringLiteral("North bank"), 1, 1);
        progress2 = z.AddProgress(action1, at(2026, 3, 3), QStringLiteral("South bank"), 2, 2);
        z.AddRisk(id, 2, QStringLiteral("Flood"), QStringLiteral("Delay"), QStringLiteral("Barriers"), 1, 2, 0.35,
                  QStringLiteral("Spring"), 1);
        z.AddRisk(id, 9, QStringLiteral("Strike"), {}, {}, 2, 5, 2, {}, 1);
        z.AddRisk(task2, 1, QStringLiteral("Wrong scale"), {}, {}, 99, 0, 0, {}, 0);
    }
};

} // namespace zorbel::test
