// zorbel_grid_bench: how long a list of tasks takes from the business layer's
// answer to a record grid on screen, loaded the way the editors load theirs
// (through the grid filler: dates in the configured pattern, status pictures in
// column 1), and the same list in a plain QTableView over a minimal model
// holding the same texts.
//
// Each figure is the median of several runs. A run starts from a window that
// is already on screen (a Refresh), or from a window that fills its grid and
// then appears (opening it), and ends when the view has painted.
//
//     ./build/bin/zorbel_grid_bench [--rows 10000] [--runs 7]
//
// The list lives in a fresh SQLite database in a temporary directory; the
// program never touches the "Zorbel5" data source. Without a display it runs
// on the offscreen platform.

#include "business/Schema.h"
#include "business/ZorbelClass.h"
#include "client/shell/AppState.h"
#include "client/shell/GridFiller.h"
#include "platform/data/DatabaseFile.h"
#include "platform/ui/DateText.h"
#include "platform/ui/FlexGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <vector>

using namespace zorbel;

namespace {

const QString kPattern = QStringLiteral("dd/mm/yyyy"); // the configuration row's first value
const QString kQtPattern = QStringLiteral("dd/MM/yyyy"); // the same, for Qt's own conversion

// The tasks list as the tasks editor shows it: fields TaskID, DeliverableID,
// StatusID, Description, OwnerID, StartDate, EndDate, Dependency, WBS; field i
// (i >= 1) in column i + 1, the status picture in column 1.
struct Column {
    const char* header;
    int widthInA;
    bool date;
};
const std::array<Column, 10> kColumns = {{
    {"", 0, false}, {"!", 3, false}, {"", 0, false}, {"", 0, false}, {"Task", 30, false},
    {"", 0, false}, {"Start", 12, true}, {"Finish", 12, true}, {"", 0, false}, {"WBS", 5, false},
}};
constexpr int kStatusField = 2;

int columnOfField(int field) { return field >= 1 ? field + 1 : field; }

struct Options {
    int rows = 10000;
    int runs = 7;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--rows") && hasValue)
            o.rows = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--runs") && hasValue)
            o.runs = std::max(1, std::atoi(argv[++i]));
        else
            throw std::invalid_argument("usage: zorbel_grid_bench [--rows N] [--runs N]");
    }
    return o;
}

// A private SQLite data source in a temporary directory, never "Zorbel5".
class ScratchDatabase {
public:
    ScratchDatabase() : m_dir(QDir::tempPath() + QStringLiteral("/zorbel-grid-bench-XXXXXX")) {
        if (!m_dir.isValid())
            throw std::runtime_error("cannot make a temporary directory");
        const QString iniPath = m_dir.filePath(QStringLiteral("odbc.ini"));
        QFile ini(iniPath);
        if (!ini.open(QIODevice::WriteOnly | QIODevice::Text))
            throw std::runtime_error("cannot write the benchmark's ODBC ini");
        const QString file = m_dir.filePath(QStringLiteral("grid.db"));
        data::createDatabaseFile(file);
        QTextStream(&ini) << "[ZorbelGridBench]\nDriver=SQLite3\nDatabase=" << file
                          << "\nTimeout=5000\nSyncPragma=OFF\nJournalMode=MEMORY\n";
        ini.close();
        qputenv("ODBCINI", QFile::encodeName(iniPath));
    }
    static QString connectionString() {
        return QStringLiteral("Data Source=ZorbelGridBench;User ID=;Mode=ReadWrite");
    }

private:
    QTemporaryDir m_dir;
};

data::RecordsetPtr tasksList(ZorbelClass& z, int rows) {
    const QDateTime start(QDate(2025, 1, 6), QTime(0, 0));
    const qint32 project = z.AddProject(QStringLiteral("Grid"), QStringLiteral("G-1"), QString(), 1, start,
                                        start.addDays(rows + 30), 1, 1, 1);
    QString metric;
    const qint32 deliverable = z.AddDeliverable(project, 1, QStringLiteral("Everything"), metric, 1, start,
                                                start.addDays(rows + 30), 1, 0);
    z.connection()->execute({QStringLiteral("BEGIN"), {}});
    for (int i = 0; i < rows; ++i)
        z.AddTask(deliverable, static_cast<qint16>(i % 7), QStringLiteral("Task number %1 of the long list").arg(i + 1),
                  1, start.addDays(i % 400), start.addDays(i % 400 + 14), 0, static_cast<qint16>(i + 1));
    z.connection()->execute({QStringLiteral("COMMIT"), {}});
    return z.GetTasks(deliverable);
}


