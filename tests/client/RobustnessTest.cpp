// Every window the program registers, driven by a long fixed-seed run of
// clicks, typing and picks in any order, on an empty database and on one with
// a breakdown in it. Nothing may crash, throw or wedge, and the database must
// still answer afterwards.

#include "controls/ctrlButton.h"
#include "platform/ui/DesktopOpener.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramEnd.h"
#include "platform/ui/Windows.h"
#include "tests/client/ClientTest.h"
#include "tests/client/OutputFolder.h"
#include "tests/client/SampleOffice.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <random>

namespace zorbel::test {
namespace {

constexpr int kSteps = 300;

struct WindowRun {
    const char* window;
    int navTool;     // the navigation item the window is opened from
    bool populated;  // a breakdown in the database, or nothing at all
    bool modal;
};

std::string runName(const ::testing::TestParamInfo<WindowRun>& info) {
    return std::string(info.param.window) + "_" + (info.param.navTool < 0 ? std::string("LoggedIn")
                                                                         : std::to_string(info.param.navTool))
           + (info.param.populated ? "_Populated" : "_Empty");
}

// Answers that cannot answer an OK-only box are expected here; only those
// warnings are dropped, so anything else the windows log still shows.
QtMessageHandler g_previousHandler = nullptr;
void dropScriptWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("MessageBoxRecorder: scripted answer")))
        return;
    g_previousHandler(type, context, message);
}
struct ScriptWarningFilter {
    ScriptWarningFilter() { g_previousHandler = qInstallMessageHandler(dropScriptWarnings); }
    ~ScriptWarningFilter() { qInstallMessageHandler(g_previousHandler); }
};

