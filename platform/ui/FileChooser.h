#pragma once
// The program's file chooser: a file to open (the document register links
// one) or a name to save under (the workbooks).
//
// Filters are written as "Documents (*.doc *.docx);;All files (*)"; an empty
// filter lists every file. A start folder that is empty or does not exist
// starts in the user's documents folder, never in the folder the program
// happened to be started from. While a FileChooserRecorder is alive no
// dialog shows: each request is recorded and answered from its script.
#include <QString>

#include <deque>
#include <optional>
#include <vector>

namespace zorbel::ui {

/// One request as the code made it, with the answer it got.
struct FileRequest {
    enum Kind { Open, Save };
    Kind kind = Open;
    QString title;
    QString startFolder;
    QString filters;
    QString chosen; ///< the full path given back; empty when cancelled
};

/// Where the user keeps documents: the desktop's documents folder, or the
/// home folder where there is none.
QString documentsFolder();

/// An existing file picked by the user: its full path, or "" when cancelled.
QString chooseFileToOpen(const QString &title, const QString &startFolder = QString(),
                         const QString &filters = QString());
/// A file name to save under: its full path, or "" when cancelled. The
/// dialog asks before an existing file is replaced.
QString chooseFileToSave(const QString &title, const QString &startFolder = QString(),
                         const QString &filters = QString());

/// While alive, the chooser shows nothing and answers from the script in
/// order; with the script used up it answers as a user who cancels. Recorders
/// nest; the innermost one gets the requests.
class FileChooserRecorder {
public:
    FileChooserRecorder();
    ~FileChooserRecorder();
    FileChooserRecorder(const FileChooserRecorder &) = delete;
    FileChooserRecorder &operator=(const FileChooserRecorder &) = delete;

    /// Queues a path as the next answer.
    void choose(const QString &path) { m_script.push_back(path); }
    /// Queues a cancel as the next answer.
    void cancel() { m_script.push_back(std::nullopt); }
    int pendingAnswers() const { return int(m_script.size()); }

    const std::vector<FileRequest> &requests() const { return m_requests; }
    int count() const { return int(m_requests.size()); }
    /// The last request; only valid when count() > 0.
    const FileRequest &last() const { return m_requests.back(); }

    /// Used by the chooser: records the request and gives its answer.
    QString take(FileRequest request);

private:
    std::vector<FileRequest> m_requests;
    std::deque<std::optional<QString>> m_script;
    FileChooserRecorder *m_outer = nullptr;
};

} // namespace zorbel::ui
