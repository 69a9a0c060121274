// Writing plot files all or none.
#include "PlotFiles.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "PrintableText.h"
#include "c4d_standin.h"
#include "c4d_standin_gui.h"

namespace fs = std::filesystem;

namespace {

std::string Shown(const fs::path& path) { return Printable(standin::Utf8FromPath(path)); }

std::string SafeName(const std::string& name) {
  std::string safe = name;
  for (char& c : safe) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '.' || c == '-' || c == '_';
    if (!plain) c = '_';
  }
  // A name of dots only would name the folder or its parent.
  if (safe.find_first_not_of('.') == std::string::npos) safe = "_" + safe;
  return safe;
}

// The folders from the first missing one down to folder, top first; empty when it exists.
std::vector<fs::path> MissingFolders(const fs::path& folder) {
  std::vector<fs::path> missing;
  std::error_code ignored;
  for (fs::path at = fs::absolute(folder, ignored); !at.empty() && !fs::exists(at, ignored);
       at = at.parent_path()) {
    missing.insert(missing.begin(), at);
    if (at == at.parent_path()) break;
  }
  return missing;
}

void RemoveAll(const std::vector<fs::path>& files, const std::vector<fs::path>& madeFolders) {
  std::error_code ignored;
  for (const fs::path& file : files) fs::remove(file, ignored);
  for (auto folder = madeFolders.rbegin(); folder != madeFolders.rend(); ++folder)
    fs::remove(*folder, ignored);  // only removes a folder that is empty again
}

Status MakeFolder(const fs::path& folder) {
  std::error_code failure;
  fs::create_directories(folder, failure);
  if (!failure && fs::is_directory(folder, failure)) return {};
  return {Shown(folder) + ": cannot be made a folder" +
          (failure ? ": " + failure.message() : std::string())};
}

bool WriteOne(const fs::path& temporary, size_t index, const PictureDrawer& draw) {
  AutoAlloc<BaseBitmap> picture;
  return picture && draw(index, *picture) &&
         standin::WritePng(*picture, Filename(String(standin::Utf8FromPath(temporary))));
}

}  // namespace

std::vector<std::string> PlotFileNames(const std::vector<std::string>& trackNames) {
  std::vector<std::string> names;
  std::set<std::string> taken;
  for (const std::string& trackName : trackNames) {
    const std::string stem = SafeName(trackName);
    std::string name = stem + ".png";
    for (int copy = 2; taken.count(name); ++copy) name = stem + "-" + std::to_string(copy) + ".png";
    taken.insert(name);
    names.push_back(name);
  }
  return names;
}

Status WritePlotFiles(const std::string& folderText, const std::vector<std::string>& fileNames,
                      const PictureDrawer& draw) {
  const fs::path folder = standin::PathFromUtf8(folderText);
  const std::vector<fs::path> madeFolders = MissingFolders(folder);
  const Status made = MakeFolder(folder);
  if (!made.Ok()) {
    RemoveAll({}, madeFolders);
    return made;
  }
  std::vector<fs::path> temporaries;
  for (size_t i = 0; i < fileNames.size(); ++i) {
    const fs::path target = folder / fileNames[i];
    temporaries.push_back(folder / ("." + fileNames[i] + ".tmp"));
    std::error_code ignored;
    if (fs::is_directory(target, ignored) || !WriteOne(temporaries.back(), i, draw)) {
      RemoveAll(temporaries, madeFolders);
      return {Shown(target) + ": cannot be written"};
    }
  }
  for (size_t i = 0; i < fileNames.size(); ++i) {
    std::error_code failure;
    fs::rename(temporaries[i], folder / fileNames[i], failure);
    if (failure) {
      RemoveAll(temporaries, {});
      return {Shown(folder / fileNames[i]) + ": cannot be written: " + failure.message()};
    }
  }
  return {};
}
