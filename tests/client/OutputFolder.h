#pragma once
// A temporary folder that saved workbooks go to (ZORBEL_OUTPUT_DIR) while a
// test runs; the setting is put back afterwards.

#include <QByteArray>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

namespace zorbel::test {

class OutputFolder {
public:
    OutputFolder() : m_previous(qgetenv("ZORBEL_OUTPUT_DIR")) { qputenv("ZORBEL_OUTPUT_DIR", m_dir.path().toUtf8()); }
    ~OutputFolder() {
        if (!m_previousCurrent.isEmpty())
            QDir::setCurrent(m_previousCurrent);
        if (m_previous.isEmpty())
            qunsetenv("ZORBEL_OUTPUT_DIR");
        else
            qputenv("ZORBEL_OUTPUT_DIR", m_previous);
    }
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;

    // Also the current folder until the end, for code handed relative file names.
    void makeCurrent() {
        m_previousCurrent = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    QStringList entries() const { return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    QString m_previousCurrent;
};

} // namespace zorbel::test
