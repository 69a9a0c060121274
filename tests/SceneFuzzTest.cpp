// Hostile variants of the example files through both readers, a fixed number from fixed seeds:
// truncated, byte-flipped, cut and repeated text, huge and non-finite numbers, deep nesting, long
// names and bytes a terminal would act on. The readers never crash (the sanitizer builds run this
// too), every refusal says why in a short printable message, nothing leaks, and whatever they
// accept writes and reads back to the same bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "BvhReader.h"
#include "PrintableText.h"
#include "SceneReader.h"
#include "SceneWriter.h"
#include "c4d.h"
#include "c4d_standin.h"

namespace {

constexpr int kCasesPerReader = 4000;
// The largest message: a few shown texts and the words around them.
constexpr std::size_t kMaxMessageBytes = 4 * kMaxShownBytes;

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string ExampleText(const char* name) {
  return FileText(std::string(THINFOLD_ROOT) + "/examples/" + name);
}

// The walk's hierarchy with its first frames: the whole capture would take too long per case.
std::string ShortWalk(int frames) {
  std::istringstream walk(ExampleText("walk.bvh"));
  std::string text, line;
  while (std::getline(walk, line) && line != "MOTION") text += line + "\n";
  std::getline(walk, line);  // Frames:
  text += "MOTION\nFrames: " + std::to_string(frames) + "\n";
  for (int i = 0; i <= frames && std::getline(walk, line); ++i) text += line + "\n";
  return text;
}

struct Seed {
  std::string text;
  std::vector<std::string> openers;  // text that opens one more level of nesting
};

using Random = std::mt19937;

std::size_t Below(std::size_t size, Random& random) { return size ? random() % size : 0; }

template <class T, std::size_t N>
const T& AnyOf(const T (&choices)[N], Random& random) {
  return choices[random() % N];
}

void Truncate(std::string& text, const Seed&, Random& random) {
  text.resize(Below(text.size() + 1, random));
}

// Bytes that change the structure of JSON and BVH text more often than random ones do.
void FlipBytes(std::string& text, const Seed&, Random& random) {
  static const char kTelling[] = "{}[]\":,-+.0123456789eE \n\tnulltruefalse";
  for (unsigned count = 1 + random() % 4; count && !text.empty(); --count)
    text[Below(text.size(), random)] = random() % 2 ? kTelling[Below(sizeof kTelling - 1, random)]
                                                    : static_cast<char>(random() % 256);
}

void Erase(std::string& text, const Seed&, Random& random) {
  text.erase(Below(text.size(), random), 1 + random() % 16);
}

// A piece of the text again somewhere, up to thousands of times.
void Repeat(std::string& text, const Seed&, Random& random) {
  const std::string piece = text.substr(Below(text.size(), random), 1 + random() % 24);
  const std::size_t times = random() % 4 ? 1 : 1 + random() % 2000;
  std::string repeated;
  for (std::size_t i = 0; i < times; ++i) repeated += piece;
  text.insert(Below(text.size(), random), repeated);
}

// The number at a random place replaced by one no reader can take as it is.
void HostileNumber(std::string& text, const Seed&, Random& random) {
  static const char* const kNumbers[] = {"1e308",
                                         "-1e309",
                                         "1e-400",
                                         "4294967296",
                                         "-2147483649",
                                         "9223372036854775808",
                                         "99999999999999999999999999999999",
                                         "NaN",
                                         "-Infinity",
                                         "inf",
                                         "nan",
                                         "0x10",
                                         "1.7976931348623157e308",
                                         "4.656e-10",
                                         "-0",
                                         "1e+2147483648"};
  const std::size_t digit = text.find_first_of("0123456789", Below(text.size(), random));
  if (digit == std::string::npos) return;
  std::size_t end = digit;
  while (end < text.size() && std::string("0123456789.eE+-").find(text[end]) != std::string::npos)
    ++end;
  text.replace(digit, end - digit, AnyOf(kNumbers, random));
}

void DeepNesting(std::string& text, const Seed& seed, Random& random) {
  const std::string& opener = seed.openers[Below(seed.openers.size(), random)];
  const std::size_t depth = 200 + random() % 2000;
  std::string nested;
  for (std::size_t i = 0; i < depth; ++i) nested += opener;
  text.insert(Below(text.size(), random), nested);
}

// A long run of one byte: a letter in a name, or a control byte, or bytes that are no UTF-8.
void LongRun(std::string& text, const Seed&, Random& random) {
  static const char kBytes[] = {'n',    ' ',    '\n',   '\x1b', '\x07', '\0',
                                '\x7f', '\xC2', '\x9b', '\xff', '"',    '\\'};
  text.insert(Below(text.size(), random), 1 + random() % 65536, AnyOf(kBytes, random));
}

void ByteOrderMark(std::string& text, const Seed&, Random& random) {
  text.insert(random() % 4 ? 0 : Below(text.size(), random), "\xEF\xBB\xBF");
}

using Mutation = void (*)(std::string&, const Seed&, Random&);
const Mutation kMutations[] = {Truncate,      FlipBytes,   Erase,   Repeat,
                               HostileNumber, DeepNesting, LongRun, ByteOrderMark};

// One to three mutations of the seed.
std::string Mutated(const Seed& seed, Random& random) {
  std::string text = seed.text;
  for (unsigned count = 1 + random() % 3; count; --count)
    AnyOf(kMutations, random)(text, seed, random);
  return text;
}

bool IsPrintable(const std::string& message) {
  for (const char c : message)
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') return false;
  return true;
}

void ExpectSoundResult(const SceneReadResult& read, const std::string& input) {
  const std::string shown = Printable(input);
  if (!read.document) {
    EXPECT_FALSE(read.error.empty()) << shown;
    EXPECT_LT(read.error.size(), kMaxMessageBytes) << Printable(read.error);
    EXPECT_TRUE(IsPrintable(read.error)) << Printable(read.error);
    return;
  }
  const SceneWriteResult first = WriteSceneText(*read.document);
  ASSERT_EQ(first.error, "") << shown;
  const SceneReadResult again = ReadSceneText(first.text);
  ASSERT_NE(again.document, nullptr) << again.error << "\n" << Printable(first.text);
  EXPECT_EQ(WriteSceneText(*again.document).text, first.text) << shown;
}

using Reader = SceneReadResult (*)(const std::string& text, int caseNumber);

// kCasesPerReader variants, of each seed in turn.
void FuzzReader(const std::vector<Seed>& seeds, Reader read, unsigned randomSeed) {
  Random random(randomSeed);
  const LLONG atomsBefore = standin::GetLiveAtomCount();
  int accepted = 0;
  for (int i = 0; i < kCasesPerReader && !testing::Test::HasFailure(); ++i) {
    const Seed& seed = seeds[i % seeds.size()];
    ASSERT_FALSE(seed.text.empty());
    const std::string text = Mutated(seed, random);
    const SceneReadResult result = read(text, i);
    accepted += result.document != nullptr;
    ExpectSoundResult(result, text);
  }
  EXPECT_EQ(standin::GetLiveAtomCount(), atomsBefore);
  // Some mutations (inside numbers and names) keep the file valid: both paths get exercised.
  EXPECT_GT(accepted, 0);
  EXPECT_LT(accepted, kCasesPerReader);
}

TEST(SceneFuzz, MutatedScenesNeverBreakTheReader) {
  FuzzReader(
      {{ExampleText("demo.json"), {"[", "{\"a\":", "{\"container\": {\"1\": "}}},
      [](const std::string& text, int) { return ReadSceneText(text); }, 1031254);
}

const char kSmallBvh[] =
    "HIERARCHY\nROOT Hips\n{\n OFFSET 0 90 0\n"
    " CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
    " JOINT Leg\n {\n  OFFSET 5 -5 0\n  CHANNELS 3 Zrotation Xrotation Yrotation\n"
    "  End Site\n  {\n   OFFSET 0 -40 0\n  }\n }\n}\n"
    "MOTION\nFrames: 3\nFrame Time: 0.0333333\n"
    "1 2 3 90 0 -45 10 20 30\n1.5 2 3 180 0 0 10 20 30\n2 2 3 -90 0 0 10 20 30\n";

// Every other case sets the frame rate, so that files with any Frame Time get built too.
TEST(SceneFuzz, MutatedBvhNeverBreaksTheReader) {
  const std::vector<std::string> openers = {"JOINT j\n{\nOFFSET 0 0 0\n", "{\n", "End Site\n{\n"};
  FuzzReader(
      {{kSmallBvh, openers}, {ShortWalk(3), openers}},
      [](const std::string& text, int caseNumber) {
        return ReadBvhText(text,
                           {.fps = caseNumber % 2 ? 24 : 0, .rawAngles = caseNumber % 3 == 0});
      },
      1031250);
}

}  // namespace
