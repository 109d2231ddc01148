#include "business/Text.h"

namespace zorbel {

QString cutToCharacters(const QString& text, int width) {
    if (width <= 0 || text.size() <= width)
        return text;
    qsizetype units = 0;
    for (int chars = 0; chars < width && units < text.size(); ++chars)
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
    return text.left(units);
}

} // namespace zorbel
