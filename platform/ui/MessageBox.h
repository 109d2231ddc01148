#pragma once
// The program's one message box: the classic prompt/flags/title call with its
// button and icon flags and its numbered answers.
//
// Every window and the business layer's message sink go through MsgBox, so a
// test can hold a MessageBoxRecorder and see every box the code under test
// raised, answering each one from a script instead of showing it.
#include <QString>

#include <deque>
#include <initializer_list>
#include <vector>

namespace zorbel::ui {

// Button sets (the low bits of the flags).
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;

// Icons (added to a button set).
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;

// Answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

/// The title of every box that has none of its own.
inline constexpr const char *kProgramTitle = "Zorbel Zude";

/// Shows a modal message box and returns the answer (vbOK ... vbNo).
/// flags = one button set + one icon; an empty title shows kProgramTitle.
/// Closing the box with Escape or its close button gives the box's cancel
/// answer (vbCancel, vbNo for Yes/No, vbOK for OK only).
int MsgBox(const QString &prompt, int flags = 0, const QString &title = QString());

/// Answers that a box with these flags can give, in button order.
std::vector<int> answersFor(int flags);

/// One box as the code asked for it.
struct RecordedBox {
    QString prompt;
    int flags = 0;
    QString title;   ///< as passed: empty when the caller gave none
    int answer = 0;  ///< what MsgBox returned for it

    int buttons() const { return flags & 0x0F; }
    int icon() const { return flags & 0x70; }
    /// The caption the box would have shown.
    QString caption() const { return title.isEmpty() ? QString::fromLatin1(kProgramTitle) : title; }
};

/// While alive, MsgBox shows nothing: each box is recorded and answered from
/// the queue of scripted answers, or, when the queue is empty, with the box's
/// first button (OK, OK, Abort, Yes, Yes, Retry). A scripted answer that the
/// box cannot give (vbYes to an OK-only box) is used up, a warning is logged
/// and the first button answers instead, as a real box could not do better.
/// Recorders nest; the innermost one gets the boxes.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder &) = delete;
    MessageBoxRecorder &operator=(const MessageBoxRecorder &) = delete;

    /// Queues answers for the next boxes, in order.
    void script(std::initializer_list<int> answers);
    void script(int answer) { script({answer}); }
    /// Scripted answers not used yet.
    int pendingAnswers() const { return int(m_script.size()); }

    const std::vector<RecordedBox> &boxes() const { return m_boxes; }
    int count() const { return int(m_boxes.size()); }
    bool empty() const { return m_boxes.empty(); }
    /// The last box; only valid when count() > 0.
    const RecordedBox &last() const { return m_boxes.back(); }
    /// Prompts in order, for compact assertions.
    std::vector<QString> prompts() const;
    void clear() { m_boxes.clear(); }

    /// Used by MsgBox: records the box and returns its answer.
    int take(const QString &prompt, int flags, const QString &title);

private:
    std::vector<RecordedBox> m_boxes;
    std::deque<int> m_script;
    MessageBoxRecorder *m_outer = nullptr;
};

} // namespace zorbel::ui
