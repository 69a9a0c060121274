// Runs the built `thinfold reduce` once and reads the report it writes, for the benchmarks that
// time the whole job as users run it.
#ifndef THINFOLD_BENCH_REDUCE_REPORT_H
#define THINFOLD_BENCH_REDUCE_REPORT_H

#include <nlohmann/json.hpp>
#include <string>

// `thinfold reduce SCENE --quiet ARGUMENTS` with its output and report in a temporary folder.
// False with error set when the program fails or writes no report.
bool RunReduce(const std::string& scene, const std::string& arguments, nlohmann::json& report,
               std::string& error);

#endif
