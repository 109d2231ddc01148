#pragma once
// An ODBC ini of a test's own, which the driver manager reads for as long as
// the object lives: the data sources a test makes up reach neither the run's
// own ini nor the user's. The driver manager keeps what it read of a data
// source under its name, so each made-up data source needs a name of its own.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace zorbel::test {

class PrivateIni {
public:
    explicit PrivateIni(const QByteArray& text = {}) : m_before(qgetenv("ODBCINI")) {
        QFile file(m_dir.filePath(QStringLiteral("odbc.ini")));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        qputenv("ODBCINI", QFile::encodeName(file.fileName()));
    }
    ~PrivateIni() { qputenv("ODBCINI", m_before); }
    PrivateIni(const PrivateIni&) = delete;
    PrivateIni& operator=(const PrivateIni&) = delete;

    // A path in the ini's own temporary folder.
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_before;
};

} // namespace zorbel::test
