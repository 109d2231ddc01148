#pragma once
// Pictures drawn in code: the status pictures of the grids and the viewer,
// and the icons of the navigation tree.

#include <QPixmap>
#include <QString>

namespace zorbel::shell {

// The picture of a status (0 to 6, in the status light's colours); an empty
// picture for any other value.
QPixmap statusPicture(int status);
// The icon of a navigation tree item by its image key.
QPixmap treeIcon(const QString& imageKey);

} // namespace zorbel::shell
