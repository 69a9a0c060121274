#include "ReduceReport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

bool RunReduce(const std::string& scene, const std::string& arguments, nlohmann::json& report,
               std::string& error) {
  const fs::path folder = fs::temp_directory_path() / "thinfold_reduce_bench";
  fs::create_directories(folder);
  const std::string command = std::string("'") + THINFOLD_PROGRAM + "' reduce '" + scene +
                              "' --quiet " + arguments + " -o '" + (folder / "out.json").string() +
                              "' --report '" + (folder / "report.json").string() + "' >/dev/null";
  if (std::system(command.c_str()) != 0) {
    error = "thinfold reduce failed: " + command;
    return false;
  }
  std::ifstream file(folder / "report.json");
  report = nlohmann::json::parse(file, nullptr, false);
  if (!report.is_discarded()) return true;
  error = "no report";
  return false;
}
