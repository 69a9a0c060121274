// Working out and checking what `thinfold reduce` will do.
#include "ReducePlan.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

#include "ExitCodes.h"
#include "OutputPaths.h"
#include "PrintableText.h"
#include "SceneInput.h"
#include "Status.h"
#include "c4d_standin.h"

namespace {

namespace fs = std::filesystem;

bool IsInputFile(const fs::directory_entry& entry) {
  std::error_code error;
  const std::string name = standin::Utf8FromPath(entry.path());
  return entry.is_regular_file(error) && (IsBvhPath(name) || HasExtension(name, ".json"));
}

// The folder's .bvh and .json files, by name; not the folders in it.
std::vector<std::string> FolderInputs(const fs::path& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
    if (IsInputFile(entry)) files.push_back(standin::Utf8FromPath(entry.path()));
  std::sort(files.begin(), files.end());
  return files;
}

ReducePlan Refused(int exitCode, const std::string& error) {
  ReducePlan plan;
  plan.exitCode = exitCode;
  plan.error = error;
  return plan;
}

// The inputs with each folder replaced by its files; an error for a folder without any.
Status ExpandInputs(const std::vector<std::string>& given, ReducePlan& plan) {
  for (const std::string& input : given) {
    std::error_code error;
    if (!fs::is_directory(standin::PathFromUtf8(input), error)) {
      plan.runs.push_back({input, "", OutputFormat::kScene});
      continue;
    }
    plan.several = true;
    const std::vector<std::string> files = FolderInputs(standin::PathFromUtf8(input));
    if (files.empty()) return {Printable(input) + ": a folder without .bvh or .json files"};
    for (const std::string& file : files) plan.runs.push_back({file, "", OutputFormat::kScene});
  }
  plan.several = plan.several || given.size() > 1;
  return {};
}

Status CheckOptions(const PlanRequest& request) {
  if (request.output.empty()) return {};
  if (!request.outputFolder.empty())
    return {
        "-o names one output file, --output-dir a folder for outputs named after their "
        "inputs: give one of them"};
  if (!request.format.empty())
    return {
        "--format is the format of outputs named after their inputs; -o's extension names "
        "its format"};
  return {};
}

// Each run's output and format; an error for -o with several inputs or of no known format.
Status NameOutputs(const PlanRequest& request, ReducePlan& plan) {
  if (!request.output.empty()) {
    if (plan.several)
      return {"-o names the output of one input, and there are " +
              std::to_string(plan.runs.size()) + ": use --output-dir"};
    const std::optional<OutputFormat> format = OutputFormatOf(request.output);
    if (!format) return {UnknownFormatMessage(request.output)};
    plan.runs.front().output = request.output;
    plan.runs.front().format = *format;
    return {};
  }
  const OutputFormat format = OutputFormatNamed(request.format.empty() ? "json" : request.format)
                                  .value_or(OutputFormat::kScene);
  for (PlannedRun& run : plan.runs) {
    run.output = ResultPath(run.input, request.outputFolder, format);
    run.format = format;
  }
  return {};
}

Status CheckDistinctOutputs(const ReducePlan& plan) {
  std::map<std::string, const PlannedRun*> byOutput;
  for (const PlannedRun& run : plan.runs) {
    const auto [found, added] = byOutput.emplace(run.output, &run);
    if (!added)
      return {Printable(found->second->input) + " and " + Printable(run.input) +
              " would both be saved as " + Printable(run.output)};
  }
  return {};
}

// A result saved over another input would change that input before (or after) it is read.
Status CheckOutputsAreNoInputs(const ReducePlan& plan) {
  for (const PlannedRun& run : plan.runs)
    for (const PlannedRun& other : plan.runs)
      if (&other != &run && SameFile(run.output, other.input))
        return {Printable(run.output) + ": is the input file " + Printable(other.input) +
                ", which a result never replaces"};
  return {};
}

}  // namespace

std::string ResultPath(const std::string& input, const std::string& folder, OutputFormat format) {
  fs::path name = standin::PathFromUtf8(input);
  name.replace_extension(".thin" + ExtensionOf(format));
  if (!folder.empty()) name = standin::PathFromUtf8(folder) / name.filename();
  return standin::Utf8FromPath(name);
}

ReducePlan PlanReduce(const PlanRequest& request) {
  ReducePlan plan;
  Status checked = CheckOptions(request);
  if (checked.Ok()) checked = ExpandInputs(request.inputs, plan);
  if (!checked.Ok()) return Refused(kExitBadUsage, checked.error);
  if (!request.output.empty() && !plan.several) {
    // The paths first: an output that is a folder says so rather than naming no format.
    const OutputPathCheck paths =
        CheckOutputPaths(plan.runs.front().input, request.output, request.report);
    if (!paths.error.empty()) return Refused(paths.exitCode, paths.error);
  }
  checked = NameOutputs(request, plan);
  if (checked.Ok()) checked = CheckDistinctOutputs(plan);
  if (!checked.Ok()) return Refused(kExitBadUsage, checked.error);
  for (const PlannedRun& run : plan.runs) {
    const OutputPathCheck paths = CheckOutputPaths(run.input, run.output, request.report);
    if (!paths.error.empty()) return Refused(paths.exitCode, paths.error);
  }
  checked = CheckOutputsAreNoInputs(plan);
  return checked.Ok() ? plan : Refused(kExitFileError, checked.error);
}
