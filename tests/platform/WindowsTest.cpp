#include "platform/ui/Clock.h"
#include "platform/ui/ProgramEnd.h"
#include "platform/ui/Windows.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest/QTest>

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace zorbel::ui;

namespace {

// A window with state of its own, and a close handler that can refuse.
class Probe : public QWidget {
public:
    Probe() { ++made; }
    QString state;
    bool refuseClose = false;
    static inline int made = 0;
    static inline QString lastUnload;

protected:
    void closeEvent(QCloseEvent *e) override
    {
        if (refuseClose) {
            e->ignore();
            return;
        }
        lastUnload = state;
        e->accept();
    }
};

// A modal dialog that hands back what was typed and closes itself on OK.
class Asker : public QDialog {
public:
    explicit Asker(QString *answer) : m_answer(answer)
    {
        auto *layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        ok = new QPushButton("OK", this);
        hideButton = new QPushButton("Hide", this);
        layout->addWidget(edit);
        layout->addWidget(ok);
        layout->addWidget(hideButton);
        connect(ok, &QPushButton::clicked, this, [this] {
            *m_answer = edit->text();
            close();
        });
        connect(hideButton, &QPushButton::clicked, this, &QDialog::accept);
    }
    QLineEdit *edit;
    QPushButton *ok;
    QPushButton *hideButton;

protected:
    void closeEvent(QCloseEvent *e) override
    {
        if (m_answer->isEmpty())
            *m_answer = "closed";
        QDialog::closeEvent(e);
    }

private:
    QString *m_answer;
};

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class WindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Probe::made = 0;
        registerWindow("probe", [] { return std::make_unique<Probe>(); });
        registerWindow("asker", [this] { return std::make_unique<Asker>(&answer); });
    }
    void TearDown() override
    {
        closeAllWindows();
        unregisterWindow("probe");
        unregisterWindow("asker");
        flushDeletes();
    }
    QString answer;
};

} // namespace

TEST_F(WindowsTest, UnknownWindowShowsNothing)
{
    EXPECT_FALSE(showWindow("frmNotYet"));
    EXPECT_FALSE(isLoaded("frmNotYet"));
    EXPECT_EQ(window("frmNotYet"), nullptr);
    ModalHook hook([](QWidget &) { ADD_FAILURE() << "nothing to drive"; });
    EXPECT_FALSE(showModal("frmNotYet"));
    EXPECT_EQ(hook.count(), 0);
}

TEST_F(WindowsTest, FirstShowLoadsLaterShowsOnlyRaise)
{
    EXPECT_FALSE(isLoaded("probe"));
    ASSERT_TRUE(showWindow("probe"));
    Probe *first = windowAs<Probe>("probe");
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    first->state = "typed";

    ASSERT_TRUE(showWindow("probe"));
    EXPECT_EQ(windowAs<Probe>("probe"), first);
    EXPECT_EQ(first->state, "typed");
    EXPECT_EQ(Probe::made, 1);
    EXPECT_EQ(loadedWindows(), QStringList{"probe"});
}

TEST_F(WindowsTest, ClosingDiscardsTheWindowAndTheNextShowLoadsAfresh)
{
    showWindow("probe");
    QPointer<Probe> old = windowAs<Probe>("probe");
    old->state = "old";

    EXPECT_TRUE(closeWindow("probe"));
    EXPECT_EQ(Probe::lastUnload, "old"); // its close handler ran
    EXPECT_FALSE(isLoaded("probe"));
    EXPECT_EQ(window("probe"), nullptr);
    flushDeletes();
    EXPECT_TRUE(old.isNull());

    showWindow("probe");
    EXPECT_EQ(Probe::made, 2);
    EXPECT_TRUE(windowAs<Probe>("probe")->state.isEmpty());
}

TEST_F(WindowsTest, AWindowClosingItselfIsDiscardedAtOnce)
{
    showWindow("probe");
    QPointer<QWidget> w = window("probe");
    w->close();
    EXPECT_FALSE(isLoaded("probe"));
    EXPECT_EQ(window("probe"), nullptr);
    flushDeletes();
    EXPECT_TRUE(w.isNull());
}

TEST_F(WindowsTest, ARefusedCloseKeepsTheWindow)
{
    showWindow("probe");
    windowAs<Probe>("probe")->refuseClose = true;
    EXPECT_FALSE(closeWindow("probe"));
    EXPECT_TRUE(isLoaded("probe"));
    windowAs<Probe>("probe")->refuseClose = false;
}

