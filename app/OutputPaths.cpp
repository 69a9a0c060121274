// The files a command will write, checked before any work.
#include "OutputPaths.h"

#include <filesystem>
#include <system_error>

#include "ExitCodes.h"
#include "PrintableText.h"
#include "TextFile.h"
#include "c4d_standin.h"

namespace {

namespace fs = std::filesystem;

fs::path Absolute(const fs::path& path) {
  std::error_code error;
  const fs::path absolute = fs::weakly_canonical(path, error);
  return error ? path.lexically_normal() : absolute;
}

// Whether a write to path can be tried, and why not.
Status CheckWritable(const std::string& path) {
  const fs::path file = standin::PathFromUtf8(path);
  std::error_code error;
  if (fs::is_directory(file, error)) return {"is a folder"};
  // Links followed: a device, FIFO or socket is not replaced by a file, nor written to.
  const fs::file_status status = fs::status(file, error);
  if (fs::exists(status) && !fs::is_regular_file(status)) return {"not a regular file"};
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  if (!fs::is_directory(folder, error)) return {"no such folder"};
  return CanWriteBeside(path);
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
  const fs::path first = standin::PathFromUtf8(a), second = standin::PathFromUtf8(b);
  std::error_code error;
  return fs::equivalent(first, second, error) || Absolute(first) == Absolute(second);
}

OutputPathCheck CheckOutputPaths(const std::string& input, const std::string& output,
                                 const std::string& report) {
  if (!report.empty() && SameFile(report, input))
    return {kExitBadUsage, "--report " + Printable(report) + " is the input file"};
  if (!report.empty() && SameFile(report, output))
    return {kExitBadUsage, "--report " + Printable(report) + " is the output file"};
  if (SameFile(output, input))
    return {kExitFileError,
            Printable(output) + ": is the input file, which a result never replaces"};
  for (const std::string& path : {output, report}) {
    if (path.empty()) continue;
    const Status writable = CheckWritable(path);
    if (!writable.Ok())
      return {kExitFileError, Printable(path) + ": cannot write: " + writable.error};
  }
  return {};
}
