#include "platform/xlsx/Address.h"

#include "platform/xlsx/Constants.h"

namespace zorbel::xl {

namespace {

bool isLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Reads letters at pos as a column number; 0 when there are none or the
// column lies beyond the sheet.
int readColumn(const QString& s, qsizetype& pos)
{
    int column = 0;
    qsizetype start = pos;
    while (pos < s.size() && isLetter(s[pos])) {
        column = column * 26 + (s[pos].toUpper().unicode() - u'A' + 1);
        if (column > kMaxColumns)
            return 0;
        ++pos;
    }
    return pos > start ? column : 0;
}

// Reads digits at pos as a row number; 0 when there are none or the row lies
// beyond the sheet.
int readRow(const QString& s, qsizetype& pos)
{
    qint64 row = 0;
    qsizetype start = pos;
    while (pos < s.size() && isDigit(s[pos])) {
        row = row * 10 + (s[pos].unicode() - u'0');
        if (row > kMaxRows)
            return 0;
        ++pos;
    }
    return pos > start ? int(row) : 0;
}

void skipDollar(const QString& s, qsizetype& pos)
{
    if (pos < s.size() && s[pos] == u'$')
        ++pos;
}

// One end of an address: a cell, a column or a row.
struct End {
    int row = 0;     // 0: a whole column
    int column = 0;  // 0: a whole row
};

std::optional<End> readEnd(const QString& s, qsizetype& pos)
{
    End end;
    skipDollar(s, pos);
    if (pos < s.size() && isLetter(s[pos])) {
        end.column = readColumn(s, pos);
        if (end.column == 0)
            return std::nullopt;
        skipDollar(s, pos);
    }
    if (pos < s.size() && isDigit(s[pos])) {
        end.row = readRow(s, pos);
        if (end.row == 0)
            return std::nullopt;
    }
    if (end.row == 0 && end.column == 0)
        return std::nullopt;
    return end;
}

Area spanning(int top, int left, int bottom, int right)
{
    return {std::min(top, bottom), std::min(left, right), std::max(top, bottom), std::max(left, right)};
}

} // namespace

std::optional<Reference> parseAddress(const QString& text)
{
    const QString s = text.trimmed();
    qsizetype pos = 0;
    auto first = readEnd(s, pos);
    if (!first)
        return std::nullopt;
    End second = *first;
    if (pos < s.size() && s[pos] == u':') {
        ++pos;
        auto other = readEnd(s, pos);
        if (!other)
            return std::nullopt;
        second = *other;
    }
    if (pos != s.size())
        return std::nullopt;

    const bool wholeColumns = first->row == 0 && second.row == 0;
    const bool wholeRows = first->column == 0 && second.column == 0;
    if (wholeColumns && s.contains(u':'))
        return Reference{AreaKind::Columns, spanning(1, first->column, kMaxRows, second.column)};
    if (wholeRows && s.contains(u':'))
        return Reference{AreaKind::Rows, spanning(first->row, 1, second.row, kMaxColumns)};
    if (first->row == 0 || first->column == 0 || second.row == 0 || second.column == 0)
        return std::nullopt;  // "B", "7" or a cell joined to a column
    return Reference{AreaKind::Cells, spanning(first->row, first->column, second.row, second.column)};
}

std::optional<Area> parseR1C1(const QString& text)
{
    QString s = text.trimmed();
    if (s.startsWith(u'='))
        s.remove(0, 1);
    qsizetype pos = 0;
    auto readCell = [&](int& row, int& column) {
        if (pos >= s.size() || s[pos].toUpper() != u'R')
            return false;
        ++pos;
        row = readRow(s, pos);
        if (row == 0 || pos >= s.size() || s[pos].toUpper() != u'C')
            return false;
        ++pos;
        const qsizetype start = pos;
        const int c = readRow(s, pos);
        if (pos == start || c < 1 || c > kMaxColumns)
            return false;
        column = c;
        return true;
    };
    int top = 0, left = 0;
    if (!readCell(top, left))
        return std::nullopt;
    int bottom = top, right = left;
    if (pos < s.size() && s[pos] == u':') {
        ++pos;
        if (!readCell(bottom, right))
            return std::nullopt;
    }
    if (pos != s.size())
        return std::nullopt;
    return spanning(top, left, bottom, right);
}

QString columnLetters(int column)
{
    QString letters;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        letters.prepend(QChar(u'A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

QString absoluteAddress(const Area& area)
{
    auto cell = [](int row, int column) {
        return QStringLiteral("$%1$%2").arg(columnLetters(column)).arg(row);
    };
    if (area.isSingleCell())
        return cell(area.top, area.left);
    return cell(area.top, area.left) + u':' + cell(area.bottom, area.right);
}

bool looksLikeCellReference(const QString& text)
{
    const QString upper = text.toUpper();
    if (upper == u"R" || upper == u"C")
        return true;
    // R1C1 notation: R, C, Rn, Cn, RnCn
    qsizetype pos = 0;
    bool r1c1 = false;
    if (pos < upper.size() && upper[pos] == u'R') {
        ++pos;
        while (pos < upper.size() && isDigit(upper[pos]))
            ++pos;
        r1c1 = true;
    }
    if (pos < upper.size() && upper[pos] == u'C') {
        ++pos;
        while (pos < upper.size() && isDigit(upper[pos]))
            ++pos;
        r1c1 = true;
    }
    if (r1c1 && pos == upper.size())
        return true;
    // A1 notation, also beyond the sheet's last row: "A0" or "XFD99999999"
    pos = 0;
    qsizetype letters = 0;
    while (pos < upper.size() && isLetter(upper[pos])) {
        ++pos;
        ++letters;
    }
    qsizetype digits = 0;
    while (pos < upper.size() && isDigit(upper[pos])) {
        ++pos;
        ++digits;
    }
    return pos == upper.size() && letters >= 1 && letters <= 3 && digits >= 1;
}

} // namespace zorbel::xl
