#include "platform/xlsx/Workbook.h"

#include "platform/xlsx/Error.h"
#include "platform/xlsx/SheetName.h"
#include "platform/xlsx/XlsxFile.h"

#include <QDir>

namespace zorbel::xl {

Workbook::Workbook(int sheetCount)
{
    if (sheetCount < 1)
        throw Error(QStringLiteral("A workbook has at least one sheet"));
    m_sheets.reserve(size_t(sheetCount));
    for (int i = 1; i <= sheetCount; ++i)
        m_sheets.push_back(std::make_unique<Worksheet>(*this, QStringLiteral("Sheet%1").arg(i)));
}

Worksheet& Workbook::sheetAt(int index)
{
    if (index < 1 || index > Count())
        throw Error(QStringLiteral("There is no sheet %1: the workbook has %2").arg(index).arg(Count()));
    return *m_sheets[size_t(index - 1)];
}

Worksheet& Workbook::sheetNamed(const QString& name)
{
    for (auto& sheet : m_sheets)
        if (sameSheetName(sheet->Name(), name))
            return *sheet;
    throw Error(QStringLiteral("There is no sheet named \"%1\"").arg(name));
}

void Workbook::renameSheets(const QStringList& names)
{
    if (names.size() > Count())
        throw Error(QStringLiteral("There are %1 sheet names for %2 sheets").arg(names.size()).arg(Count()));
    QStringList kept;
    for (int i = int(names.size()); i < Count(); ++i)
        kept << m_sheets[size_t(i)]->Name();
    QStringList checked;
    for (const QString& name : names)
        checked << Worksheet::checkedName(name, kept + checked);
    for (qsizetype i = 0; i < checked.size(); ++i)
        m_sheets[size_t(i)]->m_name = checked[i];
}

void Workbook::activate(const Worksheet& sheet) { m_active = indexOf(sheet); }

int Workbook::indexOf(const Worksheet& sheet) const
{
    for (size_t i = 0; i < m_sheets.size(); ++i)
        if (m_sheets[i].get() == &sheet)
            return int(i);
    return -1;
}

QStringList Workbook::namesBeside(const Worksheet& sheet) const
{
    QStringList names;
    for (const auto& other : m_sheets)
        if (other.get() != &sheet)
            names << other->Name();
    return names;
}

void Workbook::SaveAs(const QString& path)
{
    const QString fullPath = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    writeXlsxFile(*this, fullPath);
    m_fullName = fullPath;
}

} // namespace zorbel::xl
