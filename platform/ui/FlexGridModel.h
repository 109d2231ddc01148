#pragma once
// The record grid's cells behind its view: texts, pictures and background
// colours by (row, column), row 0 being the view's header.
//
// Filling a grid writes every cell once, so a write only stores the text and
// widens a pending changed area; the view hears of that area once, when
// control returns to the event loop, which is the earliest it could repaint.
#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QString>

#include <vector>

namespace zorbel::ui {

class FlexGridModel : public QAbstractTableModel {
public:
    explicit FlexGridModel(QObject *parent);

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    bool contains(int r, int c) const { return r >= 0 && r < m_rows && c >= 0 && c < m_cols; }

    // Callers check contains() first.
    const QString &text(int r, int c) const { return m_texts[at(r, c)]; }
    void setText(int r, int c, const QString &text);
    QPixmap picture(int r, int c) const { return m_extras.value(key(r, c)).picture; }
    void setPicture(int r, int c, const QPixmap &picture);
    QColor backColor(int r, int c) const { return m_extras.value(key(r, c)).back; }
    void setBackColor(int r, int c, const QColor &color);
    int alignment(int c) const { return m_alignments[size_t(c)]; }
    void setAlignment(int c, int alignment);

    // Rows and cols count the header row; existing cells keep their contents.
    void setRows(int n);
    void setCols(int n);
    // Empties every cell's text, picture and colour.
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_rows - 1; }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_cols; }
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    // What few cells have besides their text.
    struct Extras {
        QPixmap picture;
        QColor back;
        bool empty() const { return picture.isNull() && !back.isValid(); }
    };

    size_t at(int r, int c) const { return size_t(r) * size_t(m_cols) + size_t(c); }
    static quint64 key(int r, int c) { return (quint64(quint32(r)) << 32) | quint32(c); }
    template <class Change> void changeExtras(int r, int c, Change change);
    template <class Pred> void dropExtras(Pred drop);
    QVariant cellData(int r, int c, int role) const;

    // The changed area, told to the view once per turn of the event loop.
    void changed(int r, int c) { changed(r, c, r, c); }
    void changed(int top, int left, int bottom, int right);
    void tellChanges();

    int m_rows = 1;
    int m_cols = 2;
    std::vector<QString> m_texts; // row-major, m_rows x m_cols
    std::vector<int> m_alignments;
    QHash<quint64, Extras> m_extras;

    bool m_tellPending = false;
    int m_top = 0, m_left = 0, m_bottom = -1, m_right = -1; // empty while bottom < top
};

} // namespace zorbel::ui
