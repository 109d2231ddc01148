#include "platform/data/StoredValues.h"

#include "platform/data/Error.h"

#include <QDateTime>
#include <QStringDecoder>
#include <cmath>

namespace zorbel::data {
namespace {

bool isSharedYear(const QDate& date) {
    return !date.isValid() || (date.year() >= 1 && date.year() <= 9999);
}

} // namespace

void requireStorableValues(const QVariantList& values) {
    for (const QVariant& value : values) {
        if (value.isNull())
            continue;
        switch (value.typeId()) {
        case QMetaType::QDateTime:
        case QMetaType::QDate:
            if (!isSharedYear(value.typeId() == QMetaType::QDate ? value.toDate() : value.toDateTime().date()))
                throw Error(kStatementFailed,
                            QStringLiteral("A date before the year 1 or after the year 9999 cannot be stored"));
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            if (!std::isfinite(value.toDouble()))
                throw Error(kStatementFailed, QStringLiteral("A number that is infinite or not a number cannot be "
                                                             "stored"));
            break;
        default:
            break;
        }
    }
}

QString textFromUtf8(const char* bytes, qsizetype size) {
    if (size >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF')
        return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom)(
            QByteArrayView(bytes, size));
    return QString::fromUtf8(bytes, size);
}

} // namespace zorbel::data
