// Truncated and byte-mutated scene and BVH files: the readers never crash, every refusal says
// why, nothing leaks, and whatever they accept writes and reads back to the same bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "BvhReader.h"
#include "SceneReader.h"
#include "SceneWriter.h"
#include "c4d.h"
#include "c4d_standin.h"

namespace {

constexpr int kCasesPerReader = 3000;

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

const char kSmallBvh[] =
    "HIERARCHY\nROOT Hips\n{\n OFFSET 0 90 0\n"
    " CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
    " JOINT Leg\n {\n  OFFSET 5 -5 0\n  CHANNELS 3 Zrotation Xrotation Yrotation\n"
    "  End Site\n  {\n   OFFSET 0 -40 0\n  }\n }\n}\n"
    "MOTION\nFrames: 3\nFrame Time: 0.0333333\n"
    "1 2 3 90 0 -45 10 20 30\n1.5 2 3 180 0 0 10 20 30\n2 2 3 -90 0 0 10 20 30\n";

// Bytes that change the structure of JSON and BVH text more often than random ones do.
const char kTelling[] = "{}[]\":,-+.0123456789eE \n\tnulltruefalse";

std::string Mutate(const std::string& seed, std::mt19937& random) {
  std::string text = seed;
  auto at = [&](std::size_t size) { return size ? random() % size : 0; };
  switch (random() % 4) {
    case 0:
      text.resize(at(text.size() + 1));
      break;
    case 1:
      for (unsigned count = 1 + random() % 4; count && !text.empty(); --count)
        text[at(text.size())] =
            random() % 2 ? kTelling[at(sizeof kTelling - 1)] : static_cast<char>(random() % 256);
      break;
    case 2: {
      const std::size_t start = at(text.size());
      text.erase(start, 1 + random() % 16);
      break;
    }
    default: {
      const std::size_t start = at(text.size());
      text.insert(at(text.size()), text.substr(start, 1 + random() % 24));
      break;
    }
  }
  return text;
}

void ExpectSoundResult(const SceneReadResult& read, const std::string& input) {
  if (!read.document) {
    EXPECT_FALSE(read.error.empty()) << input;
    return;
  }
  const SceneWriteResult first = WriteSceneText(*read.document);
  ASSERT_EQ(first.error, "") << input;
  const SceneReadResult again = ReadSceneText(first.text);
  ASSERT_NE(again.document, nullptr) << again.error << "\n" << first.text;
  EXPECT_EQ(WriteSceneText(*again.document).text, first.text) << input;
}

TEST(SceneFuzz, MutatedScenesNeverBreakTheReader) {
  const std::string seed = FileText(std::string(THINFOLD_ROOT) + "/examples/demo.json");
  ASSERT_FALSE(seed.empty());
  std::mt19937 random(1031254);
  const LLONG atomsBefore = standin::GetLiveAtomCount();
  int accepted = 0;
  for (int i = 0; i < kCasesPerReader && !HasFatalFailure(); ++i) {
    const std::string text = Mutate(seed, random);
    const SceneReadResult read = ReadSceneText(text);
    accepted += read.document != nullptr;
    ExpectSoundResult(read, text);
  }
  EXPECT_EQ(standin::GetLiveAtomCount(), atomsBefore);
  // Some mutations (inside numbers and names) keep the file valid: both paths get exercised.
  EXPECT_GT(accepted, 0);
  EXPECT_LT(accepted, kCasesPerReader);
}

TEST(SceneFuzz, MutatedBvhNeverBreaksTheReader) {
  std::mt19937 random(1031250);
  const LLONG atomsBefore = standin::GetLiveAtomCount();
  int accepted = 0;
  for (int i = 0; i < kCasesPerReader && !HasFatalFailure(); ++i) {
    const std::string text = Mutate(kSmallBvh, random);
    const SceneReadResult read =
        ReadBvhText(text, {.fps = i % 2 ? 24 : 0, .rawAngles = i % 3 == 0});
    accepted += read.document != nullptr;
    ExpectSoundResult(read, text);
  }
  EXPECT_EQ(standin::GetLiveAtomCount(), atomsBefore);
  EXPECT_GT(accepted, 0);
  EXPECT_LT(accepted, kCasesPerReader);
}

}  // namespace
