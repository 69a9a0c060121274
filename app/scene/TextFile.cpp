// Whole-file reading and atomic writing.
#include "TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef _WIN32
#include <io.h>

#include <filesystem>
#include <random>
#include <system_error>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "TemporaryFiles.h"
#include "c4d_standin.h"

namespace {

std::string Reason(int error) { return std::strerror(error); }

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

// A new file beside path under a random name, as mkstemp makes one; -1 with errno set.
int OpenTemporary(const std::string& path, std::string& temporary) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = path + ".tmp-";
    for (int i = 0; i < 6; ++i) temporary += kLetters[random() % (sizeof kLetters - 1)];
    const int fd = ::_wopen(standin::PathFromUtf8(temporary).c_str(),
                            _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Windows files carry no POSIX permissions.
void SetDefaultPermissions(int) {}

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

int OpenTemporary(const std::string& path, std::string& temporary) {
  temporary = path + ".tmp-XXXXXX";
  return ::mkstemp(temporary.data());
}

// New files get the usual permissions (0666 less the umask), not mkstemp's 0600.
void SetDefaultPermissions(int fd) {
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

WriteEnd Failed(const std::string& path, int reason, std::string& error) {
  error = path + ": cannot write: " + Reason(reason);
  return WriteEnd::kFailed;
}

// The file's text in a new temporary file beside it; nothing is left behind unless kWritten.
WriteEnd WriteTemporary(const FileToWrite& file, const std::function<bool()>& stopWanted,
                        TemporaryFile& temporary, std::string& error) {
  const int fd = OpenTemporary(file.path, temporary.path);
  if (fd < 0) return Failed(file.path, errno, error);
  temporary.slot = RememberTemporaryFile(temporary.path);
  SetDefaultPermissions(fd);
  bool stopped = false;
  int failure = temporary.slot < 0 ? ENAMETOOLONG : 0;
  if (failure == 0 && (!WriteAll(fd, file.text, stopWanted, stopped) || FlushToDisk(fd) != 0))
    failure = errno;
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (!stopped && failure == 0) return WriteEnd::kWritten;
  Discard(temporary);
  return stopped ? WriteEnd::kStopped : Failed(file.path, failure, error);
}

void DiscardFrom(std::vector<TemporaryFile>& temporaries, std::size_t first) {
  for (std::size_t index = first; index < temporaries.size(); ++index) Discard(temporaries[index]);
}

}  // namespace

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  std::FILE* file = OpenForReading(path);
  if (!file) {
    error = path + ": cannot open: " + Reason(errno);
    return false;
  }
  text.clear();
  std::vector<char> buffer(1 << 16);
  std::size_t count = 0;
  while ((count = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
    text.append(buffer.data(), count);
  const bool failed = std::ferror(file) != 0;
  const int readError = errno;
  std::fclose(file);
  if (failed) error = path + ": cannot read: " + Reason(readError);
  return !failed;
}

WriteEnd WriteTextFilesAtomically(const std::vector<FileToWrite>& files,
                                  const std::function<bool()>& stopWanted, std::string& error) {
  std::vector<TemporaryFile> temporaries;
  for (const FileToWrite& file : files) {
    TemporaryFile temporary;
    const WriteEnd end = WriteTemporary(file, stopWanted, temporary, error);
    if (end != WriteEnd::kWritten) {
      DiscardFrom(temporaries, 0);
      return end;
    }
    temporaries.push_back(temporary);
  }
  if (stopWanted()) {
    DiscardFrom(temporaries, 0);
    return WriteEnd::kStopped;
  }
  std::string renamed;
  for (std::size_t index = 0; index < files.size(); ++index) {
    if (ReplaceFile(temporaries[index].path, files[index].path) != 0) {
      Failed(files[index].path, errno, error);
      if (!renamed.empty()) error += " (written: " + renamed + ")";
      DiscardFrom(temporaries, index);
      return WriteEnd::kFailed;
    }
    ForgetTemporaryFile(temporaries[index].slot);
    renamed += (renamed.empty() ? "" : ", ") + files[index].path;
  }
  return WriteEnd::kWritten;
}

bool WriteTextFileAtomically(const std::string& path, const std::string& text, std::string& error) {
  return WriteTextFilesAtomically(
             {{path, text}}, [] { return false; }, error) == WriteEnd::kWritten;
}
