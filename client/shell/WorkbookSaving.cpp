#include "client/shell/WorkbookSaving.h"

#include "platform/ui/DesktopOpener.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/MessageBox.h"
#include "platform/xlsx/Error.h"
#include "platform/xlsx/FileNames.h"
#include "platform/xlsx/Workbook.h"

#include <QDir>
#include <QFileInfo>

namespace zorbel::shell {

namespace {

const QString kChooserTitle = QStringLiteral("Save Workbook As");
const QString kChooserFilters = QStringLiteral("Workbooks (*.xlsx);;All files (*)");

bool trySave(xl::Workbook& book, const QString& path, const QString& failurePrefix) {
    try {
        book.SaveAs(path);
        return true;
    } catch (const xl::Error& e) {
        ui::MsgBox(failurePrefix + e.description(), ui::vbOKOnly);
        return false;
    }
}

// Whether saving at `path` would replace something. QFileInfo::exists
// follows a link, and a link to nothing would be replaced unasked.
bool somethingStandsAt(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool userAllowsReplacing(const QString& path) {
    return ui::MsgBox(QStringLiteral("The file %1 already exists.\nDo you want to replace it?")
                          .arg(QDir::toNativeSeparators(path)),
                      ui::vbYesNo + ui::vbQuestion, QStringLiteral("Replace File")) == ui::vbYes;
}

// The first attempt: the output folder and the title's file name. Gives the
// folder the chooser should start in when this attempt did not save.
bool saveToOutputFolder(xl::Workbook& book, const QString& title, const QString& failurePrefix,
                        QString& chooserFolder) {
    QString folder;
    try {
        folder = xl::outputFolder();
    } catch (const xl::Error& e) {
        ui::MsgBox(failurePrefix + e.description(), ui::vbOKOnly);
        chooserFolder = QDir::homePath();
        return false;
    }
    chooserFolder = folder;
    const QString path = folder + QLatin1Char('/') + xl::workbookFileName(title);
    if (somethingStandsAt(path) && !userAllowsReplacing(path))
        return false;
    return trySave(book, path, failurePrefix);
}

void openSaved(const QString& path) {
    if (ui::openWithDesktop(path))
        return;
    ui::MsgBox(QStringLiteral("The workbook was saved as %1, but it could not be opened on this desktop.")
                   .arg(QDir::toNativeSeparators(path)),
               ui::vbInformation);
}

} // namespace

bool saveWorkbook(xl::Workbook& book, const QString& title, const QString& failurePrefix) {
    QString folder;
    bool saved = saveToOutputFolder(book, title, failurePrefix, folder);
    while (!saved) {
        const QString chosen = ui::chooseFileToSave(kChooserTitle, folder, kChooserFilters);
        if (chosen.isEmpty())
            return false;
        folder = QFileInfo(chosen).absolutePath();
        // The file is an .xlsx whatever name was typed, and its name says so,
        // or the desktop would hand it to the wrong program. The chooser
        // asked about the name typed, and only when it found a file there
        // by following any link.
        const QString path = xl::withWorkbookSuffix(chosen);
        const bool chooserAsked = path == chosen && QFileInfo::exists(chosen);
        if (!chooserAsked && somethingStandsAt(path) && !userAllowsReplacing(path))
            continue;
        saved = trySave(book, path, failurePrefix);
    }
    openSaved(book.FullName());
    return true;
}

} // namespace zorbel::shell
