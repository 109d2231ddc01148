#pragma once
// The classic 56-colour palette that ColorIndex values point into.
#include <QtGlobal>
#include <optional>

namespace zorbel::xl {

/// The 0xRRGGBB colour at a palette position (1 to 56); nullopt outside it.
std::optional<quint32> paletteColour(int colorIndex);

} // namespace zorbel::xl
