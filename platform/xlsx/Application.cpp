#include "platform/xlsx/Application.h"

#include "platform/xlsx/Error.h"

namespace zorbel::xl {

namespace {
// The spreadsheet program's own setting, outliving each export as it does
// there; the writers put it back after use.
int g_sheetsInNewWorkbook = 3;
} // namespace

int Application::SheetsInNewWorkbook() { return g_sheetsInNewWorkbook; }

void Application::setSheetsInNewWorkbook(int count)
{
    if (count < 1)
        throw Error(QStringLiteral("SheetsInNewWorkbook must be at least 1, not %1").arg(count));
    g_sheetsInNewWorkbook = count;
}

Workbook& Workbooks::Add()
{
    m_workbooks.push_back(std::make_unique<Workbook>(Application::SheetsInNewWorkbook()));
    return *m_workbooks.back();
}

Workbook& Workbooks::Item(int index)
{
    if (index < 1 || index > Count())
        throw Error(QStringLiteral("There is no workbook %1: %2 are open").arg(index).arg(Count()));
    return *m_workbooks[size_t(index - 1)];
}

} // namespace zorbel::xl
