#pragma once
// The control library's own art, drawn in code: the three 88 x 21 pictures of
// ctrlButton (normal, pressed, disabled) and the two 16 x 15 toolbox bitmaps.
#include "controls/ControlsExport.h"

#include <QImage>

namespace zorbel::controls {

enum class ButtonPicture { Normal, Pressed, Disabled };

inline constexpr int ButtonPictureWidth = 88;  // 1320 twips
inline constexpr int ButtonPictureHeight = 21; // 315 twips

/// One of the three button pictures (88 x 21, opaque). The same picture is
/// returned on every call.
ZORBEL_CONTROLS_EXPORT QImage buttonPicture(ButtonPicture which);

/// Toolbox bitmaps (16 x 15): resource 30000 for ctrlButton, 30001 for StatusLED.
ZORBEL_CONTROLS_EXPORT QImage toolboxBitmap(int resourceId);

} // namespace zorbel::controls