class RobustnessTest : public ClientTest, public ::testing::WithParamInterface<WindowRun> {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        app().g_navTool = GetParam().navTool;
        workbooks.makeCurrent(); // a Save-As answer may be any text, a relative name too
        if (GetParam().populated)
            populateSampleOffice();
    }

    int pick(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(int percent) { return pick(100) < percent; }
    template <class T> T* any(const QList<T*>& list) { return list.isEmpty() ? nullptr : list[pick(int(list.size()))]; }

    // The children a user could reach now.
    template <class T> QList<T*> usable(QWidget& window) {
        QList<T*> out;
        for (T* w : window.findChildren<T*>())
            if (w->isVisibleTo(&window) && w->isEnabled())
                out << w;
        return out;
    }

    QString someText(bool multiLine) {
        static const QStringList samples = {
            QString(), QStringLiteral("O'Brien's"), QStringLiteral("abc"), QStringLiteral("31/02/2024"),
            QStringLiteral("2024-13-01"), QStringLiteral("12/05/2024"), QStringLiteral("29/02/2023"),
            QStringLiteral("01/01/1900"), QStringLiteral("31/12/9999"), QStringLiteral("-5"),
            QStringLiteral("99999"), QStringLiteral("3.5"), QStringLiteral("7"), QStringLiteral(" 12 "),
            QStringLiteral("'; DELETE FROM ZORBEL_PROJECT; --"), QStringLiteral("Zürich \u2713 \u00e9"),
            QStringLiteral("%s%n\\0"),
        };
        if (chance(10))
            return QString(pick(600) + 256, QLatin1Char(pick(2) ? 'x' : '\''));
        QString text = samples[pick(int(samples.size()))];
        if (multiLine && chance(20))
            text += QStringLiteral("\nsecond line\r\n");
        return text;
    }

    void clickButton(QWidget& window) {
        if (auto* button = any(usable<controls::ctrlButton>(window)))
            QTest::mouseClick(button, Qt::LeftButton);
    }
    void clickGrid(QWidget& window) {
        auto* grid = any(usable<ui::FlexGrid>(window));
        if (!grid)
            return;
        if (chance(25)) {
            QTest::keyClick(grid->view(), pick(2) ? Qt::Key_Down : Qt::Key_Up);
            return;
        }
        const int row = pick(grid->Rows() + 1); // now and then the header row or past the last
        for (int col = 0; col < grid->Cols(); ++col) {
            const QRect cell = grid->cellRect(row, col);
            if (cell.isEmpty())
                continue;
            if (chance(10))
                QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, cell.center());
            else
                QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, cell.center());
            return;
        }
    }
    void type(QWidget& window) {
        QList<QWidget*> boxes;
        for (auto* box : usable<QLineEdit>(window))
            if (!box->parentWidget() || !qobject_cast<QComboBox*>(box->parentWidget()))
                boxes << box;
        for (auto* text : usable<QPlainTextEdit>(window))
            boxes << text;
        QWidget* target = any(boxes);
        if (!target)
            return;
        if (chance(20)) {
            // A date box opens the calendar on a click.
            QTest::mouseClick(target, Qt::LeftButton);
            return;
        }
        const bool plain = qobject_cast<QPlainTextEdit*>(target) != nullptr;
        const QString text = someText(plain);
        if (auto* box = qobject_cast<QLineEdit*>(target)) {
            if (box->isReadOnly())
                return; // locked: a user can type nothing there
            bool ascii = true;
            for (QChar c : text)
                ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7f;
            if (text.size() < 40 && ascii) {
                box->selectAll();
                QTest::keyClicks(box, text);
                if (text.isEmpty())
                    QTest::keyClick(box, Qt::Key_Backspace);
            } else {
                box->setText(text); // pasted
            }
        } else if (auto* edit = qobject_cast<QPlainTextEdit*>(target)) {
            if (!edit->isReadOnly())
                edit->setPlainText(text);
        }
    }
    void pickCombo(QWidget& window) {
        if (auto* combo = any(usable<QComboBox>(window)))
            combo->setCurrentIndex(pick(combo->count() + 1) - 1);
    }
    void toggleCheck(QWidget& window) {
        if (auto* box = any(usable<QCheckBox>(window)))
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    void clickTree(QWidget& window) {
        auto* tree = any(usable<QTreeWidget>(window));
        if (!tree)
            return;
        QList<QTreeWidgetItem*> shown;
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if (!tree->visualItemRect(*it).isEmpty())
                shown << *it;
        QTreeWidgetItem* item = any(shown);
        const QPoint at = item ? tree->visualItemRect(item).center() : QPoint(5, tree->viewport()->height() - 3);
        switch (pick(4)) {
        case 0: QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at); break; // opens or folds a branch
        case 1:
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
            QTest::keyClick(tree, pick(2) ? Qt::Key_Right : Qt::Key_Left);
            break;
        default: QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at); break;
        }
    }
    void clickCalendar(QWidget& window) {
        auto* calendar = window.findChild<QCalendarWidget*>();
        auto* days = calendar ? calendar->findChild<QTableView*>() : nullptr;
        if (!days)
            return;
        const QModelIndex cell = days->model()->index(1 + pick(6), pick(7));
        QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, days->visualRect(cell).center());
    }

    // One user action on the window, among those it offers now.
    void act(QWidget& window) {
        // The next question gets a random answer; with none queued the first button answers.
        if (boxes.pendingAnswers() == 0 && chance(60))
            boxes.script(pick(2) ? ui::vbYes : ui::vbNo);
        // A file dialog gets a path, any text at all, or is cancelled.
        if (files.pendingAnswers() == 0 && chance(60))
            files.choose(pick(2) ? QStringLiteral("/srv/docs/minutes.odt") : someText(false));
        std::vector<void (RobustnessTest::*)(QWidget&)> actions;
        if (!usable<controls::ctrlButton>(window).isEmpty())
            actions.insert(actions.end(), 3, &RobustnessTest::clickButton);
        if (!usable<ui::FlexGrid>(window).isEmpty())
            actions.insert(actions.end(), 2, &RobustnessTest::clickGrid);
        if (!usable<QLineEdit>(window).isEmpty() || !usable<QPlainTextEdit>(window).isEmpty())
            actions.insert(actions.end(), 3, &RobustnessTest::type);
        if (!usable<QComboBox>(window).isEmpty())
            actions.push_back(&RobustnessTest::pickCombo);
        if (!usable<QCheckBox>(window).isEmpty())
            actions.push_back(&RobustnessTest::toggleCheck);
        if (!usable<QTreeWidget>(window).isEmpty())
            actions.insert(actions.end(), 3, &RobustnessTest::clickTree);
        if (!usable<QCalendarWidget>(window).isEmpty())
            actions.push_back(&RobustnessTest::clickCalendar);
        if (!actions.empty())
            (this->*actions[static_cast<size_t>(pick(int(actions.size())))])(window);
    }

    // Modal windows opened along the way (the calendar from a date box) are
    // closed, or a date is clicked.
    void answerModal(QWidget& window) {
        if (chance(50))
            clickCalendar(window);
    }

    // Drives a window shown modally until it closes itself or the steps run out.
    void driveModal(const QString& name) {
        int steps = 0;
        while (steps < kSteps) {
            bool inside = false;
            ui::ModalHook hook([&](QWidget& window) {
                if (inside) {
                    answerModal(window);
                    return;
                }
                inside = true;
                QPointer<QWidget> guard(&window);
                while (guard && guard->isVisible() && ui::isLoaded(name) && steps < kSteps) {
                    act(*guard);
                    ++steps;
                }
                inside = false;
            });
            ASSERT_TRUE(ui::showModal(name));
            ++steps; // a window that closes at once still counts its opening
            QApplication::processEvents();
        }
    }

    // Drives the window and whatever it opens, any of them at each step.
    void driveModeless(const QString& name) {
        ui::ModalHook hook([&](QWidget& window) { answerModal(window); });
        ASSERT_TRUE(ui::showWindow(name));
        for (int step = 0; step < kSteps; ++step) {
            // A window that closed itself (or was closed) is opened again.
            if (!ui::isLoaded(name)) {
                ASSERT_TRUE(ui::showWindow(name));
                continue;
            }
            QList<QWidget*> open;
            for (const QString& loaded : ui::loadedWindows())
                if (QWidget* w = ui::window(loaded); w && w->isVisible())
                    open << w;
            QWidget* window = any(open);
            if (!window)
                break;
            // Now and then the user closes a window.
            if (chance(2) && window != ui::window(QStringLiteral("frmNavigate"))) {
                for (const QString& n : ui::loadedWindows())
                    if (ui::window(n) == window) {
                        ui::closeWindow(n);
                        break;
                    }
                QApplication::processEvents();
                continue;
            }
            act(*window);
            QApplication::processEvents();
        }
    }

    std::mt19937 rng{20240611u};
    ui::FileChooserRecorder files;
    ui::DesktopOpenerRecorder opened; // nothing is ever launched
    OutputFolder workbooks;           // workbooks go to a folder of the test's own

};

