#include "platform/data/ConnectionString.h"

#include <QStringList>

namespace zorbel::data {

ConnectionString ConnectionString::parse(const QString& text) {
    ConnectionString result;
    const QStringList parts = text.split(u';');
    for (const QString& part : parts) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = part.left(eq).trimmed().toLower();
        const QString value = part.mid(eq + 1).trimmed();
        if (key == u"data source" || key == u"dsn")
            result.dataSource = value;
        else if (key == u"user id" || key == u"uid")
            result.userId = value;
        else if (key == u"password" || key == u"pwd")
            result.password = value;
    }
    return result;
}

} // namespace zorbel::data
