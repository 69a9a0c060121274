// The outcome of a reduction as text: the result table with its total line for the console, and
// the report file's JSON ({"tracks": [...], "tracks_above_precision": ..., "seconds": ...}).
#ifndef THINFOLD_RESULT_REPORT_H
#define THINFOLD_RESULT_REPORT_H

#include <string>

#include "TrackResults.h"

// One line per track (name, keys before and after, status text, largest deviation, a ">" when
// the track is not within its precision, precision), each ending in a newline, and MeasureNote's
// line when there is one.
std::string ResultTable(const ReduceSummary& summary);
// A track's MAX DEV as the tables show it: "0.512", "differs" for data that cannot be measured,
// "nan" for a curve that is not finite, with "*" for a track measured at and around its keys
// and turns only.
std::string DeviationText(const TrackResult& track);
// The line under a table that explains "*", with a newline; empty when no track has it.
std::string MeasureNote(const std::vector<TrackResult>& tracks);
// "all tracks within their precision", or how many are not ("3 tracks above their precision").
std::string PrecisionVerdict(const ReduceSummary& summary);
// "total: 72 tracks, 103680 → 5210 keys (95.0 % fewer), 2.41 s, 29.9 tracks/s, all tracks within
// their precision", with a newline; tracks/s counts the tracks the run processed.
std::string TotalLine(const ReduceSummary& summary);
// The report file's text.
std::string ReportJson(const ReduceSummary& summary);

#endif
