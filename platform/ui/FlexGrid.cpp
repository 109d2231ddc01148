#include "platform/ui/FlexGrid.h"

#include "controls/Twips.h"

#include <QAbstractTableModel>
#include <QEvent>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include <vector>

namespace zorbel::ui {

// Cells as plain strings, row 0 shown as the view's header. Row-major
// vectors keep a cell write constant time and an append amortised constant.
class FlexGridModel : public QAbstractTableModel {
public:
    explicit FlexGridModel(QObject *parent) : QAbstractTableModel(parent), m_cells(1, std::vector<QString>(2)) {}

    int rows() const { return int(m_cells.size()); }
    int cols() const { return m_cols; }
    bool contains(int r, int c) const { return r >= 0 && r < rows() && c >= 0 && c < m_cols; }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : rows() - 1; }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_cols; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        return cellData(index.row() + 1, index.column(), role);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= m_cols)
            return {};
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return cellData(0, section, role);
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    const QString &text(int r, int c) const { return m_cells[size_t(r)][size_t(c)]; }

    void setText(int r, int c, const QString &text)
    {
        m_cells[size_t(r)][size_t(c)] = text;
        changed(r, c);
    }

    QPixmap picture(int r, int c) const { return m_pictures.value(key(r, c)); }

    void setPicture(int r, int c, const QPixmap &p)
    {
        if (p.isNull())
            m_pictures.remove(key(r, c));
        else
            m_pictures.insert(key(r, c), p);
        changed(r, c);
    }

    int alignment(int c) const { return m_alignments[size_t(c)]; }

    void setAlignment(int c, int a)
    {
        m_alignments[size_t(c)] = a;
        if (rows() > 1)
            emit dataChanged(index(0, c), index(rows() - 2, c), {Qt::TextAlignmentRole});
    }

    void setRows(int n)
    {
        const int old = rows();
        if (n > old) {
            beginInsertRows({}, old - 1, n - 2);
            m_cells.resize(size_t(n), std::vector<QString>(size_t(m_cols)));
            endInsertRows();
        } else if (n < old) {
            beginRemoveRows({}, n - 1, old - 2);
            m_cells.resize(size_t(n));
            dropPictures([n](int r, int) { return r >= n; });
            endRemoveRows();
        }
    }

    void setCols(int n)
    {
        const int old = m_cols;
        if (n == old)
            return;
        if (n > old)
            beginInsertColumns({}, old, n - 1);
        else
            beginRemoveColumns({}, n, old - 1);
        for (auto &row : m_cells)
            row.resize(size_t(n));
        m_alignments.resize(size_t(n), FlexGrid::AlignGeneral);
        m_cols = n;
        if (n < old)
            dropPictures([n](int, int c) { return c >= n; });
        n > old ? endInsertColumns() : endRemoveColumns();
    }

    void clear()
    {
        for (auto &row : m_cells)
            for (QString &s : row)
                s.clear();
        m_pictures.clear();
        if (m_cols > 0) {
            emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
            if (rows() > 1)
                emit dataChanged(index(0, 0), index(rows() - 2, m_cols - 1));
        }
    }

private:
    static quint64 key(int r, int c) { return (quint64(quint32(r)) << 32) | quint32(c); }

    template <class Pred> void dropPictures(Pred drop)
    {
        for (auto it = m_pictures.begin(); it != m_pictures.end();)
            it = drop(int(it.key() >> 32), int(it.key() & 0xffffffffu)) ? m_pictures.erase(it) : std::next(it);
    }

    void changed(int r, int c)
    {
        if (r == 0)
            emit headerDataChanged(Qt::Horizontal, c, c);
        else
            emit dataChanged(index(r - 1, c), index(r - 1, c));
    }

    QVariant cellData(int r, int c, int role) const
    {
        if (!contains(r, c))
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return text(r, c);
        case Qt::DecorationRole: {
            const auto it = m_pictures.constFind(key(r, c));
            return it == m_pictures.constEnd() ? QVariant() : QVariant(*it);
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(qtAlignment(alignment(c), text(r, c)));
        default:
            return {};
        }
    }

    static Qt::Alignment qtAlignment(int a, const QString &text)
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

    std::vector<std::vector<QString>> m_cells;
    std::vector<int> m_alignments = std::vector<int>(2, FlexGrid::AlignGeneral);
    int m_cols = 2;
    QHash<quint64, QPixmap> m_pictures;
};

FlexGrid::FlexGrid(QWidget *parent) : QWidget(parent)
{
    m_model = new FlexGridModel(this);
    m_view = new QTableView(this);
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTabKeyNavigation(false);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(QFontMetrics(m_view->font()).height() + 4);
    QHeaderView *header = m_view->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    m_view->viewport()->installEventFilter(this);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { onCurrentChanged(current); });
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        // Ctrl+click could deselect the current row; it always shows selected.
        if (!m_syncing && m_row >= 1 && !m_view->selectionModel()->hasSelection())
            syncCurrent();
    });
    connect(m_view, &QAbstractItemView::clicked, this, [this](const QModelIndex &i) { onClicked(i); });
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &i) { onDoubleClicked(i); });
}

FlexGrid::~FlexGrid() = default;

int FlexGrid::Rows() const { return m_model->rows(); }

void FlexGrid::setRows(int rows)
{
    rows = qMax(rows, 1);
    if (rows == m_model->rows())
        return;
    const bool shrinking = rows < m_model->rows();
    // Qt moves its own current index when rows go; that is no user move.
    m_syncing = true;
    m_model->setRows(rows);
    m_syncing = false;
    const int before = m_row;
    keepCurrentValid();
    if (shrinking || m_row != before)
        syncCurrent();
}

