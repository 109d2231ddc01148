#include "XlsxReadBack.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

namespace zorbel::test {

namespace {
struct Run {
    int exitCode = -1;
    QByteArray out;
    QString error;
};

Run runReader(const QStringList& arguments)
{
    QProcess reader;
    reader.start(QStringLiteral(ZORBEL_PYTHON), QStringList{QStringLiteral(ZORBEL_XLSX_READER)} + arguments);
    Run run;
    if (!reader.waitForFinished(120000)) {
        run.error = QStringLiteral("the reader did not run: ") + reader.errorString();
        reader.kill();
        return run;
    }
    run.exitCode = reader.exitStatus() == QProcess::NormalExit ? reader.exitCode() : -1;
    run.out = reader.readAllStandardOutput();
    run.error = QString::fromUtf8(reader.readAllStandardError());
    return run;
}
} // namespace

XlsxReadBack::XlsxReadBack(const QString& path)
{
    const Run run = runReader({path});
    if (run.exitCode != 0) {
        m_error = run.error.isEmpty() ? QStringLiteral("the reader failed") : run.error;
        return;
    }
    QJsonParseError parseError;
    m_root = QJsonDocument::fromJson(run.out, &parseError).object();
    if (parseError.error != QJsonParseError::NoError)
        m_error = parseError.errorString();
}

QStringList XlsxReadBack::problems() const
{
    QStringList list;
    for (const auto& p : m_root[u"problems"].toArray())
        list << p.toString();
    return list;
}

QStringList XlsxReadBack::sheetNames() const
{
    QStringList names;
    for (const auto& s : m_root[u"sheets"].toArray())
        names << s[u"name"].toString();
    return names;
}

QString XlsxReadBack::activeSheet() const { return m_root[u"active"].toString(); }

const QJsonObject XlsxReadBack::sheet(const QString& name) const
{
    for (const auto& s : m_root[u"sheets"].toArray())
        if (s[u"name"].toString() == name)
            return s.toObject();
    return {};
}

const QJsonObject XlsxReadBack::cell(const QString& sheetName, const QString& address) const
{
    return sheet(sheetName)[u"cells"][address].toObject();
}

QString contentDifferences(const QString& first, const QString& second)
{
    const Run run = runReader({QStringLiteral("--compare"), first, second});
    if (run.exitCode == 0)
        return {};
    return QString::fromUtf8(run.out) + run.error;
}

} // namespace zorbel::test

void PrintTo(const QJsonValue& value, std::ostream* os)
{
    *os << QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}

void PrintTo(const QJsonObject& object, std::ostream* os)
{
    *os << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}
