#include "bench/xlsx/Reports.h"

#include <xlsxwriter.h>

#include <stdexcept>

namespace zorbel::bench::xlsx {

namespace {

constexpr lxw_color_t kWhite = 0xFFFFFF;
lxw_color_t fillColour(int index)
{
    switch (index) {
    case 15: return 0xC0C0C0;
    case 33: return 0x00CCFF;
    case 34: return 0xCCFFFF;
    case 37: return 0x99CCFF;
    default: return 0x3366FF;  // 41
    }
}

// The formats the layer ends up with, made once each.
struct Formats {
    explicit Formats(lxw_workbook* wb) : wb(wb)
    {
        leftTopWrap = add(false);
        textLeftTopWrap = add(false);
        format_set_num_format(textLeftTopWrap, "@");
        white = workbook_add_format(wb);
        format_set_font_color(white, kWhite);
        for (int fill : {33, 34, 37, 41}) {
            header[fill] = add(true, fill);
            bar[fill] = workbook_add_format(wb);
            format_set_pattern(bar[fill], LXW_PATTERN_SOLID);
            format_set_bg_color(bar[fill], fillColour(fill));
        }
        whiteHeader = add(true, 41);
        format_set_font_color(whiteHeader, kWhite);
        textHeader37 = add(true, 37);
        format_set_num_format(textHeader37, "@");
        timelineA = workbook_add_format(wb);
        format_set_num_format(timelineA, "@");
        format_set_align(timelineA, LXW_ALIGN_LEFT);
        format_set_text_wrap(timelineA);
        timelineB = workbook_add_format(wb);
        format_set_align(timelineB, LXW_ALIGN_LEFT);
        format_set_text_wrap(timelineB);
        timelineA1 = workbook_add_format(wb);
        format_set_num_format(timelineA1, "@");
        format_set_align(timelineA1, LXW_ALIGN_LEFT);
        format_set_text_wrap(timelineA1);
        arialBold(timelineA1);
        timelineB1 = workbook_add_format(wb);
        format_set_align(timelineB1, LXW_ALIGN_LEFT);
        format_set_text_wrap(timelineB1);
        arialBold(timelineB1);
        for (bool weekend : {false, true}) {
            lxw_format* f = workbook_add_format(wb);
            format_set_font_name(f, "Arial");
            format_set_font_size(f, 8);
            format_set_rotation(f, 90);
            if (weekend) {
                format_set_pattern(f, LXW_PATTERN_SOLID);
                format_set_bg_color(f, fillColour(15));
            }
            day[weekend] = f;
        }
    }

    void arialBold(lxw_format* f)
    {
        format_set_font_name(f, "Arial");
        format_set_font_size(f, 10);
        format_set_bold(f);
    }

    lxw_format* add(bool headerFont, int fill = 0)
    {
        lxw_format* f = workbook_add_format(wb);
        format_set_align(f, LXW_ALIGN_LEFT);
        format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
        format_set_text_wrap(f);
        if (headerFont)
            arialBold(f);
        if (fill) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, fillColour(fill));
        }
        return f;
    }

    lxw_workbook* wb;
    lxw_format *leftTopWrap, *textLeftTopWrap, *white, *whiteHeader, *textHeader37;
    lxw_format *timelineA, *timelineB, *timelineA1, *timelineB1;
    lxw_format* header[42] = {};
    lxw_format* bar[42] = {};
    lxw_format* day[2] = {};
};

void ok(lxw_error error)
{
    if (error != LXW_NO_ERROR)
        throw std::runtime_error(lxw_strerror(error));
}

void write(lxw_worksheet* ws, int row, int column, const QVariant& value, lxw_format* format)
{
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (!text.isEmpty())
            ok(worksheet_write_string(ws, lxw_row_t(row - 1), lxw_col_t(column - 1), text.toUtf8().constData(), format));
    } else {
        ok(worksheet_write_number(ws, lxw_row_t(row - 1), lxw_col_t(column - 1), value.toDouble(), format));
    }
}

void columns(lxw_worksheet* ws, std::initializer_list<std::tuple<int, int, double>> widths, lxw_format* format)
{
    for (const auto& [first, last, width] : widths)
        ok(worksheet_set_column(ws, lxw_col_t(first - 1), lxw_col_t(last - 1), width, format));
}

