#include "client/shell/Combos.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace zorbel::shell {

QStringList fieldTexts(const data::RecordsetPtr& list, int field) {
    QStringList texts;
    const int count = list ? list->RecordCount() : 0;
    texts.reserve(count);
    for (int i = 0; i < count; ++i)
        texts << list->cell(i, field).toString();
    return texts;
}

QStringList fieldTexts(const data::RecordsetPtr& list, const QString& fieldName) {
    return fieldTexts(list, list ? list->FieldIndex(fieldName) : -1);
}

void fillCombo(QComboBox& combo, const QStringList& items) {
    const QSignalBlocker block(&combo);
    combo.clear();
    combo.addItems(items);
    combo.setCurrentIndex(-1);
}

void fillCombo(QComboBox& combo, const data::RecordsetPtr& list, int field) {
    fillCombo(combo, fieldTexts(list, field));
}

int comboIndexForID(qint32 id, int count) {
    return (id >= 1 && id <= count) ? id - 1 : -1;
}

void selectByID(QComboBox& combo, qint32 id) {
    combo.setCurrentIndex(comboIndexForID(id, combo.count()));
}

qint16 idFromCombo(const QComboBox& combo, qint16 whenNone) {
    return combo.currentIndex() >= 0 ? static_cast<qint16>(combo.currentIndex() + 1) : whenNone;
}

int rowOfID(const data::RecordsetPtr& list, qint32 id) {
    for (int i = 0; list && i < list->RecordCount(); ++i)
        if (list->cell(i, 0).toInt() == id)
            return i;
    return -1;
}

qint32 idAtRow(const data::RecordsetPtr& list, int row) {
    if (!list || row < 0 || row >= list->RecordCount())
        return 0;
    return list->cell(row, 0).toInt();
}

void selectRowOfID(QComboBox& combo, const data::RecordsetPtr& list, qint32 id) {
    const int row = rowOfID(list, id);
    combo.setCurrentIndex(row < combo.count() ? row : -1);
}

int positionOfName(const QStringList& names, int chosenIndex, const QString& text) {
    if (chosenIndex >= 0 && chosenIndex < names.size() && names.at(chosenIndex) == text)
        return chosenIndex;
    // Nothing chosen reads as an empty text, which must not pick an entry
    // that happens to have no name.
    if (text.isEmpty())
        return -1;
    return static_cast<int>(names.lastIndexOf(text));
}

} // namespace zorbel::shell
