#pragma once
// The spreadsheet application the workbook writers drive: a new one per
// export, holding the workbooks it made.
//
// SheetsInNewWorkbook is one setting for the whole program, as the
// spreadsheet program keeps it between its instances: a writer reads it, sets
// it to the number of sheets it wants, adds its workbook and puts it back.
#include "platform/xlsx/Workbook.h"

#include <memory>
#include <vector>

namespace zorbel::xl {

class Application;

class Workbooks {
public:
    /// A new workbook with SheetsInNewWorkbook sheets.
    Workbook& Add();
    int Count() const { return int(m_workbooks.size()); }
    /// 1-based; anything else raises xl::Error.
    Workbook& Item(int index);

private:
    std::vector<std::unique_ptr<Workbook>> m_workbooks;
};

class Application {
public:
    Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /// Kept for the writers that set it; the saved file is what the user sees.
    bool Visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    /// The program-wide count of sheets a new workbook gets (3 at start).
    static int SheetsInNewWorkbook();
    /// Any count from 1 up; a lower one raises xl::Error and keeps the setting.
    static void setSheetsInNewWorkbook(int count);

    xl::Workbooks& Workbooks() { return m_workbooks; }

private:
    bool m_visible = false;
    xl::Workbooks m_workbooks;
};

} // namespace zorbel::xl
