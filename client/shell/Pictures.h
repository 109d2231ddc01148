#pragma once
// Pictures drawn in code: the status pictures of the grids and the viewer,
// and the icons of the navigation tree.
//
// The grids' status pictures live in g_statusPictures (slots 0 to 6 by
// StatusID, 7 to 10 empty). Any window asks for them through
// gridStatusPicture, which draws them on first use, so a grid shows its lamps
// whichever editor opened first.

#include <QPixmap>
#include <QString>

namespace zorbel::shell {

// The picture of a status (0 to 6, in the status light's colours); an empty
// picture for any other value.
QPixmap statusPicture(int status);
// Draws the grids' status pictures into g_statusPictures. A picture that
// cannot be made is reported ("Load Images Failed: ...") and leaves its slot
// and the ones after it as they were.
void LoadStatusPictures();
// The grid picture of a StatusID, drawn on first use; an empty picture for a
// StatusID without one (below 0, or an empty slot 7 to 10, or beyond).
QPixmap gridStatusPicture(int status);
// The icon of a navigation tree item by its image key.
QPixmap treeIcon(const QString& imageKey);

} // namespace zorbel::shell
