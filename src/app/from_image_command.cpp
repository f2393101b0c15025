#include "app/from_image_command.h"

#include <QCoreApplication>
#include <charconv>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/image_picture.h"
#include "generation/make_unique.h"
#include "model/nono_game.h"
#include "persistence/puzzle.h"
#include "persistence/puzzle_formats.h"

namespace {

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

struct TUsageError {
  std::string Message;
};

struct TOptions {
  std::string File;
  TImageFit Fit;
  bool Sized = false;
  std::string Format = "id";
};

TOptions Parse(int argc, char** argv) {
  TOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const auto value = [&]() -> std::string_view {
      if (i + 1 >= argc) throw TUsageError{std::string(arg) + " needs a value"};
      return argv[++i];
    };
    if (arg == "--from-image") {
      options.File = value();
    } else if (arg == "--size") {
      const std::string_view size = value();
      const std::size_t x = size.find('x');
      const auto w = Number(size.substr(0, x == std::string_view::npos ? size.size() : x));
      const auto h = x == std::string_view::npos ? w : Number(size.substr(x + 1));
      if (!w || !h || *w < 3 || *h < 3 || *w > MaxBoardSide || *h > MaxBoardSide)
        throw TUsageError{"--size needs WxH with sides from 3 to 128, not '" + std::string(size) +
                          "'"};
      options.Fit.Width = *w;
      options.Fit.Height = *h;
      options.Sized = true;
    } else if (arg == "--threshold") {
      const auto t = Number(value());
      if (!t || *t < 0 || *t > 255) throw TUsageError{"--threshold needs a number from 0 to 255"};
      options.Fit.Threshold = *t;
    } else if (arg == "--invert") {
      options.Fit.Invert = true;
    } else if (arg == "--crop") {
      options.Fit.Crop = true;
    } else if (arg == "--format") {
      options.Format = value();
      if (options.Format != "id" && options.Format != "non" && options.Format != "xml")
        throw TUsageError{"--format needs id, non or xml"};
    } else {
      throw TUsageError{"unknown argument '" + std::string(arg) + "'"};
    }
  }
  if (options.File.empty()) throw TUsageError{"--from-image needs an image file"};
  if (!options.Sized) throw TUsageError{"--from-image needs --size WxH"};
  return options;
}

}  // namespace

bool IsFromImageCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--from-image") == 0) return true;
  return false;
}

int RunFromImageCommand(int argc, char** argv, std::ostream& out, std::ostream& err) {
  TOptions options;
  try {
    options = Parse(argc, argv);
  } catch (const TUsageError& e) {
    err << "tavelo: " << e.Message << "\n";
    return 2;
  }
  // The image readers are plug-ins, found through the application object.
  std::optional<QCoreApplication> app;
  if (QCoreApplication::instance() == nullptr) {
    static int appArgc = 1;
    static char name[] = "tavelo";
    static char* appArgv[] = {name, nullptr};
    app.emplace(appArgc, appArgv);
  }
  TDesignPicture picture;
  try {
    picture =
        PictureOfImage(ReadPictureImage(QString::fromLocal8Bit(options.File.c_str())), options.Fit);
  } catch (const EImageUnusable& e) {
    err << "tavelo: " << options.File << ": " << e.what() << "\n";
    return 1;
  }
  const TMadeUnique made = MakeUnique(picture);
  if (!made.LineSolvable) {
    err << "tavelo: no line-solvable picture was found near the image\n";
    return 1;
  }
  TPuzzle puzzle = PuzzleOfGoal(made.Picture.Width, made.Picture.Height, made.Picture.Cells);
  if (options.Format == "non")
    out << WriteNon(puzzle);
  else if (options.Format == "xml")
    out << WritePbnXml({puzzle});
  else
    out << WriteGameId(puzzle) << "\n";
  err << made.Changed.size() << (made.Changed.size() == 1 ? " cell differs" : " cells differ")
      << " from the thresholded image\n";
  out.flush();
  return out ? 0 : 1;
}
