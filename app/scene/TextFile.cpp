// Whole-file reading and atomic writing.
#include "TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef _WIN32
#include <io.h>

#include <random>
#endif

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>
#include <vector>

#include "PrintableText.h"
#include "TemporaryFiles.h"
#include "c4d_standin.h"

namespace {

namespace fs = std::filesystem;

std::string Reason(int error) { return std::strerror(error); }

// Generous for any scene or capture, yet far below what would exhaust memory unnoticed.
constexpr std::uintmax_t kDefaultMaxInputBytes = std::uintmax_t{2} << 30;

constexpr const char* kMaxInputBytesVariable = "THINFOLD_MAX_INPUT_BYTES";

struct InputLimit {
  std::uintmax_t bytes = kDefaultMaxInputBytes;
  std::string error;  // empty on success
};

// The limit the environment sets, or the default when it sets none; an error for a value that is
// no whole number above 0: "-1" must not pass for the largest limit there is.
InputLimit MaxInputBytes() {
  const char* text = std::getenv(kMaxInputBytesVariable);
  InputLimit limit;
  if (!text || !*text) return limit;
  const char* last = text + std::strlen(text);
  const auto [end, failure] = std::from_chars(text, last, limit.bytes);
  if (failure == std::errc() && end == last && limit.bytes > 0) return limit;
  limit.error = std::string(kMaxInputBytesVariable) + " is '" + Printable(text) +
                "', not a whole number of bytes above 0";
  return limit;
}

// Links followed: devices, FIFOs, sockets and folders are no files to read or replace (a FIFO
// would block, a device could be endless, and a rename would put a file in a device's place).
bool IsOtherThanRegularFile(const fs::path& file) {
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  return fs::exists(status) && !fs::is_regular_file(status);
}

// A link's final target, so that writing replaces the file the link points to.
std::string FinalTarget(const std::string& path) {
  const fs::path file = standin::PathFromUtf8(path);
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(file, error))) return path;
  const fs::path target = fs::weakly_canonical(file, error);
  return error ? path : standin::Utf8FromPath(target);
}

// The permission bits of the file a write replaces; none when it does not exist yet.
std::optional<fs::perms> ExistingPermissions(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(standin::PathFromUtf8(path), error);
  if (!fs::is_regular_file(status)) return std::nullopt;
  return status.permissions();
}

// Text goes out in blocks of this size, so that a stop is seen within one block.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

// FALSE with errno set when a write fails; FALSE with stopped set when stopWanted said so.
bool WriteAll(int fd, std::string_view text, const std::function<bool()>& stopWanted,
              bool& stopped) {
  std::size_t written = 0;
  while (written < text.size()) {
    if (stopWanted()) {
      stopped = true;
      return false;
    }
    const std::size_t block = std::min(kBlockBytes, text.size() - written);
    const auto count = ::write(fd, text.data() + written, static_cast<unsigned>(block));
    if (count < 0 && errno == EINTR) continue;
    if (count == 0) errno = EIO;
    if (count <= 0) return false;
    written += static_cast<std::size_t>(count);
  }
  return true;
}

#ifdef _WIN32
// Paths are UTF-8 text; Windows opens files by their UTF-16 names.
std::FILE* OpenForReading(const std::string& path) {
  return ::_wfopen(standin::PathFromUtf8(path).c_str(), L"rb");
}

// A new file named prefix and six random letters, as mkstemp makes one; -1 with errno set.
int OpenUniqueFile(const std::string& prefix, std::string& temporary) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = prefix;
    for (int i = 0; i < 6; ++i) temporary += kLetters[random() % (sizeof kLetters - 1)];
    const int fd = ::_wopen(standin::PathFromUtf8(temporary).c_str(),
                            _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Windows files carry no POSIX permissions.
void SetPermissions(int, const std::optional<fs::perms>&) {}

int FlushToDisk(int fd) { return ::_commit(fd); }

// std::rename does not replace an existing file on Windows; filesystem::rename does.
int ReplaceFile(const std::string& from, const std::string& to) {
  std::error_code error;
  std::filesystem::rename(standin::PathFromUtf8(from), standin::PathFromUtf8(to), error);
  return error ? (errno = error.value(), -1) : 0;
}

void RemoveFile(const std::string& path) { ::_wunlink(standin::PathFromUtf8(path).c_str()); }
#else
std::FILE* OpenForReading(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

int OpenUniqueFile(const std::string& prefix, std::string& temporary) {
  temporary = prefix + "XXXXXX";
  return ::mkstemp(temporary.data());
}

// A replaced file keeps its permissions; new files get the usual ones (0666 less the umask),
// not mkstemp's 0600.
void SetPermissions(int fd, const std::optional<fs::perms>& existing) {
  if (existing) {
    ::fchmod(fd, static_cast<mode_t>(*existing & fs::perms::mask));
    return;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
}

int FlushToDisk(int fd) { return ::fsync(fd); }

int ReplaceFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str());
}

void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }
#endif

struct TemporaryFile {
  std::string path;
  int slot = -1;  // in TemporaryFiles
};

void Discard(TemporaryFile& temporary) {
  RemoveFile(temporary.path);
  ForgetTemporaryFile(temporary.slot);
}

