#include "client/shell/SavedRecord.h"

#include "platform/ui/FlexGrid.h"

#include <algorithm>
#include <set>

namespace zorbel::shell {

int rowAfterSave(const data::Recordset& list, qint32 id, int rowBefore) {
    const int count = list.RecordCount();
    if (count <= 0)
        return 0;
    for (int i = 0; i < count; ++i)
        if (id != 0 && list.row(i)[0].toInt() == id)
            return i + 1;
    return std::clamp(rowBefore, 1, count);
}

qint32 addedID(const data::RecordsetPtr& before, const data::RecordsetPtr& after) {
    if (!after)
        return 0;
    std::set<qint32> known;
    for (int i = 0; before && i < before->RecordCount(); ++i)
        known.insert(before->row(i)[0].toInt());
    qint32 added = 0;
    for (int i = 0; i < after->RecordCount(); ++i) {
        const qint32 id = after->row(i)[0].toInt();
        if (!known.count(id) && id > added)
            added = id;
    }
    return added;
}

void selectSaved(ui::FlexGrid& grid, const data::RecordsetPtr& list, const SavedRecord& saved) {
    if (!list || list->RecordCount() == 0)
        return;
    const qint32 added = saved.listBefore ? addedID(saved.listBefore, list) : 0;
    grid.setRow(rowAfterSave(*list, added ? added : saved.id, saved.rowBefore));
}

} // namespace zorbel::shell
