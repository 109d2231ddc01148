#include "platform/ui/FlexGridModel.h"

#include "platform/ui/FlexGrid.h"

#include <QMetaObject>

namespace zorbel::ui {

namespace {

Qt::Alignment qtAlignment(int a, const QString &text)
{
    if (a < 0 || a > 8) {
        bool number = false;
        text.toDouble(&number);
        return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    static const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontal[a / 3] | vertical[a % 3];
}

} // namespace

FlexGridModel::FlexGridModel(QObject *parent)
    : QAbstractTableModel(parent), m_texts(size_t(m_rows * m_cols)),
      m_alignments(size_t(m_cols), FlexGrid::AlignGeneral)
{
}

void FlexGridModel::setText(int r, int c, const QString &text)
{
    m_texts[at(r, c)] = text;
    changed(r, c);
}

template <class Change> void FlexGridModel::changeExtras(int r, int c, Change change)
{
    const quint64 k = key(r, c);
    Extras extras = m_extras.value(k);
    change(extras);
    if (extras.empty())
        m_extras.remove(k);
    else
        m_extras.insert(k, extras);
    changed(r, c);
}

void FlexGridModel::setPicture(int r, int c, const QPixmap &picture)
{
    changeExtras(r, c, [&picture](Extras &e) { e.picture = picture; });
}

void FlexGridModel::setBackColor(int r, int c, const QColor &color)
{
    changeExtras(r, c, [&color](Extras &e) { e.back = color; });
}

void FlexGridModel::setAlignment(int c, int alignment)
{
    m_alignments[size_t(c)] = alignment;
    changed(1, c, m_rows - 1, c);
}

void FlexGridModel::setRows(int n)
{
    const int old = m_rows;
    if (n > old) {
        beginInsertRows({}, old - 1, n - 2);
        m_texts.resize(size_t(n) * size_t(m_cols));
        m_rows = n;
        endInsertRows();
    } else if (n < old) {
        beginRemoveRows({}, n - 1, old - 2);
        m_texts.resize(size_t(n) * size_t(m_cols));
        m_rows = n;
        dropExtras([n](int r, int) { return r >= n; });
        endRemoveRows();
    }
}

void FlexGridModel::setCols(int n)
{
    const int old = m_cols;
    if (n == old)
        return;
    if (n > old)
        beginInsertColumns({}, old, n - 1);
    else
        beginRemoveColumns({}, n, old - 1);
    std::vector<QString> texts(size_t(m_rows) * size_t(n));
    const int kept = qMin(old, n);
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < kept; ++c)
            texts[size_t(r) * size_t(n) + size_t(c)] = std::move(m_texts[at(r, c)]);
    m_texts = std::move(texts);
    m_alignments.resize(size_t(n), FlexGrid::AlignGeneral);
    m_cols = n;
    if (n < old)
        dropExtras([n](int, int c) { return c >= n; });
    n > old ? endInsertColumns() : endRemoveColumns();
}

void FlexGridModel::clear()
{
    for (QString &s : m_texts)
        s.clear();
    m_extras.clear();
    changed(0, 0, m_rows - 1, m_cols - 1);
}

template <class Pred> void FlexGridModel::dropExtras(Pred drop)
{
    for (auto it = m_extras.begin(); it != m_extras.end();)
        it = drop(int(it.key() >> 32), int(it.key() & 0xffffffffu)) ? m_extras.erase(it) : std::next(it);
}

QVariant FlexGridModel::data(const QModelIndex &index, int role) const
{
    return index.isValid() ? cellData(index.row() + 1, index.column(), role) : QVariant();
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_cols)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return cellData(0, section, role);
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant FlexGridModel::cellData(int r, int c, int role) const
{
    if (!contains(r, c))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(r, c);
    case Qt::DecorationRole:
    case Qt::BackgroundRole: {
        if (m_extras.isEmpty())
            return {};
        const auto it = m_extras.constFind(key(r, c));
        if (it == m_extras.constEnd())
            return {};
        if (role == Qt::DecorationRole)
            return it->picture.isNull() ? QVariant() : QVariant(it->picture);
        return it->back.isValid() ? QVariant(it->back) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qtAlignment(alignment(c), text(r, c)));
    default:
        return {};
    }
}

void FlexGridModel::changed(int top, int left, int bottom, int right)
{
    if (bottom < top || right < left)
        return;
    if (m_bottom < m_top) {
        m_top = top, m_left = left, m_bottom = bottom, m_right = right;
    } else {
        m_top = qMin(m_top, top), m_left = qMin(m_left, left);
        m_bottom = qMax(m_bottom, bottom), m_right = qMax(m_right, right);
    }
    if (!m_tellPending) {
        m_tellPending = true;
        QMetaObject::invokeMethod(this, &FlexGridModel::tellChanges, Qt::QueuedConnection);
    }
}

void FlexGridModel::tellChanges()
{
    m_tellPending = false;
    // Rows or columns may have gone since the cells changed.
    const int bottom = qMin(m_bottom, m_rows - 1);
    const int right = qMin(m_right, m_cols - 1);
    const int top = m_top, left = m_left;
    m_bottom = -1;
    if (bottom < top || right < left)
        return;
    if (top == 0)
        emit headerDataChanged(Qt::Horizontal, left, right);
    if (bottom >= 1)
        emit dataChanged(index(qMax(top, 1) - 1, left), index(bottom - 1, right));
}

} // namespace zorbel::ui
