// Checks the committed pictures in assets/ against their inventory: names, sizes, JPEG mode,
// content.
#include "toolkit/Picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TSketch {
  const char* Key;
  int Width;
  int Height;
  bool Progressive;
};

// The sketches the questions refer to, by key (licence and area, then sketch number).
const TSketch kSketches[] = {
    {"11_1", 565, 358, false},  {"11_2", 599, 390, false},  {"11_3", 622, 404, false},
    {"11_4", 612, 259, false},  {"11_5", 495, 354, false},  {"11_6", 230, 260, false},
    {"11_11", 452, 163, false}, {"12_1", 425, 282, false},  {"12_2", 390, 249, false},
    {"12_3", 291, 280, false},  {"12_4", 429, 234, false},  {"12_5", 531, 393, false},
    {"12_6", 389, 252, false},  {"12_7", 823, 314, false},  {"13_1", 622, 410, false},
    {"13_2", 551, 416, false},  {"13_3", 335, 376, false},  {"13_4", 258, 371, false},
    {"13_5", 266, 406, false},  {"13_6", 568, 395, false},  {"13_7", 263, 344, false},
    {"13_8", 230, 365, false},  {"13_9", 444, 430, false},  {"13_10", 322, 397, false},
    {"13_11", 572, 384, false}, {"13_12", 413, 410, false}, {"13_13", 284, 360, false},
    {"13_14", 336, 360, false}, {"13_15", 332, 332, false}, {"13_16", 425, 387, false},
    {"13_17", 542, 412, false}, {"13_18", 326, 396, false}, {"13_19", 461, 316, false},
    {"13_20", 523, 329, true},  {"13_21", 513, 363, false}, {"13_22", 408, 389, false},
    {"13_23", 328, 400, false}, {"13_24", 441, 396, false}, {"13_25", 317, 392, false},
    {"13_26", 263, 364, false}, {"14_1", 532, 367, false},  {"14_2", 499, 395, false},
    {"14_3", 440, 393, false},  {"14_4", 320, 386, false},  {"14_5", 343, 431, false},
    {"14_6", 620, 301, false},  {"14_7", 481, 167, false},  {"14_8", 307, 425, false},
    {"14_9", 454, 415, false},  {"14_10", 326, 358, false}, {"14_11", 286, 402, false},
    {"14_12", 609, 277, false}, {"14_13", 526, 335, false}, {"21_1", 691, 476, false},
    {"21_2", 590, 391, false},  {"21_3", 685, 435, false},  {"21_4", 683, 457, false},
    {"21_5", 657, 498, false},  {"21_6", 746, 489, false},  {"21_7", 650, 490, false},
    {"21_8", 675, 484, false},  {"21_9", 615, 516, false},  {"21_10", 742, 488, false},
    {"21_11", 744, 499, false}, {"21_12", 680, 516, false}, {"21_13", 676, 512, false},
    {"21_14", 732, 484, false}, {"21_15", 529, 506, false}, {"21_16", 669, 504, false},
    {"21_17", 769, 244, false}, {"21_18", 619, 493, false}, {"21_19", 737, 487, false},
    {"21_20", 738, 497, false}, {"21_21", 740, 496, false}, {"21_22", 775, 497, false},
    {"22_1", 358, 509, false},  {"22_7", 407, 473, false},  {"22_8", 345, 486, false},
    {"22_9", 577, 471, false},  {"23_3", 582, 496, false},  {"62_1", 622, 417, true},
    {"74_1", 378, 526, true},   {"77_1", 527, 575, true},   {"77_2", 464, 604, true},
    {"77_3", 476, 638, true},   {"77_4", 459, 310, true},
};

const char* const kIcons[] = {"information", "question", "exclamation", "critical", "application"};

// The source root: from AEROLERN_SOURCE_DIR, which ctest sets; when the test program is started
// by hand, from where this file was compiled (two folders up from tests/assets).
std::string SourceDir() {
  if (const char* dir = std::getenv("AEROLERN_SOURCE_DIR"); dir && *dir)
    return dir;
  const fs::path here(__FILE__);
  if (here.is_absolute())
    return here.parent_path().parent_path().parent_path().string();
  return "";
}

std::string AssetPath(const std::string& name) { return SourceDir() + "/assets/" + name; }

std::string SketchPath(const std::string& key) { return AssetPath("sketches/" + key + ".jpg"); }

// The header of a picture; a missing or unreadable file is a failure, not a crash of the run.
bool ReadInfo(const std::string& path, TPictureInfo& info) {
  try {
    info = TPicture::ReadInfo(path);
    return true;
  } catch (const std::exception& error) {
    ADD_FAILURE() << path << ": " << error.what();
    return false;
  }
}

bool Load(const std::string& path, TPicture& picture) {
  try {
    picture.LoadFromFile(path);
    return true;
  } catch (const std::exception& error) {
    ADD_FAILURE() << path << ": " << error.what();
    return false;
  }
}

struct TRgb {
  int R, G, B;
};

TRgb PixelAt(const TPicture& picture, int x, int y) {
  const auto& p = picture.Pixels();
  const size_t i = (static_cast<size_t>(y) * picture.Width() + x) * 3;
  return {p[i], p[i + 1], p[i + 2]};
}