TEST_F(WindowsTest, AWindowDeletedBehindTheRegistrysBackIsForgotten)
{
    loadWindow("probe");
    delete window("probe");
    EXPECT_FALSE(isLoaded("probe"));
    EXPECT_EQ(window("probe"), nullptr);
}

TEST_F(WindowsTest, ModalHookDrivesTheWindowAndShowModalReturnsAfterItClosed)
{
    ModalHook hook([](QWidget &w) {
        auto &dialog = dynamic_cast<Asker &>(w);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.windowModality(), Qt::ApplicationModal);
        QTest::keyClicks(dialog.edit, "Risk 1");
        QTest::mouseClick(dialog.ok, Qt::LeftButton);
    });
    ASSERT_TRUE(showModal("asker"));
    EXPECT_EQ(answer, "Risk 1");
    EXPECT_FALSE(isLoaded("asker"));
    EXPECT_EQ(hook.shown(), QStringList{"asker"});
}

TEST_F(WindowsTest, AModalWindowLeftOpenByTheDriverIsClosedLikeByItsCloseButton)
{
    ModalHook hook;
    ASSERT_TRUE(showModal("asker"));
    EXPECT_EQ(answer, "closed");
    EXPECT_FALSE(isLoaded("asker"));
}

TEST_F(WindowsTest, AModalWindowThatHidesItselfStaysLoadedForTheCaller)
{
    Asker *prepared = dynamic_cast<Asker *>(loadWindow("asker"));
    ASSERT_NE(prepared, nullptr);
    prepared->edit->setText("preset");
    ModalHook hook([](QWidget &w) { QTest::mouseClick(dynamic_cast<Asker &>(w).hideButton, Qt::LeftButton); });
    showModal("asker");
    Asker *after = windowAs<Asker>("asker");
    ASSERT_EQ(after, prepared);
    EXPECT_FALSE(after->isVisible());
    EXPECT_EQ(after->result(), QDialog::Accepted);
    EXPECT_EQ(after->edit->text(), "preset");
    EXPECT_EQ(after->windowModality(), Qt::NonModal);
}

TEST_F(WindowsTest, RealModalRunEndsWhenTheWindowCloses)
{
    QTimer::singleShot(0, [] {
        if (Asker *a = windowAs<Asker>("asker")) {
            a->edit->setText("typed");
            a->ok->click();
        }
    });
    ASSERT_TRUE(showModal("asker"));
    EXPECT_EQ(answer, "typed");
    EXPECT_FALSE(isLoaded("asker"));
}

TEST_F(WindowsTest, RealModalRunEndsWhenTheWindowHides)
{
    QTimer::singleShot(0, [] {
        if (Asker *a = windowAs<Asker>("asker"))
            a->hideButton->click();
    });
    ASSERT_TRUE(showModal("asker"));
    EXPECT_TRUE(isLoaded("asker"));
}

TEST_F(WindowsTest, EndProgramClosesEveryWindowNewestFirstAndIsRecorded)
{
    registerWindow("probe2", [] { return std::make_unique<Probe>(); });
    ProgramEndRecorder end;
    showWindow("probe");
    showWindow("probe2");
    windowAs<Probe>("probe")->state = "first";
    windowAs<Probe>("probe2")->state = "second";
    endProgram();
    EXPECT_TRUE(end.requested());
    EXPECT_TRUE(loadedWindows().isEmpty());
    EXPECT_EQ(Probe::lastUnload, "first");
    unregisterWindow("probe2");
}

TEST_F(WindowsTest, EndProgramFromAModalWindowClosesTheWindowsBehindIt)
{
    ProgramEndRecorder end;
    showWindow("probe");
    ModalHook hook([](QWidget &) { endProgram(); });
    ASSERT_TRUE(showModal("asker"));
    EXPECT_EQ(end.count(), 1);
    EXPECT_TRUE(loadedWindows().isEmpty());
}

TEST(Clock, OverrideFixesNowAndNests)
{
    const QDateTime fixed(QDate(2024, 3, 5), QTime(9, 30));
    {
        ClockOverride clock(fixed);
        EXPECT_EQ(now(), fixed);
        EXPECT_EQ(today(), QDate(2024, 3, 5));
        {
            ClockOverride inner(fixed.addDays(1));
            EXPECT_EQ(today(), QDate(2024, 3, 6));
        }
        EXPECT_EQ(now(), fixed);
    }
    EXPECT_LE(qAbs(now().secsTo(QDateTime::currentDateTime())), 5);
}
