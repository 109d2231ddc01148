#pragma once
// A workbook in memory: its sheets in order, the formats they use and the
// active sheet, saved as an .xlsx file by SaveAs.
#include "platform/xlsx/CellFormat.h"
#include "platform/xlsx/Worksheet.h"

#include <QString>
#include <memory>
#include <vector>

namespace zorbel::xl {

class Workbook {
public:
    /// A workbook of `sheetCount` sheets named Sheet1, Sheet2, ...
    explicit Workbook(int sheetCount);
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    /// Sheets by 1-based position or by name (without regard to case);
    /// anything else raises xl::Error.
    Worksheet& Worksheets(int index) { return sheetAt(index); }
    Worksheet& Worksheets(const QString& name) { return sheetNamed(name); }
    Worksheet& Sheets(int index) { return sheetAt(index); }
    Worksheet& Sheets(const QString& name) { return sheetNamed(name); }
    /// Renames the first sheets in order, all at once: each name is checked
    /// against the other new names and the sheets not renamed, never against
    /// a name that a renamed sheet gives up, so sheets may trade names. A
    /// name refused raises xl::Error and no sheet is renamed.
    void renameSheets(const QStringList& names);
    int Count() const { return int(m_sheets.size()); }
    Worksheet& ActiveSheet() const { return *m_sheets[size_t(m_active)]; }

    /// Writes the workbook to `path` (a full path; a relative one is taken
    /// from the current folder), replacing a file that is there. The file is
    /// written beside it under a temporary name and renamed into place, so a
    /// failed save (raised as xl::Error with the reason and the path) leaves
    /// any earlier file as it was and no partial file behind. The workbook
    /// stays in memory either way.
    void SaveAs(const QString& path);
    /// The full path of the last successful save; empty before one.
    const QString& FullName() const { return m_fullName; }

    // Read back
    const std::vector<std::unique_ptr<Worksheet>>& sheets() const { return m_sheets; }
    const StyleTable& styles() const { return m_styles; }
    StyleTable& styles() { return m_styles; }
    int activeIndex() const { return m_active + 1; }

private:
    friend class Worksheet;
    Worksheet& sheetAt(int index);
    Worksheet& sheetNamed(const QString& name);
    void activate(const Worksheet& sheet);
    int indexOf(const Worksheet& sheet) const;
    QStringList namesBeside(const Worksheet& sheet) const;

    std::vector<std::unique_ptr<Worksheet>> m_sheets;
    StyleTable m_styles;
    int m_active = 0;
    QString m_fullName;
};

} // namespace zorbel::xl
