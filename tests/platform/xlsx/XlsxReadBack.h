#pragma once
// Saved workbooks read back by an independent reader (openpyxl, through
// xlsx_reader.py), for tests that check what a spreadsheet program would show.
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <ostream>

namespace zorbel::test {

class XlsxReadBack {
public:
    /// Runs the reader on the file; failed() tells whether it could.
    explicit XlsxReadBack(const QString& path);

    bool failed() const { return !m_error.isEmpty(); }
    /// The reader's complaint when it failed.
    const QString& error() const { return m_error; }
    /// What a spreadsheet program would refuse or repair; empty for a sound file.
    QStringList problems() const;
    QStringList sheetNames() const;
    QString activeSheet() const;
    /// name, selection, columns (letter -> width, style), rows (number ->
    /// height, style), cells (address -> value, type, font, fill, align,
    /// numberFormat), names (name -> reference).
    const QJsonObject sheet(const QString& name) const;
    /// The cell's entry, empty when the cell is empty and unformatted.
    const QJsonObject cell(const QString& sheetName, const QString& address) const;

private:
    QJsonObject m_root;
    QString m_error;
};

/// Empty when the two files hold the same content, else the reader's list of
/// differences.
QString contentDifferences(const QString& first, const QString& second);

} // namespace zorbel::test

// Readable JSON in test failure messages.
void PrintTo(const QJsonValue& value, std::ostream* os);
void PrintTo(const QJsonObject& object, std::ostream* os);
