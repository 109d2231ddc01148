#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtGlobal>

#include <algorithm>

namespace zorbel::ui {

namespace {

MessageBoxRecorder *g_recorder = nullptr;

QMessageBox::StandardButton buttonFor(int answer)
{
    switch (answer) {
    case vbOK: return QMessageBox::Ok;
    case vbCancel: return QMessageBox::Cancel;
    case vbAbort: return QMessageBox::Abort;
    case vbRetry: return QMessageBox::Retry;
    case vbIgnore: return QMessageBox::Ignore;
    case vbYes: return QMessageBox::Yes;
    case vbNo: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

QMessageBox::Icon iconFor(int flags)
{
    switch (flags & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// The answer of Escape or the close button: the cancelling button of the set.
int cancelAnswer(const std::vector<int> &answers)
{
    for (int a : {vbCancel, vbNo, vbAbort})
        if (std::find(answers.begin(), answers.end(), a) != answers.end())
            return a;
    return answers.front();
}

} // namespace

std::vector<int> answersFor(int flags)
{
    switch (flags & 0x0F) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
    }
}

int MsgBox(const QString &prompt, int flags, const QString &title)
{
    if (g_recorder)
        return g_recorder->take(prompt, flags, title);

    const std::vector<int> answers = answersFor(flags);
    QMessageBox box(iconFor(flags), title.isEmpty() ? QString::fromLatin1(kProgramTitle) : title,
                    prompt, QMessageBox::NoButton, QApplication::activeWindow());
    for (int a : answers)
        box.addButton(buttonFor(a));
    box.setDefaultButton(buttonFor(answers.front()));
    box.setEscapeButton(box.button(buttonFor(cancelAnswer(answers))));
    box.exec();
    QAbstractButton *clicked = box.clickedButton();
    for (int a : answers)
        if (clicked && clicked == box.button(buttonFor(a)))
            return a;
    return cancelAnswer(answers);
}

MessageBoxRecorder::MessageBoxRecorder() : m_outer(g_recorder) { g_recorder = this; }

MessageBoxRecorder::~MessageBoxRecorder() { g_recorder = m_outer; }

void MessageBoxRecorder::script(std::initializer_list<int> answers)
{
    m_script.insert(m_script.end(), answers.begin(), answers.end());
}

std::vector<QString> MessageBoxRecorder::prompts() const
{
    std::vector<QString> out;
    out.reserve(m_boxes.size());
    for (const RecordedBox &b : m_boxes)
        out.push_back(b.prompt);
    return out;
}

int MessageBoxRecorder::take(const QString &prompt, int flags, const QString &title)
{
    const std::vector<int> answers = answersFor(flags);
    int answer = answers.front();
    if (!m_script.empty()) {
        const int scripted = m_script.front();
        m_script.pop_front();
        if (std::find(answers.begin(), answers.end(), scripted) != answers.end())
            answer = scripted;
        else
            qWarning("MessageBoxRecorder: scripted answer %d cannot answer \"%s\" (flags %d)",
                     scripted, qPrintable(prompt), flags);
    }
    m_boxes.push_back({prompt, flags, title, answer});
    return answer;
}

} // namespace zorbel::ui
