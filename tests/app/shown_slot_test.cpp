// Which slot is shown: whatever path shows one, the shelf, the board, the
// caption, the game menu, Remove this size and what the next save stores as
// "active_game" agree.
#include <QApplication>
#include <functional>

#include "main_window_harness.h"
#include "persistence/app_settings.h"
#include "util/text_reading.h"

using namespace test_support;

namespace {

// A line-solvable 7 x 5 frame as a .non file.
const std::string kFrameNon =
    "width 7\nheight 5\nrows\n7\n1,1\n1,3,1\n1,1\n7\ncolumns\n5\n1,1\n1,1,1\n1,1,1\n1,1,1\n"
    "1,1\n5\n";

class ShownSlot : public MainWindowTest {
 protected:
  // Starts once, shows that size, and closes: app.ini holds the five
  // default games with it as "active_game".
  std::vector<std::string> SavedWith(const std::string& shown) {
    StartWindow();
    SwitchTo(shown);
    CloseWindow();
    return IniLines();
  }

  // Everything that tells which slot is shown tells the one of that name.
  void ExpectShown(const std::string& name) {
    TSlot* shown = Window->Shelf().Shown();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->Name(), name);
    EXPECT_EQ(Window->CurrentGame(), shown);
    for (TSlot* slot : Window->Shelf().Items())
      EXPECT_EQ(slot->View().parentWidget() == Window->pBoard(), slot == shown) << slot->Name();
    EXPECT_TRUE(shown->View().isVisible());
    const std::string caption = Window->windowTitle().toStdString();
    EXPECT_NE(caption.find(" - " + name + " - "), std::string::npos) << caption;
    // The menu as it stands, not built anew.
    std::vector<std::string> checked;
    for (const QAction* item : Window->pmGame()->actions())
      if (item->isCheckable() && item->isChecked())
        checked.push_back(item->text().remove('&').toStdString());
    EXPECT_EQ(checked, std::vector<std::string>{name});
    EXPECT_EQ(Action("aRemoveSize")->isEnabled(), !IsDefaultSlot(name));
    TAppSettings saved(std::filesystem::path(Folder), "saved.ini", '=');
    Window->Shelf().SaveTo(saved, Window->Records());
    EXPECT_EQ(saved.ReadString("active_game"), name);
  }
};

TEST_F(ShownSlot, EveryPathToAShownSlotEndsTheSameWay) {
  const struct {
    const char* Path;
    std::function<void()> Go;
    const char* Shown;
  } rows[] = {
      {"first start", [&] { StartWindow(); }, "10x10"},
      {"restart",
       [&] {
         SavedWith("5x5");
         StartWindow();
       },
       "5x5"},
      {"a stored name without a slot",
       [&] {
         std::vector<std::string> lines = SavedWith("5x5");
         lines[8] = "active_game=7x7";
         WriteIni(lines);
         StartWindow();
       },
       "10x10"},
      {"a damaged file",
       [&] {
         std::vector<std::string> lines = SavedWith("5x5");
         std::vector<std::string> codes = SplitText(lines[7].substr(6), "|");
         codes[0][20] = codes[0][20] == '0' ? '1' : '0';  // the 3x3 game fails its check
         std::string state;
         for (std::size_t i = 0; i < codes.size(); ++i) state += (i ? "|" : "") + codes[i];
         lines[7] = "state=" + state;
         WriteIni(lines);
         StartWindow();
       },
       "5x5"},
      {"the games kept beside app.ini",
       [&] {
         std::string bytes = FileBytes((SavedWith("20x20"), IniPath()));
         const auto old = std::filesystem::last_write_time(IniPath()) - std::chrono::hours(1);
         bytes.replace(bytes.find("active_game=20x20"), 17, "active_game=3x3");
         std::ofstream(SettingsFolder() / "app.ini.unsaved", std::ios::binary) << bytes;
         std::filesystem::last_write_time(IniPath(), old);
         StartWindow();
       },
       "3x3"},
      {"the size menu",
       [&] {
         StartWindow();
         SwitchTo("20x20");
       },
       "20x20"},
      {"Other size",
       [&] {
         StartWindow();
         ChooseOtherSize(12, 7);
       },
       "12x7"},
      {"Other size of a size there is",
       [&] {
         StartWindow();
         ChooseOtherSize(15, 15);
       },
       "15x15"},
      {"Remove this size",
       [&] {
         StartWindow();
         ChooseOtherSize(4, 6);
         SwitchTo("5x5");
         SwitchTo("4x6");
         Action("aRemoveSize")->trigger();
       },
       "10x10"},
      {"a file of another size",
       [&] {
         StartWindow();
         const std::filesystem::path path = std::filesystem::path(Folder) / "frame.non";
         std::ofstream(path, std::ios::binary) << kFrameNon;
         Window->OpenPuzzleFile(path.string());
       },
       "7x5"},
      {"a code of another size",
       [&] {
         StartWindow();
         TNonoGame twelve(12, 12);
         twelve.LoadSolutionGrid(LettersOf(Picture(12, "##.#.#.#.#.#")));
         Paste(GameStateText("12x12", twelve, 20, 20));
       },
       "12x12"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Path);
    std::filesystem::remove_all(SettingsFolder());
    Answer = maYes;
    row.Go();
    ExpectShown(row.Shown);
    CloseWindow();
  }
}

}  // namespace
