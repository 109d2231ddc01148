#include "platform/ui/FileChooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace zorbel::ui {

namespace {

FileChooserRecorder *g_recorder = nullptr;

QString choose(FileRequest request)
{
    if (g_recorder)
        return g_recorder->take(std::move(request));
    const bool save = request.kind == FileRequest::Save;
    const QString folder = !request.startFolder.isEmpty() && QFileInfo(request.startFolder).isDir()
                               ? request.startFolder
                               : documentsFolder();
    QFileDialog dialog(QApplication::activeWindow(), request.title, folder, request.filters);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString chooseFileToOpen(const QString &title, const QString &startFolder, const QString &filters)
{
    return choose({FileRequest::Open, title, startFolder, filters, QString()});
}

QString chooseFileToSave(const QString &title, const QString &startFolder, const QString &filters)
{
    return choose({FileRequest::Save, title, startFolder, filters, QString()});
}

FileChooserRecorder::FileChooserRecorder() : m_outer(g_recorder) { g_recorder = this; }

FileChooserRecorder::~FileChooserRecorder() { g_recorder = m_outer; }

QString FileChooserRecorder::take(FileRequest request)
{
    if (!m_script.empty()) {
        request.chosen = m_script.front().value_or(QString());
        m_script.pop_front();
    }
    m_requests.push_back(request);
    return request.chosen;
}

} // namespace zorbel::ui