TEST_P(RobustnessTest, SurvivesRandomUse) {
    const WindowRun& run = GetParam();
    ScriptWarningFilter quiet;
    ui::ProgramEndRecorder programEnd;
    const QString name = QString::fromLatin1(run.window);
    if (run.modal)
        driveModal(name);
    else
        driveModeless(name);

    // Closing the navigation window, whatever it opened, ends the program and lets the business object go.
    if (name == QLatin1String("frmNavigate")) {
        EXPECT_TRUE(ui::closeWindow(name));
        QApplication::processEvents();
        EXPECT_TRUE(programEnd.requested());
        EXPECT_TRUE(ui::loadedWindows().isEmpty()) << qPrintable(ui::loadedWindows().join(QLatin1Char(',')));
        EXPECT_EQ(app().g_zorbel, nullptr);
        return;
    }
    ui::closeAllWindows();
    QApplication::processEvents();
    EXPECT_FALSE(programEnd.requested());
    if (name == QLatin1String("frmIssueLog") && run.populated) {
        EXPECT_GT(opened.count(), 0); // the Excel button was reached and saved a workbook
    }
    auto projects = zorbel().GetAllProjects();
    ASSERT_NE(projects, nullptr);
    EXPECT_GE(projects->RecordCount(), 0);
}

std::vector<WindowRun> allRuns() {
    std::vector<WindowRun> runs;
    for (const WindowOpening& o : everyWindowOpening())
        for (int nav : o.navTools)
            for (bool populated : {false, true})
                runs.push_back({o.window, nav, populated, o.modal});
    return runs;
}

INSTANTIATE_TEST_SUITE_P(Windows, RobustnessTest, ::testing::ValuesIn(allRuns()), runName);

} // namespace
} // namespace zorbel::test