// Share of the pixels that pass a test, 0 to 1.
template <typename TTest> double Share(const TPicture& picture, TTest test) {
  size_t hits = 0;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      hits += test(PixelAt(picture, x, y));
  return static_cast<double>(hits) / (static_cast<double>(picture.Width()) * picture.Height());
}

// How the colours of a picture spread: the number of colours (16 steps per channel) that cover
// at least 0.2 % of it, and the share of pixels outside the most frequent colour. An empty card
// or a flat fill has one or two colours and, with the key in its corner, about 1 % beside its
// background; the sparsest line diagram has about 3 %.
struct TSpread {
  int Colours = 0;
  double BesideBackground = 0;
};

TSpread Spread(const TPicture& picture) {
  std::map<int, size_t> counts;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      const TRgb c = PixelAt(picture, x, y);
      ++counts[(c.R / 16) * 256 + (c.G / 16) * 16 + c.B / 16];
    }
  const double total = static_cast<double>(picture.Width()) * picture.Height();
  TSpread spread;
  size_t most = 0;
  for (const auto& [colour, count] : counts) {
    most = std::max(most, count);
    spread.Colours += count >= total * 0.002;
  }
  spread.BesideBackground = 1.0 - static_cast<double>(most) / total;
  return spread;
}

class AssetInventoryTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(SourceDir().empty()) << "AEROLERN_SOURCE_DIR is not set";
    ASSERT_TRUE(fs::is_directory(AssetPath("sketches"))) << AssetPath("sketches");
  }
};

// The table itself: a key typed twice or a lost line would hide a missing picture.
TEST(AssetInventoryTableTest, HoldsEightySixDistinctKeysSevenOfThemProgressive) {
  std::set<std::string> keys;
  int progressive = 0;
  for (const TSketch& sketch : kSketches) {
    keys.insert(sketch.Key);
    progressive += sketch.Progressive;
  }
  EXPECT_EQ(std::size(kSketches), 86u);
  EXPECT_EQ(keys.size(), 86u);
  EXPECT_EQ(progressive, 7);
}

TEST_F(AssetInventoryTest, EverySketchHasItsSizeColourAndMode) {
  for (const TSketch& sketch : kSketches) {
    SCOPED_TRACE(sketch.Key);
    const std::string path = SketchPath(sketch.Key);
    TPictureInfo info;
    if (!ReadInfo(path, info))
      continue;
    EXPECT_EQ(info.Width, sketch.Width);
    EXPECT_EQ(info.Height, sketch.Height);
    EXPECT_EQ(info.Components, 3);
    EXPECT_EQ(info.Progressive, sketch.Progressive);
  }
}

// Every sketch decodes completely, and it is a drawing, not an empty card: more than black on
// white, and a part of it away from the background.
TEST_F(AssetInventoryTest, EverySketchDecodesToADrawing) {
  for (const TSketch& sketch : kSketches) {
    SCOPED_TRACE(sketch.Key);
    TPicture picture;
    if (!Load(SketchPath(sketch.Key), picture))
      continue;
    EXPECT_EQ(picture.Width(), sketch.Width);
    EXPECT_EQ(picture.Height(), sketch.Height);
    EXPECT_EQ(picture.Components(), 3);
    EXPECT_EQ(picture.Progressive(), sketch.Progressive);
    ASSERT_EQ(picture.Pixels().size(), static_cast<size_t>(sketch.Width) * sketch.Height * 3);
    const TSpread spread = Spread(picture);
    EXPECT_GE(spread.Colours, 3);
    EXPECT_GE(spread.BesideBackground, 0.02);
  }
}

TEST_F(AssetInventoryTest, NoticeIsAGreyProgressivePictureWithText) {
  const std::string path = AssetPath("sketches/noICAO.jpg");
  TPictureInfo info;
  ASSERT_TRUE(ReadInfo(path, info));
  EXPECT_EQ(info.Width, 320);
  EXPECT_EQ(info.Height, 240);
  EXPECT_EQ(info.Components, 1);
  EXPECT_TRUE(info.Progressive);

  TPicture picture;
  ASSERT_TRUE(Load(path, picture));
  EXPECT_EQ(picture.Components(), 1);
  // greyscale comes out with three equal channels; dark text stands on a light card
  EXPECT_EQ(Share(picture, [](TRgb c) { return c.R != c.G || c.G != c.B; }), 0.0);
  EXPECT_GT(Share(picture, [](TRgb c) { return c.R > 200; }), 0.6);
  EXPECT_GT(Share(picture, [](TRgb c) { return c.R < 90; }), 0.01);
}

TEST_F(AssetInventoryTest, IconsAreSmallBaselineColourPictures) {
  for (const char* name : kIcons) {
    SCOPED_TRACE(name);
    const std::string path = AssetPath(std::string("icons/") + name + ".jpg");
    TPictureInfo info;
    if (!ReadInfo(path, info))
      continue;
    EXPECT_EQ(info.Width, 32);
    EXPECT_EQ(info.Height, 32);
    EXPECT_EQ(info.Components, 3);
    EXPECT_FALSE(info.Progressive);
  }
}

