#include "platform/ui/FlexGrid.h"

#include "controls/Twips.h"

#include "platform/ui/FlexGridModel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIcon>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace zorbel::ui {

namespace {

// Draws a cell's own colour and picture as they are on a selected row too:
// the colour is what the cell says (a risk's score, a task's status), and the
// selection tint would turn one status into another. A coloured cell on the
// selected row shows the selection as a band along its top and bottom edges.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        if (!selected || !index.data(Qt::BackgroundRole).isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem unselected(option);
        unselected.state &= ~QStyle::State_Selected;
        QStyledItemDelegate::paint(painter, unselected, index);
        const QRect r = option.rect;
        const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (option.state & QStyle::State_Active)  ? QPalette::Active
                                                                                      : QPalette::Inactive;
        const QColor band = option.palette.color(group, QPalette::Highlight);
        painter->fillRect(QRect(r.left(), r.top(), r.width(), kBand), band);
        painter->fillRect(QRect(r.left(), r.bottom() - kBand + 1, r.width(), kBand), band);
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(option->features & QStyleOptionViewItem::HasDecoration))
            return;
        // The style would draw a selected cell's picture in its tinted form.
        const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
        QIcon exact;
        exact.addPixmap(picture, QIcon::Normal);
        exact.addPixmap(picture, QIcon::Selected);
        option->icon = exact;
    }

private:
    static constexpr int kBand = 2;
};

} // namespace

FlexGrid::FlexGrid(QWidget *parent) : QWidget(parent)
{
    m_model = new FlexGridModel(this);
    m_view = new QTableView(this);
    m_view->setModel(m_model);
    m_view->setItemDelegate(new CellDelegate(m_view));
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

bool FlexGrid::cellExists(const char *caller, int row, int col) const
{
    if (m_model->contains(row, col))
        return true;
    qWarning("FlexGrid::%s: cell (%d, %d) out of range (%d x %d)", caller, row, col, Rows(), Cols());
    return false;
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    if (!cellExists("TextMatrix", row, col))
        return QString();
    return m_model->text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString &text)
{
    if (!cellExists("setTextMatrix", row, col))
        return;
    m_model->setText(row, col, text);
}

QPixmap FlexGrid::CellPicture(int row, int col) const
{
    return m_model->contains(row, col) ? m_model->picture(row, col) : QPixmap();
}

void FlexGrid::setCellPicture(int row, int col, const QPixmap &picture)
{
    if (!cellExists("setCellPicture", row, col))
        return;
    m_model->setPicture(row, col, picture);
}

QColor FlexGrid::CellBackColor(int row, int col) const
{
    return m_model->contains(row, col) ? m_model->backColor(row, col) : QColor();
}

void FlexGrid::setCellBackColor(int row, int col, const QColor &color)
{
    if (!cellExists("setCellBackColor", row, col))
        return;
    m_model->setBackColor(row, col, color);
}

double FlexGrid::twipsPerPixel() const
{
    // Across, as the window that holds the grid measures its own layout.
    return 1.0 / controls::TwipScale::of(this).pixelsPerTwipX();
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
