#pragma once
// Creation of the business object by its ProgID, as the program asks for it.

#include "business/ZorbelClass.h"

#include <memory>

namespace zorbel {

// VB's "ActiveX component can't create object".
inline constexpr qint32 kCannotCreateObject = 429;

// Throws data::Error(kCannotCreateObject) for a ProgID that names nothing here.
std::unique_ptr<ZorbelClass> CreateObject(const QString& progId);

} // namespace zorbel
