#include "client/shell/Values.h"

namespace zorbel::shell {

qint16 int16Of(const QVariant& value, qint16 fallback) {
    if (value.isNull())
        return fallback;
    bool ok = false;
    const short v = value.toString().trimmed().toShort(&ok);
    return ok ? static_cast<qint16>(v) : fallback;
}

} // namespace zorbel::shell