// Each icon shows its own sign on white: the colours tell a swapped or blank icon apart.
TEST_F(AssetInventoryTest, IconsShowTheirSigns) {
  const auto white = [](TRgb c) { return c.R > 225 && c.G > 225 && c.B > 225; };
  const auto blue = [](TRgb c) { return c.B > 150 && c.B > c.R + 60; };
  const auto red = [](TRgb c) { return c.R > 170 && c.G < 90 && c.B < 90; };
  const auto yellow = [](TRgb c) { return c.R > 200 && c.G > 170 && c.B < 110; };
  std::map<std::string, TPicture> icons;
  for (const char* name : kIcons)
    ASSERT_TRUE(Load(AssetPath(std::string("icons/") + name + ".jpg"), icons[name])) << name;

  for (const char* balloon : {"information", "question"}) {
    SCOPED_TRACE(balloon);
    EXPECT_GT(Share(icons[balloon], white), 0.4);
    EXPECT_GT(Share(icons[balloon], blue), 0.1);
    EXPECT_LT(Share(icons[balloon], red), 0.01);
  }
  // the "i" is a narrow dot over a solid stem; the "?" bends out wide at the top and has a gap
  // between its hook and its dot where the stem of the "i" is
  EXPECT_TRUE(blue(PixelAt(icons["information"], 15, 16)));
  EXPECT_FALSE(blue(PixelAt(icons["information"], 12, 9)));
  EXPECT_FALSE(blue(PixelAt(icons["question"], 15, 16)));
  EXPECT_TRUE(blue(PixelAt(icons["question"], 12, 9)));
  EXPECT_GT(Share(icons["exclamation"], yellow), 0.18);
  EXPECT_TRUE(white(PixelAt(icons["exclamation"], 1, 1)));
  EXPECT_FALSE(yellow(PixelAt(icons["exclamation"], 16, 18))); // the black "!"
  EXPECT_GT(Share(icons["critical"], red), 0.35);
  EXPECT_TRUE(white(PixelAt(icons["critical"], 16, 16))); // where the cross meets
  EXPECT_TRUE(white(PixelAt(icons["critical"], 0, 0)));
  EXPECT_GT(Share(icons["application"], blue), 0.08);
  EXPECT_TRUE(white(PixelAt(icons["application"], 16, 20))); // the window's client area
  EXPECT_LT(Share(icons["application"], red), 0.01);
}

TEST_F(AssetInventoryTest, LogoAndSplashAreProgressiveColourPictures) {
  const struct {
    const char* Name;
    int Width, Height;
  } pictures[] = {{"logo.jpg", 269, 297}, {"splash.jpg", 640, 480}};
  for (const auto& expected : pictures) {
    SCOPED_TRACE(expected.Name);
    TPicture picture;
    if (!Load(AssetPath(expected.Name), picture))
      continue;
    EXPECT_EQ(picture.Width(), expected.Width);
    EXPECT_EQ(picture.Height(), expected.Height);
    EXPECT_EQ(picture.Components(), 3);
    EXPECT_TRUE(picture.Progressive());
    const TSpread spread = Spread(picture);
    EXPECT_GE(spread.Colours, 8);
    EXPECT_GE(spread.BesideBackground, 0.3);
  }
}

// The splash window writes a link at left 376..583, top 440..454; the picture is even there, so
// the link stays readable.
TEST_F(AssetInventoryTest, SplashIsCalmWhereTheLinkIsWritten) {
  TPicture splash;
  ASSERT_TRUE(Load(AssetPath("splash.jpg"), splash));
  ASSERT_EQ(splash.Width(), 640);
  ASSERT_EQ(splash.Height(), 480);
  const TRgb first = PixelAt(splash, 376, 440);
  int worst = 0;
  for (int y = 440; y <= 454; ++y)
    for (int x = 376; x <= 583; ++x) {
      const TRgb c = PixelAt(splash, x, y);
      worst = std::max(
          {worst, std::abs(c.R - first.R), std::abs(c.G - first.G), std::abs(c.B - first.B)});
    }
  EXPECT_LE(worst, 12);
  // light, so dark link text shows on it
  EXPECT_GT(first.R + first.G + first.B, 3 * 180);
}

// Nothing in the sketch folder but the inventory and the notice: a stray file would be shipped
// with the program and never shown.
TEST_F(AssetInventoryTest, SketchFolderHoldsNothingElse) {
  std::set<std::string> expected{"noICAO.jpg"};
  for (const TSketch& sketch : kSketches)
    expected.insert(std::string(sketch.Key) + ".jpg");
  std::set<std::string> found;
  for (const fs::directory_entry& entry : fs::directory_iterator(AssetPath("sketches"))) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(entry.is_regular_file()) << name;
    EXPECT_EQ(expected.count(name), 1u) << "unexpected file " << name;
    found.insert(name);
  }
  EXPECT_EQ(found.size(), 87u);
  for (const std::string& name : expected)
    EXPECT_EQ(found.count(name), 1u) << "missing " << name;
}

} // namespace
