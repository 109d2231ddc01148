#include "business/Factory.h"

namespace zorbel {

std::unique_ptr<ZorbelClass> CreateObject(const QString& progId) {
    if (progId.compare(QLatin1String(ZorbelClass::ProgID), Qt::CaseInsensitive) == 0)
        return std::make_unique<ZorbelClass>();
    throw data::Error(kCannotCreateObject, QStringLiteral("ActiveX component can't create object"));
}

} // namespace zorbel