WriteFilesResult Failed(const std::string& path, int reason) {
  return {WriteEnd::kFailed, Printable(path) + ": cannot write: " + Reason(reason)};
}

// The file's text in a new temporary file beside target; nothing is left behind unless kWritten.
WriteFilesResult WriteTemporary(const FileToWrite& file, const std::string& target,
                                const std::function<bool()>& stopWanted, TemporaryFile& temporary) {
  if (IsOtherThanRegularFile(standin::PathFromUtf8(target)))
    return {WriteEnd::kFailed, Printable(file.path) + ": cannot write: not a regular file"};
  const int fd = OpenUniqueFile(target + ".tmp-", temporary.path);
  if (fd < 0) return Failed(file.path, errno);
  temporary.slot = RememberTemporaryFile(temporary.path);
  SetPermissions(fd, ExistingPermissions(target));
  bool stopped = false;
  int failure = temporary.slot < 0 ? ENAMETOOLONG : 0;
  if (failure == 0 && (!WriteAll(fd, file.text, stopWanted, stopped) || FlushToDisk(fd) != 0))
    failure = errno;
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (!stopped && failure == 0) return {};
  Discard(temporary);
  return stopped ? WriteFilesResult{WriteEnd::kStopped, ""} : Failed(file.path, failure);
}

void DiscardFrom(std::vector<TemporaryFile>& temporaries, std::size_t first) {
  for (std::size_t index = first; index < temporaries.size(); ++index) Discard(temporaries[index]);
}

std::string TooLarge(std::uintmax_t limit) {
  return "larger than " + std::to_string(limit) + " bytes";
}

// Checked before opening, since opening a FIFO would wait for a writer.
Status CheckReadable(const fs::path& file, std::uintmax_t limit) {
  if (IsOtherThanRegularFile(file)) return {"not a regular file"};
  std::error_code error;
  const std::uintmax_t size = fs::file_size(file, error);
  return !error && size > limit ? Status{TooLarge(limit)} : Status{};
}

// Reads the open file in whole into text.
Status ReadAll(std::FILE* file, std::uintmax_t limit, std::string& text) {
  std::vector<char> buffer(1 << 16);
  std::size_t count = 0;
  try {
    while ((count = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
      if (text.size() + count > limit) return {TooLarge(limit)};
      text.append(buffer.data(), count);
    }
  } catch (const std::bad_alloc&) {
    return {"out of memory"};
  }
  return std::ferror(file) != 0 ? Status{Reason(errno)} : Status{};
}

}  // namespace

TextReadResult ReadTextFile(const std::string& path) {
  const InputLimit limit = MaxInputBytes();
  const Status readable = limit.error.empty()
                              ? CheckReadable(standin::PathFromUtf8(path), limit.bytes)
                              : Status{limit.error};
  if (!readable.Ok()) return {"", Printable(path) + ": cannot read: " + readable.error};
  std::FILE* file = OpenForReading(path);
  if (!file) {
    const int reason = errno;
    return {"", Printable(path) + ": cannot open: " + Reason(reason)};
  }
  TextReadResult result;
  const Status read = ReadAll(file, limit.bytes, result.text);
  std::fclose(file);
  if (read.Ok()) return result;
  return {"", Printable(path) + ": cannot read: " + read.error};
}

Status CanWriteBeside(const std::string& path) {
  TemporaryFile probe;
  // Named unlike a write's temporary file, which nothing should take it for.
  const fs::path folder = standin::PathFromUtf8(FinalTarget(path)).parent_path();
  const int fd =
      OpenUniqueFile(standin::Utf8FromPath(folder / ".thinfold-write-check-"), probe.path);
  if (fd < 0) return {Reason(errno)};
  probe.slot = RememberTemporaryFile(probe.path);
  ::close(fd);
  Discard(probe);
  return {};
}

WriteFilesResult WriteTextFilesAtomically(const std::vector<FileToWrite>& files,
                                          const std::function<bool()>& stopWanted) {
  std::vector<TemporaryFile> temporaries;
  std::vector<std::string> targets;
  for (const FileToWrite& file : files) {
    TemporaryFile temporary;
    targets.push_back(FinalTarget(file.path));
    const WriteFilesResult written = WriteTemporary(file, targets.back(), stopWanted, temporary);
    if (written.end != WriteEnd::kWritten) {
      DiscardFrom(temporaries, 0);
      return written;
    }
    temporaries.push_back(temporary);
  }
  if (stopWanted()) {
    DiscardFrom(temporaries, 0);
    return {WriteEnd::kStopped, ""};
  }
  std::string renamed;
  for (std::size_t index = 0; index < files.size(); ++index) {
    if (ReplaceFile(temporaries[index].path, targets[index]) != 0) {
      WriteFilesResult failed = Failed(files[index].path, errno);
      if (!renamed.empty()) failed.error += " (written: " + renamed + ")";
      DiscardFrom(temporaries, index);
      return failed;
    }
    ForgetTemporaryFile(temporaries[index].slot);
    renamed += (renamed.empty() ? "" : ", ") + Printable(files[index].path);
  }
  return {};
}

Status WriteTextFileAtomically(const std::string& path, const std::string& text) {
  return {WriteTextFilesAtomically({{path, text}}, [] { return false; }).error};
}
