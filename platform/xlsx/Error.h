#pragma once
// A failure of the spreadsheet layer: a bad sheet name, an address outside
// the sheet, a value or property it cannot hold, a save that did not happen.
// The workbook writers' handlers catch it and show its description.
#include <QString>
#include <stdexcept>

namespace zorbel::xl {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description) {}

    const QString& description() const { return m_description; }

private:
    QString m_description;
};

} // namespace zorbel::xl
