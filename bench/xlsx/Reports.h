#pragma once
// The two writers the benchmark sets against each other.
#include "bench/xlsx/ReportPlan.h"

#include <QString>

namespace zorbel::bench::xlsx {

/// Through the spreadsheet layer, call by call as the report's sheet writers
/// make them, then saved.
void writeThroughLayer(const ReportPlan& plan, const QString& path);

/// Straight through libxlsxwriter, with each format made once by hand.
void writeDirect(const ReportPlan& plan, const QString& path);

} // namespace zorbel::bench::xlsx
