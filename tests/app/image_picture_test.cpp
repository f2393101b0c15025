// Pictures from images: the readers' refusals of images that cannot be used,
// thresholds, inverting and fitting on small images shipped with the tests,
// and the --from-image command on them.
#include "app/image_picture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <sstream>
#include <string>
#include <vector>

#include "app/from_image_command.h"
#include "persistence/puzzle_formats.h"
#include "solver/line_solver.h"
#include "text/lang_helper.h"

namespace {

const std::string kImages = TAVELO_TEST_IMAGES;

QString ImagePath(const char* name) {
  return QString::fromStdString(kImages + "/" + name);
}

const std::string kFrame =
    "########"
    "#......#"
    "#.####.#"
    "#.#..#.#"
    "#.#..#.#"
    "#.####.#"
    "#......#"
    "########";

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

TRun FromImage(std::vector<std::string> args) {
  args.insert(args.begin(), "tavelo");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  std::ostringstream out, err;
  const int status = RunFromImageCommand(static_cast<int>(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}

}  // namespace

TEST(ImagePicture, EveryFormatGivesThePicture) {
  for (const char* name : {"frame.png", "frame.bmp", "frame.jpg", "frame.svg", "frame_grey.png"}) {
    SCOPED_TRACE(name);
    const QImage image = ReadPictureImage(ImagePath(name));
    EXPECT_EQ(PictureOfImage(image, {8, 8, false, 128, false}).Cells, kFrame);
  }
}

TEST(ImagePicture, ThresholdInvertAndFit) {
  const QImage grey = ReadPictureImage(ImagePath("frame_grey.png"));  // 100 and 230
  std::string inverted = kFrame;
  for (char& c : inverted) c = c == '#' ? '.' : '#';
  struct Case {
    TImageFit fit;
    std::string cells;
  };
  const Case cases[] = {
      {{8, 8, false, 101, false}, kFrame},
      {{8, 8, false, 100, false}, std::string(64, '.')},  // darker than, not as dark as
      {{8, 8, false, 231, false}, std::string(64, '#')},
      {{8, 8, false, 128, true}, inverted},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PictureOfImage(grey, c.fit).Cells, c.cells) << c.fit.Threshold << " " << c.fit.Invert;

  // A wide board keeps the square image's aspect with empty margins at the
  // sides; cropped, the image fills the board's width, its frame at the edges.
  const TDesignPicture kept = PictureOfImage(grey, {12, 4, false, 128, false});
  const TDesignPicture cropped = PictureOfImage(grey, {12, 4, true, 128, false});
  ASSERT_EQ(kept.Cells.size(), 48u);
  for (int y = 0; y < 4; ++y) {
    for (const int x : {0, 1, 10, 11}) EXPECT_FALSE(kept.Filled(x, y)) << x << "," << y;
    for (const int x : {0, 11}) EXPECT_TRUE(cropped.Filled(x, y)) << x << "," << y;
  }
}

TEST(ImagePicture, UnusableImagesAreRefusedWithAReasonInThePlayersLanguage) {
  struct Case {
    const char* name;
    TTextName reason;
  };
  const Case cases[] = {
      {"empty.png", ttnReasonImageNotReadable},
      {"truncated.png", ttnReasonImageUnreadable},
      {"huge.png", ttnReasonImageTooLarge},
      {"animated.gif", ttnReasonImageAnimated},
      {"no-such-file.png", ttnReasonImageNotReadable},
  };
  const auto refusal = [](auto&& read) {
    try {
      read();
    } catch (const EImageUnusable& e) {
      return std::string(e.what());
    }
    return std::string("(read)");
  };
  for (const TLanguage language : SupportedLanguages()) {
    CurrentLanguage = language;
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      // The text up to its first argument: the sizes and Qt's own reason follow.
      const std::string text = TextFor(c.reason);
      EXPECT_EQ(refusal([&] {
                  ReadPictureImage(ImagePath(c.name));
                }).rfind(text.substr(0, text.find('%')), 0),
                0u)
          << static_cast<int>(language);
    }
    EXPECT_EQ(refusal([] { CheckedPictureImage(QImage()); }), TextFor(ttnReasonImageNoPixels));
  }
  CurrentLanguage = lgEnglish;
  EXPECT_THROW(CheckedPictureImage(QImage()), EImageUnusable);
  QFile file(ImagePath("frame.png"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(ReadPictureImageData(file.readAll()).size(), QSize(8, 8));
}

TEST(FromImageCommand, PrintsALineSolvablePuzzleAndTheChangedCells) {
  const TRun frame = FromImage({"--from-image", kImages + "/frame.png", "--size", "8x8"});
  EXPECT_EQ(frame.Status, 0) << frame.Err;
  EXPECT_EQ(frame.Out, WriteGameId(PuzzleOfGoal(8, 8, kFrame)) + "\n");
  EXPECT_EQ(frame.Err, "0 cells differ from the thresholded image\n");

  // The diagonal has several pictures: cells change until line logic finds one.
  const TRun diagonal =
      FromImage({"--from-image", kImages + "/diagonal.png", "--size", "5x5", "--format", "non"});
  ASSERT_EQ(diagonal.Status, 0) << diagonal.Err;
  const TPuzzle puzzle = ReadPuzzles(diagonal.Out).at(0);
  NonogramSolver solver(puzzle.Rows, puzzle.Columns);
  EXPECT_EQ(solver.Solve(), 2);
  int differ = 0;
  for (int i = 0; i < 25; ++i) differ += (puzzle.Goal[i] == '#') != (i % 6 == 0) ? 1 : 0;
  EXPECT_GT(differ, 0);
  EXPECT_EQ(diagonal.Err, std::to_string(differ) +
                              (differ == 1 ? " cell differs" : " cells differ") +
                              " from the thresholded image\n");

  const TRun xml = FromImage({"--from-image", kImages + "/frame.svg", "--size", "8x8",
                              "--threshold", "128", "--format", "xml"});
  EXPECT_EQ(xml.Status, 0);
  EXPECT_EQ(ReadPuzzles(xml.Out).at(0).Goal, kFrame);
}

TEST(FromImageCommand, BadArgumentsAndImagesFailWithAMessage) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* message;
  };
  const std::string frame = kImages + "/frame.png";
  const Case cases[] = {
      {{"--from-image", frame}, 2, "--size"},
      {{"--from-image", frame, "--size", "2x8"}, 2, "3 to 128"},
      {{"--from-image", frame, "--size", "8x8", "--threshold", "256"}, 2, "0 to 255"},
      {{"--from-image", frame, "--size", "8x8", "--format", "code"}, 2, "id, non or xml"},
      {{"--from-image", frame, "--size", "8x8", "--bogus"}, 2, "unknown argument"},
      {{"--from-image", kImages + "/animated.gif", "--size", "8x8"}, 1, "animated"},
      {{"--from-image", kImages + "/truncated.png", "--size", "8x8"}, 1, "cannot be read"},
  };
  for (const Case& c : cases) {
    const TRun run = FromImage(c.args);
    EXPECT_EQ(run.Status, c.status) << c.args.back();
    EXPECT_NE(run.Err.find(c.message), std::string::npos) << run.Err;
    EXPECT_TRUE(run.Out.empty());
  }
}
