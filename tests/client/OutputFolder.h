#pragma once
// A temporary folder that workbooks are saved to while a test runs
// (ZORBEL_OUTPUT_DIR), so no test writes into the user's documents.

#include <QDir>
#include <QTemporaryDir>

namespace zorbel::test {

class OutputFolder {
public:
    OutputFolder() : m_previous(qgetenv("ZORBEL_OUTPUT_DIR")) { qputenv("ZORBEL_OUTPUT_DIR", m_dir.path().toUtf8()); }
    ~OutputFolder() {
        if (m_previous.isEmpty())
            qunsetenv("ZORBEL_OUTPUT_DIR");
        else
            qputenv("ZORBEL_OUTPUT_DIR", m_previous);
    }
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;

    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    QStringList entries() const { return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

} // namespace zorbel::test
