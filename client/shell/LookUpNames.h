#pragma once
// The name a list gives an id (a team member's FullName by TeamID, a status
// text by its id), for grid columns that show names beside ids. The list is
// read once when the names are taken and every row then looks its id up in
// constant time, so a long list costs no query and no walk per row.
//
// What a cell shows: nothing for a null id, "-1" for an id that the list does
// not hold (as GetFieldFromID answers, also when the list is missing), the
// name otherwise ("" for a null name).

#include "platform/data/Recordset.h"

#include <QHash>
#include <QString>
#include <QVariant>

namespace zorbel::shell {

class LookUpNames {
public:
    LookUpNames() = default;
    // The named field of every row by the row's id (column 0); the first row wins.
    LookUpNames(const data::RecordsetPtr& list, const QString& fieldName);

    QString nameOf(const QVariant& id) const;

private:
    QHash<qint32, QString> m_names;
};

} // namespace zorbel::shell