int FlexGrid::Cols() const { return m_model->cols(); }

void FlexGrid::setCols(int cols)
{
    cols = qMax(cols, 1);
    if (cols == m_model->cols())
        return;
    m_syncing = true;
    m_model->setCols(cols);
    m_syncing = false;
    keepCurrentValid();
    syncCurrent();
}

void FlexGrid::setRow(int row)
{
    if (row < 1 || row >= Rows()) {
        qWarning("FlexGrid::setRow: row %d out of range (Rows %d)", row, Rows());
        return;
    }
    if (row == m_row)
        return;
    m_row = row;
    syncCurrent();
    emit RowColChange();
}

void FlexGrid::setCol(int col)
{
    if (col < 0 || col >= Cols()) {
        qWarning("FlexGrid::setCol: column %d out of range (Cols %d)", col, Cols());
        return;
    }
    if (col == m_col)
        return;
    m_col = col;
    if (m_row < 1)
        return; // no current cell to move yet
    syncCurrent();
    emit RowColChange();
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    if (!m_model->contains(row, col)) {
        qWarning("FlexGrid::TextMatrix: cell (%d, %d) out of range (%d x %d)", row, col, Rows(), Cols());
        return QString();
    }
    return m_model->text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString &text)
{
    if (!m_model->contains(row, col)) {
        qWarning("FlexGrid::setTextMatrix: cell (%d, %d) out of range (%d x %d)", row, col, Rows(), Cols());
        return;
    }
    m_model->setText(row, col, text);
}

QPixmap FlexGrid::CellPicture(int row, int col) const { return m_model->picture(row, col); }

void FlexGrid::setCellPicture(int row, int col, const QPixmap &picture)
{
    if (!m_model->contains(row, col)) {
        qWarning("FlexGrid::setCellPicture: cell (%d, %d) out of range (%d x %d)", row, col, Rows(), Cols());
        return;
    }
    m_model->setPicture(row, col, picture);
}

double FlexGrid::twipsPerPixel() const
{
    const int dpi = logicalDpiX();
    return dpi > 0 ? controls::twipsPerPixelForDpi(dpi) : controls::TwipsPerPixel;
}

int FlexGrid::ColWidth(int col) const
{
    if (col < 0 || col >= Cols())
        return 0;
    if (m_view->isColumnHidden(col))
        return 0;
    return qRound(m_view->columnWidth(col) * twipsPerPixel());
}

void FlexGrid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= Cols()) {
        qWarning("FlexGrid::setColWidth: column %d out of range (Cols %d)", col, Cols());
        return;
    }
    if (twips == 0) {
        m_view->setColumnHidden(col, true);
        return;
    }
    m_view->setColumnHidden(col, false);
    const int pixels = twips < 0 ? m_view->horizontalHeader()->defaultSectionSize()
                                 : qMax(1, qRound(twips / twipsPerPixel()));
    m_view->setColumnWidth(col, pixels);
}

int FlexGrid::ColAlignment(int col) const
{
    return col >= 0 && col < Cols() ? m_model->alignment(col) : AlignGeneral;
}

void FlexGrid::setColAlignment(int col, int alignment)
{
    if (col < 0 || col >= Cols()) {
        qWarning("FlexGrid::setColAlignment: column %d out of range (Cols %d)", col, Cols());
        return;
    }
    m_model->setAlignment(col, alignment >= 0 && alignment <= 8 ? alignment : int(AlignGeneral));
}

void FlexGrid::Clear() { m_model->clear(); }

int FlexGrid::TextWidth(const QString &text) const
{
    return qRound(QFontMetrics(m_view->font()).horizontalAdvance(text) * twipsPerPixel());
}

QRect FlexGrid::cellRect(int row, int col) const
{
    if (row < 1 || !m_model->contains(row, col) || m_view->isColumnHidden(col))
        return {};
    return m_view->visualRect(m_model->index(row - 1, col));
}

bool FlexGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::MouseButtonPress)
        m_afterDoubleClick = false;
    return QWidget::eventFilter(watched, event);
}

void FlexGrid::onCurrentChanged(const QModelIndex &current)
{
    if (m_syncing || !current.isValid())
        return;
    const int row = current.row() + 1;
    const int col = current.column();
    if (row == m_row && col == m_col)
        return;
    m_row = row;
    m_col = col;
    emit RowColChange();
}

void FlexGrid::onClicked(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    // The release that ends a double-click is no second click.
    if (m_afterDoubleClick) {
        m_afterDoubleClick = false;
        return;
    }
    emit Click();
}

void FlexGrid::onDoubleClicked(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    m_afterDoubleClick = true;
    emit DblClick();
}

void FlexGrid::keepCurrentValid()
{
    const int rows = Rows();
    if (rows <= 1)
        m_row = 0;
    else if (m_row < 1)
        m_row = 1;
    else if (m_row >= rows)
        m_row = rows - 1;
    if (m_col >= Cols())
        m_col = Cols() - 1;
}

void FlexGrid::syncCurrent()
{
    QItemSelectionModel *sel = m_view->selectionModel();
    m_syncing = true;
    if (m_row >= 1 && m_row < Rows()) {
        const QModelIndex index = m_model->index(m_row - 1, m_col);
        sel->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        sel->clear();
    }
    m_syncing = false;
}

} // namespace zorbel::ui