// Rows whose cells all take `plain`, headers taking the header format (and
// `textHeader` in a text column).
void writeRows(lxw_worksheet* ws, const std::vector<PlannedRow>& rows, Formats& f, lxw_format* plain,
               int textColumn = 0, lxw_format* textPlain = nullptr)
{
    for (const PlannedRow& row : rows) {
        lxw_format* format = plain;
        if (row.header == Header::Info || row.header == Header::Team || row.header == Header::Milestones)
            format = f.whiteHeader;
        else if (row.header != Header::None)
            format = f.header[headerStyle(row.header).fill];
        if (row.header == Header::Milestones)
            ok(worksheet_set_row(ws, lxw_row_t(row.row - 1), LXW_DEF_ROW_HEIGHT, f.white));
        for (const auto& [column, value] : row.cells) {
            lxw_format* cellFormat = format;
            if (column == textColumn)
                cellFormat = row.header == Header::None ? textPlain : f.textHeader37;
            write(ws, row.row, column, value, cellFormat);
        }
    }
}

void detailColumns(lxw_worksheet* ws, Formats& f)
{
    columns(ws, {{2, 2, 12}}, f.textLeftTopWrap);
    columns(ws, {{3, 3, 40}, {4, 4, 12}, {5, 5, 40}, {6, 9, 15}, {10, 10, 40}}, f.leftTopWrap);
}

} // namespace

void writeDirect(const ReportPlan& plan, const QString& path)
{
    lxw_workbook* wb = workbook_new(path.toUtf8().constData());
    Formats f(wb);
    lxw_worksheet* info = workbook_add_worksheet(wb, "Project Info");
    lxw_worksheet* milestones = workbook_add_worksheet(wb, "Milestones");
    lxw_worksheet* deliverables = workbook_add_worksheet(wb, "Deliverables");
    lxw_worksheet* risks = workbook_add_worksheet(wb, "Risks");
    lxw_worksheet* detail = workbook_add_worksheet(wb, "Detail");
    lxw_worksheet* timeline = workbook_add_worksheet(wb, "Timeline");

    columns(info, {{2, 2, 15}, {3, 3, 12}, {4, 4, 40}, {5, 5, 20}, {6, 6, 40}, {7, 7, 30}, {8, 10, 20}}, f.leftTopWrap);
    writeRows(info, plan.info, f, f.leftTopWrap);

    columns(milestones, {{2, 2, 20}, {3, 3, 50}, {4, 4, 15}}, f.leftTopWrap);
    writeRows(milestones, plan.milestones, f, f.leftTopWrap);

    detailColumns(deliverables, f);
    writeRows(deliverables, plan.deliverables, f, f.leftTopWrap, 2, f.textLeftTopWrap);

    columns(risks, {{2, 2, 40}, {3, 3, 5}, {4, 4, 12}, {5, 7, 40}, {8, 8, 15}, {9, 9, 4}}, f.leftTopWrap);
    columns(risks, {{10, 10, LXW_DEF_COL_WIDTH}, {11, 11, 40}}, f.leftTopWrap);
    writeRows(risks, plan.risks, f, f.leftTopWrap);

    detailColumns(detail, f);
    writeRows(detail, plan.detail, f, f.leftTopWrap, 2, f.textLeftTopWrap);

    columns(timeline, {{1, 1, 12}}, f.timelineA);
    columns(timeline, {{2, 2, 40}}, f.timelineB);
    columns(timeline, {{3, 2 + int(plan.days.size()), 2}}, nullptr);
    ok(worksheet_set_row(timeline, 0, 45, nullptr));
    write(timeline, 1, 1, "WBS", f.timelineA1);
    write(timeline, 1, 2, "Name", f.timelineB1);
    for (size_t d = 0; d < plan.days.size(); ++d)
        write(timeline, 1, 3 + int(d), plan.days[d], f.day[plan.weekend[d]]);
    for (size_t r = 0; r < plan.bars.size(); ++r) {
        const Bar& bar = plan.bars[r];
        write(timeline, bar.row, 1, plan.timeline[r].cells[0].second, f.timelineA);
        write(timeline, bar.row, 2, plan.timeline[r].cells[1].second, f.timelineB);
        for (int column = bar.first; column <= bar.last; ++column)
            ok(worksheet_write_blank(timeline, lxw_row_t(bar.row - 1), lxw_col_t(column - 1), f.bar[bar.fill]));
    }
    const Bar& last = plan.bars.back();
    const auto cell = [](int row, int column) {
        char name[32];
        lxw_rowcol_to_cell_abs(name, lxw_row_t(row - 1), lxw_col_t(column - 1), 1, 1);
        return QString::fromLatin1(name);
    };
    ok(workbook_define_name(wb, "Timeline!StartCell", ("='Timeline'!" + cell(last.row, last.first)).toUtf8().constData()));
    ok(workbook_define_name(wb, "Timeline!EndCell", ("='Timeline'!" + cell(last.row, last.last)).toUtf8().constData()));

    worksheet_activate(info);
    worksheet_set_selection(info, 1, 0, 1, 0);
    ok(workbook_close(wb));
}

} // namespace zorbel::bench::xlsx