// The tasks editor's column table, filled through the grid filler that every
// list window uses: the loader's work is the filler's.
shell::GridColumns tasksColumns() {
    using C = shell::GridColumn;
    shell::GridColumns cols(size_t(kColumns.size()));
    for (int f = 0; f < int(kColumns.size()) - 1; ++f) {
        const Column& k = kColumns[size_t(columnOfField(f))];
        cols[size_t(columnOfField(f))] = C{f, QString::fromLatin1(k.header), k.widthInA,
                                           k.widthInA > 0 ? int(ui::FlexGrid::AlignLeftTop) : -1,
                                           k.date ? C::Date : C::Text};
    }
    cols[1] = C{kStatusField, QStringLiteral("!"), 3, -1, C::StatusPicture};
    return cols;
}

void loadGrid(ui::FlexGrid& grid, const data::Recordset& rs, const shell::GridColumns& columns) {
    grid.Clear();
    grid.setRows(1);
    shell::layOutGrid(grid, columns);
    shell::appendRows(grid, columns, rs);
    grid.setRow(1);
}

// The plain view's model: texts in one vector, nothing else.
class TextModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_cols; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return m_texts[size_t(index.row() * m_cols + index.column())];
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (role != Qt::DisplayRole || o != Qt::Horizontal)
            return {};
        return QString::fromLatin1(kColumns[size_t(section)].header);
    }
    void load(const data::Recordset& rs) {
        beginResetModel();
        m_cols = rs.FieldCount() + 1;
        m_rows = rs.RecordCount();
        m_texts.assign(size_t(m_rows * m_cols), QString());
        for (int i = 0; i < m_rows; ++i) {
            const auto& row = rs.row(i);
            for (int f = 0; f < int(row.size()); ++f) {
                const int col = columnOfField(f);
                const QVariant& v = row[size_t(f)];
                m_texts[size_t(i * m_cols + col)] =
                    kColumns[size_t(col)].date ? ui::FormatDate(v.toDateTime(), kPattern) : v.toString();
            }
        }
        endResetModel();
    }

private:
    std::vector<QString> m_texts;
    int m_rows = 0;
    int m_cols = 0;
};

// Counts the paints of a viewport, so a run can wait for the one that shows
// what it loaded.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* viewport) : QObject(viewport) { viewport->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

void waitForPaint(const PaintCounter& counter, int before) {
    QElapsedTimer guard;
    guard.start();
    while (counter.count == before && guard.elapsed() < 10000)
        QApplication::processEvents();
    if (counter.count == before)
        throw std::runtime_error("the view never painted");
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs one kind of view `runs` times in both situations; gives {refresh, open} in ms.
std::pair<double, double> timeView(int runs, const std::function<QWidget*(QWidget* window)>& make,
                                   const std::function<void(QWidget* view)>& load,
                                   const std::function<QWidget*(QWidget* view)>& viewportOf) {
    std::vector<double> refresh, open;
    for (int r = 0; r < runs; ++r) {
        for (bool shownFirst : {true, false}) {
            QWidget window;
            window.resize(900, 600);
            QWidget* view = make(&window);
            view->resize(window.size());
            PaintCounter counter(viewportOf(view));
            if (shownFirst) {
                window.show();
                waitForPaint(counter, 0);
            }
            const int before = counter.count;
            QElapsedTimer t;
            t.start();
            load(view);
            if (!shownFirst)
                window.show();
            waitForPaint(counter, before);
            (shownFirst ? refresh : open).push_back(t.nsecsElapsed() / 1e6);
        }
    }
    return {median(refresh), median(open)};
}

double microsecondsPerDate(const std::vector<QDateTime>& dates, const std::function<QString(const QDateTime&)>& format,
                           int runs) {
    std::vector<double> per;
    qsizetype sink = 0;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        for (const QDateTime& d : dates)
            sink += format(d).size();
        per.push_back(t.nsecsElapsed() / 1e3 / double(dates.size()));
    }
    if (sink == 0)
        std::printf("(no text formatted)\n");
    return median(per);
}

