// The text of BVH motion capture files, read as whitespace-separated words with their lines.
#include "BvhParser.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <system_error>

#include "BvhSkeleton.h"
#include "JsonSupport.h"
#include "PrintableText.h"
#include "Status.h"

namespace {

// Deeper joint nesting is refused, so hostile files cannot exhaust the stack.
constexpr int kMaxJointDepth = 256;

struct Word {
  std::string_view text;
  LONG line;
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Some editors start a file with a byte-order mark; it is no word (the JSON reader skips it too).
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::vector<Word> SplitWords(const std::string& text) {
  std::vector<Word> words;
  LONG line = 1;
  std::size_t at = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  while (at < text.size()) {
    if (IsSpace(text[at])) {
      line += text[at] == '\n';
      ++at;
      continue;
    }
    const std::size_t start = at;
    while (at < text.size() && !IsSpace(text[at])) ++at;
    words.push_back({std::string_view(text).substr(start, at - start), line});
  }
  return words;
}

bool ParseNumber(std::string_view text, double& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

class Parser {
 public:
  Parser(const std::vector<Word>& words, BvhMotion& motion) : _words(words), _motion(motion) {}

  Status ParseFile() {
    if (Status read = Expect("HIERARCHY"); !read.Ok()) return read;
    if (!At("ROOT")) return Fail("expected ROOT");
    while (At("ROOT")) {
      ++_at;
      if (Status read = ParseJoint(-1, 0); !read.Ok()) return read;
    }
    Status read = Expect("MOTION");
    if (read.Ok()) read = ParseMotionHeader();
    if (read.Ok()) read = ParseFrames();
    return read;
  }

 private:
  bool AtEnd() const { return _at >= _words.size(); }
  bool At(std::string_view text) const { return !AtEnd() && _words[_at].text == text; }
  std::string Where() const {
    return AtEnd() ? "end of file" : "line " + std::to_string(_words[_at].line);
  }
  std::string FoundText() const {
    return AtEnd() ? "the end of the file" : "'" + Printable(_words[_at].text) + "'";
  }
  // The fault at the current word, naming what is there.
  Status Fail(const std::string& what) const {
    return {Where() + ": " + what + ", found " + FoundText()};
  }
  static Status FailAt(LONG line, const std::string& what) {
    return {"line " + std::to_string(line) + ": " + what};
  }
  Status Expect(std::string_view text) {
    if (!At(text)) return Fail("expected '" + std::string(text) + "'");
    ++_at;
    return {};
  }
  Status ReadNumber(const char* what, double& value) {
    if (AtEnd() || !ParseNumber(_words[_at].text, value))
      return Fail(std::string("expected ") + what);
    ++_at;
    return {};
  }
  Status ReadCount(const char* what, LONG max, LONG& count) {
    long long value = -1;
    const std::string_view text = AtEnd() ? std::string_view() : _words[_at].text;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (AtEnd() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > max)
      return Fail(std::string("expected ") + what);
    count = static_cast<LONG>(value);
    ++_at;
    return {};
  }

  Status ParseOffset(BvhOffset& xyz) {
    Status read = Expect("OFFSET");
    for (double& number : xyz)
      if (read.Ok()) read = ReadNumber("an offset number", number);
    return read;
  }

  Status ParseChannel(BvhJoint& joint) {
    const std::optional<bool> isRotation =
        AtEnd() ? std::nullopt : BvhChannelIsRotation(_words[_at].text);
    if (!isRotation) return Fail("expected a channel name (Xposition ... Zrotation)");
    joint.channels.push_back({std::string(_words[_at].text), *isRotation});
    ++_at;
    return {};
  }

  Status ParseChannels(BvhJoint& joint) {
    LONG count = 0;
    Status read = Expect("CHANNELS");
    if (read.Ok()) read = ReadCount("a channel count of 0 to 6", 6, count);
    for (LONG i = 0; read.Ok() && i < count; ++i) read = ParseChannel(joint);
    return read;
  }

  // A joint has at most one End Site: its object keeps one offset for it.
  Status ParseEndSite(BvhJoint& joint) {
    if (joint.hasEndSite) return Fail("expected one End Site per joint");
    joint.hasEndSite = true;
    Status read = Expect("End");
    if (read.Ok()) read = Expect("Site");
    if (read.Ok()) read = Expect("{");
    if (read.Ok()) read = ParseOffset(joint.endSite);
    if (read.Ok()) read = Expect("}");
    return read;
  }

  Status ReadJointName(std::string& name) {
    if (AtEnd() || At("{")) return Fail("expected a joint name");
    name = std::string(_words[_at].text);
    if (!IsUtf8(name)) return Fail("expected a joint name in UTF-8");
    ++_at;
    return {};
  }

  // The joint's name, offset and channels.
  Status ParseJointHeader(BvhJoint& joint) {
    Status read = ReadJointName(joint.name);
    if (read.Ok()) read = Expect("{");
    if (read.Ok()) read = ParseOffset(joint.offset);
    if (read.Ok() && At("CHANNELS")) read = ParseChannels(joint);
    return read;
  }

  Status ParseJoint(int parent, int depth) {
    if (depth >= kMaxJointDepth)
      return Fail("joints nested deeper than " + std::to_string(kMaxJointDepth));
    BvhJoint joint;
    joint.parent = parent;
    if (Status read = ParseJointHeader(joint); !read.Ok()) return read;
    const int index = static_cast<int>(_motion.joints.size());
    _motion.joints.push_back(std::move(joint));
    while (!At("}")) {
      Status read;
      if (At("JOINT")) {
        ++_at;
        read = ParseJoint(index, depth + 1);
      } else if (At("End")) {
        read = ParseEndSite(_motion.joints[index]);
      } else {
        read = Fail("expected JOINT, End Site or '}'");
      }
      if (!read.Ok()) return read;
    }
    ++_at;
    return {};
  }

  Status ParseMotionHeader() {
    Status read = Expect("Frames:");
    if (read.Ok())
      read = ReadCount("a frame count", std::numeric_limits<LONG>::max(), _motion.frameCount);
    if (read.Ok()) read = Expect("Frame");
    if (read.Ok()) read = Expect("Time:");
    if (!read.Ok()) return read;
    _motion.frameTimeLine = AtEnd() ? 0 : _words[_at].line;
    read = ReadNumber("a frame time in seconds", _motion.frameTime);
    if (!read.Ok()) return read;
    if (_motion.frameTime > 0.0) return {};
    return FailAt(_motion.frameTimeLine, "expected a frame time above 0 seconds");
  }

  std::size_t ChannelCount() const {
    std::size_t count = 0;
    for (const BvhJoint& joint : _motion.joints) count += joint.channels.size();
    return count;
  }

  // One frame a line, each with a value for every channel.
  Status ParseFrames() {
    const std::size_t channelCount = ChannelCount();
    LONG framesRead = 0;
    while (!AtEnd()) {
      if (framesRead == _motion.frameCount)
        return Fail("expected no more than " + std::to_string(_motion.frameCount) +
                    " frames (Frames: says so)");
      if (Status read = ParseFrameLine(channelCount); !read.Ok()) return read;
      ++framesRead;
    }
    // Without channels the frame lines are empty.
    if (framesRead < _motion.frameCount && channelCount > 0)
      return Fail("expected " + std::to_string(_motion.frameCount) + " frames, read " +
                  std::to_string(framesRead));
    return {};
  }

  Status ParseFrameLine(std::size_t channelCount) {
    const LONG line = _words[_at].line;
    std::size_t valueCount = 0;
    while (!AtEnd() && _words[_at].line == line) {
      double value = 0.0;
      if (Status read = ReadNumber("a channel value", value); !read.Ok()) return read;
      _motion.values.push_back(value);
      ++valueCount;
    }
    if (valueCount == channelCount) return {};
    return FailAt(line, "expected " + std::to_string(channelCount) + " channel values, found " +
                            std::to_string(valueCount));
  }

  const std::vector<Word>& _words;
  BvhMotion& _motion;
  std::size_t _at = 0;
};

}  // namespace

BvhParseResult ParseBvh(const std::string& text) {
  BvhParseResult result;
  const std::vector<Word> words = SplitWords(text);
  Parser parser(words, result.motion);
  const Status parsed = parser.ParseFile();
  if (!parsed.Ok()) result = {BvhMotion(), parsed.error};
  return result;
}
