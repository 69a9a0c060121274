// The result table, its total line and the report file of `thinfold reduce`, made from results
// built by hand: which tracks count as above their precision, and how the user sees them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ResultReport.h"

namespace {

using nlohmann::json;

struct Row {
  const char* name;
  LONG category;
  double precision;
  std::optional<double> deviation;
  bool within;
};

ReduceSummary SummaryOf(const std::vector<Row>& rows) {
  ReduceSummary summary;
  for (const Row& row : rows) {
    TrackResult track;
    track.name = row.name;
    track.category = row.category;
    track.precision = row.precision;
    track.maxDeviation = row.deviation;
    summary.tracks.push_back(track);
  }
  return summary;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

TEST(ResultReport, MarksTracksAboveTheirPrecisionInTableAndReport) {
  const std::vector<Row> rows = {
      {"value below", CTRACK_CATEGORY_VALUE, 0.5, 0.499, true},
      {"value at its precision", CTRACK_CATEGORY_VALUE, 0.5, 0.5, true},
      {"value just above", CTRACK_CATEGORY_VALUE, 0.5, 0.5000001, false},
      {"value not measurable", CTRACK_CATEGORY_VALUE, 0.5, std::nullopt, false},
      {"data unchanged", CTRACK_CATEGORY_DATA, 1.0, 0.0, true},
      {"data changed less than its precision", CTRACK_CATEGORY_DATA, 1.0, 0.5, false},
      {"data changed by a hair", CTRACK_CATEGORY_DATA, 1.0, 1e-7, false},
      {"data that differ", CTRACK_CATEGORY_DATA, 1.0, std::nullopt, false},
  };
  const ReduceSummary summary = SummaryOf(rows);
  const std::vector<std::string> table = Lines(ResultTable(summary));
  const json report = json::parse(ReportJson(summary));
  ASSERT_EQ(table.size(), rows.size() + 1);
  ASSERT_EQ(report.at("tracks").size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(rows[i].name);
    const std::size_t mark = table[i + 1].find("  >  ");
    EXPECT_EQ(mark != std::string::npos, !rows[i].within) << table[i + 1];
    // A figure above the allowed deviation never reads as if it were at most that.
    if (mark != std::string::npos && rows[i].deviation) {
      const std::string before = table[i + 1].substr(0, mark);
      const double shown = std::atof(before.substr(before.find_last_of(' ') + 1).c_str());
      EXPECT_GT(shown, rows[i].category == CTRACK_CATEGORY_DATA ? 0.0 : rows[i].precision);
    }
    EXPECT_EQ(report["tracks"][i].at("within"), rows[i].within);
  }
  EXPECT_EQ(report.at("tracks_above_precision"), 5);
  EXPECT_NE(TotalLine(summary).find(" tracks/s, 5 tracks above their precision\n"),
            std::string::npos)
      << TotalLine(summary);
}

}  // namespace