int run(const Options& o) {
    ScratchDatabase scratch;
    ZorbelClass z([](const QString& text, int, const QString&) {
        std::fprintf(stderr, "message box: %s\n", qPrintable(text));
        return 1;
    });
    z.ConnectDSN(ScratchDatabase::connectionString());
    schema::ensure(*z.connection());

    QElapsedTimer t;
    t.start();
    const data::RecordsetPtr rs = tasksList(z, o.rows);
    std::printf("fill: %d tasks through the business layer in %.1f s\n", o.rows, t.nsecsElapsed() / 1e9);
    t.restart();
    // Every run below reads a fresh copy of this list, whose values are made as
    // they are read, as a window's list is after a Refresh.
    const data::RecordsetPtr again = z.GetTasks(rs->row(0)[1].toInt());
    std::printf("GetTasks: %d rows in %.1f ms\n", again->RecordCount(), t.nsecsElapsed() / 1e6);

    std::vector<QDateTime> dates;
    for (int i = 0; i < rs->RecordCount(); ++i)
        for (int f : {5, 6})
            dates.push_back(rs->row(i)[size_t(f)].toDateTime());
    // Reading the pattern for every date is what each date cost before
    // patterns were kept.
    const double everyTime = microsecondsPerDate(
        dates, [](const QDateTime& d) { return ui::DateFormatter(kPattern).format(d); }, o.runs);
    const double kept = microsecondsPerDate(dates, [](const QDateTime& d) { return ui::FormatDate(d, kPattern); }, o.runs);
    const ui::DateFormatter formatter(kPattern);
    const double own = microsecondsPerDate(dates, [&](const QDateTime& d) { return formatter.format(d); }, o.runs);
    const double qt = microsecondsPerDate(dates, [](const QDateTime& d) { return d.toString(kQtPattern); }, o.runs);
    std::printf("date text \"%s\", us per date: pattern read every time %.3f, FormatDate %.3f, "
                "DateFormatter %.3f, QDateTime::toString %.3f\n",
                qPrintable(kPattern), everyTime, kept, own, qt);

    shell::state().g_dateFormat = kPattern;
    const auto columns = tasksColumns();
    const auto [gridRefresh, gridOpen] = timeView(
        o.runs, [](QWidget* w) -> QWidget* { return new ui::FlexGrid(w); },
        [&](QWidget* v) {
            const data::Recordset fresh = *again;
            loadGrid(*static_cast<ui::FlexGrid*>(v), fresh, columns);
        },
        [](QWidget* v) { return static_cast<ui::FlexGrid*>(v)->view()->viewport(); });
    const auto [plainRefresh, plainOpen] = timeView(
        o.runs,
        [](QWidget* w) -> QWidget* {
            auto* view = new QTableView(w);
            view->setModel(new TextModel);
            view->model()->setParent(view);
            view->verticalHeader()->hide();
            return view;
        },
        [&](QWidget* v) {
            const data::Recordset fresh = *again;
            static_cast<TextModel*>(static_cast<QTableView*>(v)->model())->load(fresh);
        },
        [](QWidget* v) { return static_cast<QTableView*>(v)->viewport(); });

    std::printf("list to view on screen, %d rows x %d columns, median of %d runs:\n", rs->RecordCount(),
                rs->FieldCount() + 1, o.runs);
    std::printf("  %-28s %10s %10s\n", "", "refresh ms", "open ms");
    std::printf("  %-28s %10.1f %10.1f\n", "FlexGrid, editor's loader", gridRefresh, gridOpen);
    std::printf("  %-28s %10.1f %10.1f\n", "QTableView, minimal model", plainRefresh, plainOpen);
    std::printf("  %-28s %10.2f %10.2f\n", "ratio", gridRefresh / plainRefresh, gridOpen / plainOpen);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        return run(parse(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
