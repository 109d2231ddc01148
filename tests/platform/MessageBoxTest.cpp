#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace zorbel::ui;

TEST(MessageBox, RecorderKeepsEveryBoxAsAsked)
{
    MessageBoxRecorder boxes;
    MsgBox("Update Task Failed", vbExclamation, "Update Failure)");
    MsgBox("Get ID Error: x|bad");

    ASSERT_EQ(boxes.count(), 2);
    const RecordedBox &first = boxes.boxes()[0];
    EXPECT_EQ(first.prompt, "Update Task Failed");
    EXPECT_EQ(first.flags, vbExclamation);
    EXPECT_EQ(first.icon(), vbExclamation);
    EXPECT_EQ(first.buttons(), vbOKOnly);
    EXPECT_EQ(first.caption(), "Update Failure)");
    // A box without a title of its own shows the program's.
    EXPECT_TRUE(boxes.last().title.isEmpty());
    EXPECT_EQ(boxes.last().caption(), "Zorbel Zude");
    EXPECT_EQ(boxes.prompts(), (std::vector<QString>{"Update Task Failed", "Get ID Error: x|bad"}));
}

TEST(MessageBox, UnscriptedBoxesTakeTheirFirstButton)
{
    MessageBoxRecorder boxes;
    EXPECT_EQ(MsgBox("a"), vbOK);
    EXPECT_EQ(MsgBox("b", vbOKCancel), vbOK);
    EXPECT_EQ(MsgBox("c", vbAbortRetryIgnore | vbCritical), vbAbort);
    EXPECT_EQ(MsgBox("d", vbYesNoCancel), vbYes);
    EXPECT_EQ(MsgBox("e", vbYesNo | vbQuestion), vbYes);
    EXPECT_EQ(MsgBox("f", vbRetryCancel), vbRetry);
    EXPECT_EQ(boxes.boxes()[4].buttons(), vbYesNo);
    EXPECT_EQ(boxes.boxes()[4].icon(), vbQuestion);
}

TEST(MessageBox, ScriptedAnswersAreUsedInOrder)
{
    MessageBoxRecorder boxes;
    boxes.script({vbNo, vbCancel});
    EXPECT_EQ(MsgBox("Are you sure you want to delete X", vbYesNo), vbNo);
    EXPECT_EQ(MsgBox("Save?", vbYesNoCancel), vbCancel);
    EXPECT_EQ(boxes.pendingAnswers(), 0);
    EXPECT_EQ(MsgBox("again", vbYesNo), vbYes);
    EXPECT_EQ(boxes.boxes()[1].answer, vbCancel);
}

TEST(MessageBox, AnAnswerTheBoxCannotGiveFallsBackToItsFirstButton)
{
    MessageBoxRecorder boxes;
    boxes.script({vbYes, vbNo});
    EXPECT_EQ(MsgBox("Done"), vbOK);                 // vbYes is used up here
    EXPECT_EQ(MsgBox("Delete?", vbYesNo), vbNo);      // so the next box gets vbNo
}

TEST(MessageBox, InnerRecorderTakesTheBoxesWhileAlive)
{
    MessageBoxRecorder outer;
    {
        MessageBoxRecorder inner;
        MsgBox("inside");
        EXPECT_EQ(inner.count(), 1);
    }
    MsgBox("outside");
    ASSERT_EQ(outer.count(), 1);
    EXPECT_EQ(outer.last().prompt, "outside");
}

TEST(MessageBox, RealBoxShowsTitleIconButtonsAndMapsTheClickedButton)
{
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        icon = box->icon();
        buttons = int(box->buttons().size());
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(MsgBox("Delete?", vbYesNo | vbQuestion), vbNo);
    EXPECT_EQ(title, "Zorbel Zude");
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(buttons, 2);

    QTimer::singleShot(0, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    // Closing a Yes/No/Cancel box without a button cancels it.
    EXPECT_EQ(MsgBox("Save?", vbYesNoCancel, "Own title"), vbCancel);
}
