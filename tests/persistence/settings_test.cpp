#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/process_flags.h"
#include "persistence/app_settings.h"
#include "persistence/game_settings.h"
#include "persistence/game_state.h"
#include "persistence/settings_check.h"
#include "persistence/settings_file.h"
#include "persistence/settings_table.h"
#include "support/board_pictures.h"
#include "support/file_size_limit.h"
#include "support/scoped_env.h"

namespace {

using test_support::FileSizeLimit;
using test_support::GameOf;
using test_support::Picture;
using test_support::ScopedEnv;
using test_support::TempFolder;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class SettingsTest : public ::testing::Test {
 protected:
  TAppSettings Store() { return TAppSettings(FFolder.Path(), "app.ini", '='); }
  std::filesystem::path IniPath() const { return FFolder.Path() / "app.ini"; }

  TempFolder FFolder;
  ScopedEnv FLocale{"LC_ALL", "de_DE.UTF-8"};
};

TEST_F(SettingsTest, FirstRunUsesTheDefaultsAndTheSystemLanguage) {
  TAppSettings store = Store();
  EXPECT_FALSE(store.Load());
  EXPECT_EQ(store.FileName(), IniPath().string());

  TGameSettings settings;
  settings.LoadFrom(store, true);
  EXPECT_TRUE(settings.DrawHotTrackCounters());
  EXPECT_FALSE(settings.DrawHotTrackBoard());
  EXPECT_TRUE(settings.DrawCellsPos());
  EXPECT_EQ(settings.ButtonsPosition(), bpBottom);
  EXPECT_EQ(settings.GameMode(), gmNormal);
  EXPECT_EQ(settings.Language(), lgGerman);
}

TEST_F(SettingsTest, FirstRunShutdownWritesTheLinesInThisOrder) {
  TAppSettings store = Store();
  const bool firstRun = !store.Load();
  TGameSettings settings;
  settings.LoadFrom(store, firstRun);
  settings.SetGameMode(gmNightmare);

  store.SaveFormBounds("frmMain", {-5, 20, 915, 400});
  store.WriteString("state", "0A1B|2C3D");
  store.WriteString("active_game", "10x10");
  settings.SaveTo(store);
  store.Save();

  EXPECT_EQ(ReadFile(IniPath()),
            "drawhottrackcounters=1\r\ndrawhottrackboard=0\r\ndrawcellspos=1\r\n"
            "frmMain.formpos.x=-5\r\nfrmMain.formpos.y=20\r\nfrmMain.formsize.w=915\r\n"
            "frmMain.formsize.h=400\r\nstate=0A1B|2C3D\r\nactive_game=10x10\r\n"
            "butonsposition=0\r\ngamemode=1\r\nlanguage=2\r\n");

  TAppSettings again = Store();
  ASSERT_TRUE(again.Load());
  TGameSettings reread;
  reread.LoadFrom(again, false);
  EXPECT_EQ(reread.GameMode(), gmNightmare);
  EXPECT_EQ(reread.Language(), lgGerman);
  EXPECT_EQ(again.ReadString("state"), "0A1B|2C3D");
}

// The keys this program added over time (settings, clocks, progress,
// records) follow the keys of the first versions, in a fixed order, however
// the shutdown happens to write them; a second save changes nothing.
TEST_F(SettingsTest, KeysAddedSinceTheFirstVersionsFollowThemInAFixedOrder) {
  TAppSettings store = Store();
  const bool firstRun = !store.Load();
  TGameSettings settings;
  settings.LoadFrom(store, firstRun);
  settings.SetGameMode(gmNightmare);
  settings.SetNewDifficulty(TDifficulty::Easy);
  settings.SetKeepStrokeStraight(true);
  settings.SetCompletedClues(false);
  settings.SetMistakeLines(true);
  settings.SetSolvedAtOnce(false);
  settings.SetBoardLook(blColourBlindSafe);

  // As the window closes: bounds, clocks, games, settings, records, progress.
  store.SaveFormBounds("frmMain", {-5, 20, 915, 400});
  store.WriteString("clock.10x10", "15");
  store.WriteString("clock.5x5", "3");
  store.WriteString("state", "0A1B|2C3D");
  store.WriteString("active_game", "10x10");
  settings.SaveTo(store);
  store.WriteString("records.10x10.0", "1,0,0,-1,0");
  store.WriteString("progress.10x10", "1,0,0");
  store.Save();

  const std::string expected =
      "drawhottrackcounters=1\r\ndrawhottrackboard=0\r\ndrawcellspos=1\r\n"
      "frmMain.formpos.x=-5\r\nfrmMain.formpos.y=20\r\nfrmMain.formsize.w=915\r\n"
      "frmMain.formsize.h=400\r\nstate=0A1B|2C3D\r\nactive_game=10x10\r\n"
      "butonsposition=0\r\ngamemode=1\r\nlanguage=2\r\n"
      "newdifficulty=2\r\nkeepstrokestraight=1\r\ncompletedclues=0\r\nmistakelines=1\r\n"
      "solvedatonce=0\r\nboardlook=3\r\nclock.10x10=15\r\nclock.5x5=3\r\n"
      "progress.10x10=1,0,0\r\nrecords.10x10.0=1,0,0,-1,0\r\n";
  EXPECT_EQ(ReadFile(IniPath()), expected);

  TAppSettings again = Store();
  ASSERT_TRUE(again.Load());
  TGameSettings reread;
  reread.LoadFrom(again, false);
  EXPECT_EQ(reread, settings);
  again.SaveFormBounds("frmMain", {-5, 20, 915, 400});
  again.WriteString("clock.10x10", "15");
  reread.SaveTo(again);
  again.Save();
  EXPECT_EQ(ReadFile(IniPath()), expected);
}

// In a file of an earlier version a new key goes to its place among the
// lines there, which keep their order; a key unknown to the program stays
// last.
TEST_F(SettingsTest, ANewKeyGoesToItsPlaceAndTheLinesThereStay) {
  WriteFile(IniPath(),
            "state=0A\r\ngamemode=1\r\nDrawHotTrackBoard=1\r\nrecords.5x5.0=1,0,0,-1,0\r\n"
            "mine=x\r\n");
  TAppSettings store = Store();
  ASSERT_TRUE(store.Load());
  store.WriteString("clock.5x5", "7");
  store.WriteString("boardlook", "1");
  store.WriteString("active_game", "5x5");
  store.WriteString("other", "y");
  // active_game after the last line that comes before it, in a file that
  // was out of order already.
  EXPECT_EQ(store.Lines(),
            (std::vector<std::string>{"state=0A", "gamemode=1", "DrawHotTrackBoard=1",
                                      "active_game=5x5", "boardlook=1", "clock.5x5=7",
                                      "records.5x5.0=1,0,0,-1,0", "mine=x", "other=y"}));
  // Found where they went.
  EXPECT_EQ(store.ReadString("ACTIVE_GAME"), "5x5");
  EXPECT_EQ(store.ReadString("clock.5x5"), "7");
  EXPECT_EQ(store.ReadString("mine"), "x");
}

// Every setting of the table: a missing key reads its default, a value
// other than the default is written to its key and reads back, and a key
// added since the first versions is written only when it differs.
TEST_F(SettingsTest, EverySettingRoundTripsThroughItsKey) {
  for (const TSettingRow& row : SettingRows()) {
    SCOPED_TRACE(std::string(row.Key));
    const bool original =
        row.Kind == TSettingKind::OriginalFlag || row.Kind == TSettingKind::OriginalNumber;
    TAppSettings empty = Store();
    empty.LoadBytes("state=0A\r\n");
    TGameSettings settings;
    settings.LoadFrom(empty, false);
    EXPECT_EQ(settings.Value(row.Id), row.Default);
    settings.SaveTo(empty);
    EXPECT_EQ(empty.ReadString(row.Key).empty(), !original);

    const int other = row.Kind == TSettingKind::Choice ? row.Choices - 1 : 1 - row.Default;
    settings.SetValue(row.Id, other);
    TAppSettings store = Store();
    store.LoadBytes("state=0A\r\n");
    settings.SaveTo(store);
    EXPECT_EQ(store.ReadString(row.Key), std::to_string(other));
    TGameSettings reread;
    reread.LoadFrom(store, false);
    EXPECT_EQ(reread.Value(row.Id), other);
  }
}

TEST_F(SettingsTest, AnExistingFileReplacesTheDefaults) {
  WriteFile(IniPath(), "gamemode=1\r\nlanguage=200\r\nbutonsposition=258\r\n");
  TAppSettings store = Store();
  ASSERT_TRUE(store.Load());
  TGameSettings settings;
  settings.LoadFrom(store, false);
  EXPECT_FALSE(settings.DrawHotTrackCounters());
  EXPECT_FALSE(settings.DrawCellsPos());
  EXPECT_EQ(settings.GameMode(), gmNightmare);
  EXPECT_EQ(settings.Language(), 200);
  EXPECT_EQ(settings.ButtonsPosition(), 2);
}

TEST_F(SettingsTest, NewDifficultyRoundTripsAndNormalLeavesNoLine) {
  struct Case {
    TDifficulty Difficulty;
    const char* Line;  // the file's line for it, empty for none
  };
  for (const Case c :
       {Case{TDifficulty::Easy, "newdifficulty=2"}, Case{TDifficulty::Medium, "newdifficulty=1"},
        Case{TDifficulty::Normal, ""}}) {
    WriteFile(IniPath(), "gamemode=1\r\nnewdifficulty=2\r\n");
    TAppSettings store = Store();
    ASSERT_TRUE(store.Load());
    TGameSettings settings;
    settings.LoadFrom(store, false);
    EXPECT_EQ(settings.NewDifficulty(), TDifficulty::Easy);
    settings.SetNewDifficulty(c.Difficulty);
    settings.SaveTo(store);
    store.Save();
    // The keys of the first versions go before it.
    const std::string expected =
        std::string(
            "drawhottrackcounters=0\r\ndrawhottrackboard=0\r\ndrawcellspos=0\r\n"
            "butonsposition=0\r\ngamemode=1\r\nlanguage=0\r\n") +
        (*c.Line ? std::string(c.Line) + "\r\n" : "");
    EXPECT_EQ(ReadFile(IniPath()), expected);
    EXPECT_EQ(ReadFile(IniPath()).find("newdifficulty=") != std::string::npos, *c.Line != 0);

    TAppSettings again = Store();
    ASSERT_TRUE(again.Load());
    TGameSettings reread;
    reread.LoadFrom(again, false);
    EXPECT_EQ(reread.NewDifficulty(), c.Difficulty);
  }
}

TEST_F(SettingsTest, KeepStrokeStraightIsOffByDefaultAndWrittenOnlyWhenOn) {
  TAppSettings store = Store();
  TGameSettings settings;
  settings.LoadFrom(store, !store.Load());
  EXPECT_FALSE(settings.KeepStrokeStraight());
  settings.SaveTo(store);
  store.Save();
  EXPECT_EQ(ReadFile(IniPath()).find("keepstrokestraight"), std::string::npos);

  settings.SetKeepStrokeStraight(true);
  settings.SaveTo(store);
  store.Save();
  EXPECT_NE(ReadFile(IniPath()).find("keepstrokestraight=1\r\n"), std::string::npos);
  TAppSettings again = Store();
  ASSERT_TRUE(again.Load());
  TGameSettings reread;
  reread.LoadFrom(again, false);
  EXPECT_TRUE(reread.KeepStrokeStraight());
}

TEST_F(SettingsTest, NewDifficultyThatNamesNoDifficultyIsNormal) {
  for (const char* value : {"3", "-1", "258", "abc", ""}) {
    WriteFile(IniPath(), std::string("newdifficulty=") + value + "\r\n");
    TAppSettings store = Store();
    ASSERT_TRUE(store.Load());
    TGameSettings settings;
    settings.SetNewDifficulty(TDifficulty::Easy);
    settings.LoadFrom(store, false);
    EXPECT_EQ(settings.NewDifficulty(), TDifficulty::Normal) << value;
  }
  // A first run has no file and starts at Normal.
  std::filesystem::remove(IniPath());
  TAppSettings store = Store();
  ASSERT_FALSE(store.Load());
  TGameSettings settings;
  settings.LoadFrom(store, true);
  EXPECT_EQ(settings.NewDifficulty(), TDifficulty::Normal);
}

TEST_F(SettingsTest, KeysIgnoreCaseAndLinesKeepTheirOrder) {
  WriteFile(IniPath(),
            "BUTONSPOSITION=2\nno separator here\n gamemode=1\nexpr=a=b\n\nActive_Game=5x5\r\n");
  TAppSettings store = Store();
  ASSERT_TRUE(store.Load());
  EXPECT_EQ(store.ReadInteger("butonsposition"), 2);
  EXPECT_EQ(store.ReadString("expr"), "a=b");
  EXPECT_EQ(store.ReadString("gamemode"), "");  // keys are not trimmed
  EXPECT_EQ(store.ReadString("no separator here"), "");

  store.WriteInteger("ButonsPosition", 3);
  store.WriteString("active_game", "");
  store.WriteString("new", "x");
  store.Save();
  EXPECT_EQ(ReadFile(IniPath()),
            "ButonsPosition=3\r\nno separator here\r\n gamemode=1\r\nexpr=a=b\r\n\r\nnew=x\r\n");
}

// A key held twice: removing it leaves no older value to come to light.
TEST_F(SettingsTest, RemovingAKeyRemovesEveryLineOfIt) {
  WriteFile(IniPath(), "active_game=\r\nx=1\r\nACTIVE_GAME=5x5\r\n");
  TAppSettings store = Store();
  ASSERT_TRUE(store.Load());
  store.WriteString("active_game", "");
  EXPECT_EQ(store.ReadString("active_game"), "");
  EXPECT_EQ(store.Lines(), (std::vector<std::string>{"x=1"}));
}

TEST_F(SettingsTest, IntegersAndBoundsFallBackAsSpecified) {
  WriteFile(IniPath(),
            "frmMain.formpos.x=abc\r\nfrmMain.formsize.w=1.5\r\nflag=2\r\nneg=-7\r\nplus=+4\r\n");
  TAppSettings store = Store();
  ASSERT_TRUE(store.Load());
  const TFormBounds bounds = store.LoadFormBounds("frmMain", {100, 200, 300, 400});
  EXPECT_EQ(bounds.Left, 0);
  EXPECT_EQ(bounds.Top, 200);
  EXPECT_EQ(bounds.Width, 0);
  EXPECT_EQ(bounds.Height, 400);
  EXPECT_EQ(store.ReadIntegerDef("missing", 9), 9);
  EXPECT_EQ(store.ReadIntegerDef("neg", 9), -7);
  EXPECT_EQ(store.ReadInteger("plus"), 4);
  EXPECT_FALSE(store.ReadBool("flag"));
}

TEST_F(SettingsTest, AByteOrderMarkIsWrittenAgain) {
  const std::string utf8 = "\xEF\xBB\xBFname=\xC3\xA9t\xC3\xA9\r\n";
  // "name=été\r\n" and a character outside the basic plane, in UTF-16 LE.
  const std::string utf16("\xFF\xFEn\0a\0m\0e\0=\0\xE9\0t\0\xE9\0\x3D\xD8\x00\xDE\r\0\n\0", 26);
  for (const std::string& bytes : {utf8, utf16}) {
    WriteFile(IniPath(), bytes);
    TAppSettings store = Store();
    ASSERT_TRUE(store.Load());
    EXPECT_EQ(store.ReadString("name").substr(0, 5), "\xC3\xA9t\xC3\xA9");
    store.Save();
    EXPECT_EQ(ReadFile(IniPath()), bytes);
  }
  WriteFile(IniPath(), "a=1");
  TAppSettings plain = Store();
  ASSERT_TRUE(plain.Load());
  plain.Save();
  EXPECT_EQ(ReadFile(IniPath()), "a=1\r\n");
}

TEST(SettingsFile, SplitsLinesAtEveryKindOfBreak) {
  const struct {
    std::string Bytes;
    std::vector<std::string> Lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\n", {"a", ""}},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"\n\n", {"", ""}},
      {"\xEF\xBB\xBF", {}},
      {std::string("\xFE\xFF\0a\0\n\xD8\x3D", 8), {"a", "\xEF\xBF\xBD"}},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeTextLines(c.Bytes).Lines, c.Lines) << c.Bytes;
  EXPECT_EQ(EncodeTextLines({"\xFF"}, TFileEncoding::Utf16LE),
            std::string("\xFF\xFE\xFD\xFF\r\0\n\0", 8));
  // Lines that begin like a mark, once another line before them is gone.
  for (const std::string first : {"\xFF\xFEx", "\xFE\xFFx", "\xEF\xBB\xBFx"}) {
    const std::vector<std::string> lines = {first, "a=1"};
    const std::string bytes = EncodeTextLines(lines, TFileEncoding::Plain);
    EXPECT_EQ(DecodeTextLines(bytes).Lines, lines) << first;
    EXPECT_EQ(EncodeTextLines(lines, DecodeTextLines(bytes).Encoding), bytes) << first;
  }
  EXPECT_EQ(EncodeTextLines({"a=1"}, TFileEncoding::Plain), "a=1\r\n");
}

TEST_F(SettingsTest, AFailingSaveLeavesTheOldFile) {
  const std::string old = "state=0123\r\nactive_game=5x5\r\n";
  WriteFile(IniPath(), old);
  TAppSettings store = Store();
  ASSERT_TRUE(store.Load());
  store.WriteString("state", std::string(64 * 1024, 'A'));
  {
    const FileSizeLimit limit(4096);
    EXPECT_THROW(store.Save(), std::runtime_error);
  }
  EXPECT_EQ(ReadFile(IniPath()), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FFolder.Path()),
                          std::filesystem::directory_iterator()),
            1);
  store.Save();
  TAppSettings reread = Store();
  ASSERT_TRUE(reread.Load());
  EXPECT_EQ(reread.ReadString("state").size(), 64u * 1024u);
}

TEST_F(SettingsTest, AnythingButARegularFileIsRefusedAtOnceKeepingTheDefaults) {
  const auto refused = [this] {
    TAppSettings store = Store();
    EXPECT_THROW(store.Load(), ESettingsUnreadable);
    EXPECT_TRUE(store.ReadBool("drawcellspos"));
  };
  std::filesystem::create_directory(IniPath());
  refused();
  std::filesystem::remove(IniPath());
  // A FIFO without a writer: a plain open would wait for one for ever.
  ASSERT_EQ(mkfifo(IniPath().c_str(), 0600), 0);
  refused();
  EXPECT_TRUE(std::filesystem::is_fifo(IniPath()));
}

TEST_F(SettingsTest, SavingThroughALinkKeepsTheLink) {
  const std::filesystem::path real = FFolder.Path() / "kept" / "tavelo.ini";
  std::filesystem::create_directory(real.parent_path());
  WriteFile(real, "gamemode=1\r\n");
  std::filesystem::create_symlink(real, IniPath());
  TAppSettings store = Store();
  ASSERT_TRUE(store.Load());
  store.WriteInteger("gamemode", 0);
  store.Save();
  EXPECT_TRUE(std::filesystem::is_symlink(IniPath()));
  EXPECT_EQ(ReadFile(real), "gamemode=0\r\n");
}

TEST_F(SettingsTest, TheStoreLivesInTheSettingsFolder) {
  const ScopedEnv config("XDG_CONFIG_HOME", FFolder.Path().string());
  TAppSettings store("app.ini", '=');
  const std::filesystem::path folder = FFolder.Path() / "tavelo" / "x64" / "settings";
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(store.FileName(), (folder / "app.ini").string());
}

// A file with no "state" lost its games somewhere when a line of it is no
// setting: a damaged key, or a lost line break that merged the line into the
// one before. Settings alone are what a player has before any game is stored.
TEST_F(SettingsTest, DamageIsFoundInKeysValuesAndLines) {
  const std::vector<std::string> keys = IntegerSettingsKeys("frmMain");
  const struct {
    std::string Bytes;
    bool Damaged;
  } cases[] = {
      {"", false},
      {"\r\n\r\n", false},
      {"state=0A1B\r\nfrmMain.formsize.h=600\r\nlanguage=-1\r\nother=x y\r\n", false},
      {"state=0A1B\r\n\r\nactive_game=\r\n", false},
      {"stbte=0A1B\r\nlanguage=2\r\n", true},
      // Settings alone, without games yet: a first start for the slots.
      {"language=2\r\n", false},
      {"boardlook=1\r\n", false},
      {"designer=2x2:#..#\r\n", false},
      {"frmMain.formsize.w=800\r\nzoom.10x10=24\r\nfrmMain.slotsize.10x10.w=700\r\n"
       "records.10x10.1=1,0,0,-1,30\r\nclock.10x10=5\r\nactive_game=10x10\r\n",
       false},
      // A "state" line merged into a settings line, or a key no setting has.
      {"designer=2x2:#..#state=0A1B\r\n", true},
      {"language=2\r\nlanguagestate=0A1B\r\n", true},
      {"frmMain.formsize.h=600\x01\x02state=0A1B\r\n", true},
      {"state=0A1B\r\ngamemode=1x\r\n", true},
      {"state=0A1B\r\nno separator\r\n", true},
  };
  for (const auto& c : cases) {
    WriteFile(IniPath(), c.Bytes);
    TAppSettings store = Store();
    ASSERT_TRUE(store.Load());
    EXPECT_EQ(!SettingsDamage(store, keys).empty(), c.Damaged) << c.Bytes;
  }
  // A stored game in a setting's value (a merged line whose "state" key was
  // damaged too) is never taken for settings alone.
  const std::string code = GameStateText("2x2", *GameOf({"#.", ".#"}), 20, 20);
  WriteFile(IniPath(), "language=2\r\ndesigner=2x2:#..#stbte=" + code + "\r\n");
  TAppSettings hidden = Store();
  ASSERT_TRUE(hidden.Load());
  EXPECT_NE(SettingsDamage(hidden, keys), "");

  WriteFile(IniPath(), "frmMain.formsize.h=600AAstate=0123456789|ABCDEF0123\r\nx=12345678\r\n");
  TAppSettings merged = Store();
  ASSERT_TRUE(merged.Load());
  EXPECT_EQ(StateCodeCandidates(merged), (std::vector<std::string>{"0123456789", "ABCDEF0123"}));
  RemoveUnreadableLines(merged, keys);
  EXPECT_EQ(merged.ReadString("frmMain.formsize.h"), "");
  EXPECT_EQ(merged.ReadString("x"), "12345678");
}

// The games found in a damaged file come back in the same order once they
// are saved under "state", so the next save writes the same file.
TEST_F(SettingsTest, SalvagedGamesKeepTheirOrderThroughTheNextSave) {
  const auto code = [](const Picture& solution) {
    const auto game = GameOf(solution);
    return GameStateText(SlotName(game->Width(), game->Height()), *game, 20, 20);
  };
  const std::string a = code({"#.", ".#"});
  const std::string b = code({"##"});
  // A game stored under another name than its size is not one of the games.
  const std::string misnamed = GameStateText("b", *GameOf({"#"}), 20, 20);
  WriteFile(IniPath(), "frmMain.formpos.x=oops" + a + "\r\nno separator " + misnamed + " " + b +
                           " " + a + "\r\n" + "other=" + a.substr(0, 20) + "\r\n");
  TAppSettings store = Store();
  ASSERT_TRUE(store.Load());
  const auto names = [&store] {
    std::vector<std::string> found;
    for (const TGameStateRec& rec : SalvageStoredGames(store, 10)) found.push_back(rec.name);
    return found;
  };
  EXPECT_EQ(names(), (std::vector<std::string>{"2x2", "2x1"}));
  RemoveUnreadableLines(store, IntegerSettingsKeys("frmMain"));
  store.WriteString("state", a + "|" + b);
  EXPECT_EQ(names(), (std::vector<std::string>{"2x2", "2x1"}));
  // What made the file damaged is gone (it is in the copy), so the next
  // start finds a sound file.
  EXPECT_EQ(SettingsDamage(store, IntegerSettingsKeys("frmMain")), "");
  EXPECT_EQ(store.ReadString("other"), a.substr(0, 20));
  EXPECT_EQ(SalvageStoredGames(store, 1).size(), 1u);
}

TEST_F(SettingsTest, DamagedCopiesAreNumberedAndTheNewestFiveKept) {
  WriteFile(IniPath(), "damaged");
  // A folder of the first copy's name is never touched, only passed over.
  std::filesystem::create_directory(FFolder.Path() / "app.ini.bad");
  std::vector<std::string> names;
  for (int i = 0; i < 7; ++i) {
    WriteFile(IniPath(), "damaged " + std::to_string(i));
    names.push_back(KeepDamagedCopy(IniPath(), kKeptDamagedCopies).filename().string());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"app.ini.bad.1", "app.ini.bad.2", "app.ini.bad.3",
                                             "app.ini.bad.4", "app.ini.bad.5", "app.ini.bad.6",
                                             "app.ini.bad.7"}));
  for (int i = 1; i <= 7; ++i)
    EXPECT_EQ(std::filesystem::exists(FFolder.Path() / ("app.ini.bad." + std::to_string(i))), i > 2)
        << i;
  EXPECT_EQ(ReadFile(FFolder.Path() / "app.ini.bad.7"), "damaged 6");
  EXPECT_TRUE(std::filesystem::is_directory(FFolder.Path() / "app.ini.bad"));
  EXPECT_EQ(DamagedCopyNumber("app.ini.bad", "app.ini"), 0);
  EXPECT_EQ(DamagedCopyNumber("app.ini.bad.01", "app.ini"), -1);
  EXPECT_EQ(DamagedCopyNumber("app.ini.bad.x", "app.ini"), -1);
}

TEST_F(SettingsTest, ACopyThatCannotBeWrittenLeavesNothingBehind) {
  WriteFile(IniPath(), std::string(8192, 'd'));
  {
    const FileSizeLimit limit(4096);
    EXPECT_THROW(KeepDamagedCopy(IniPath(), kKeptDamagedCopies), std::runtime_error);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FFolder.Path()),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_EQ(KeepDamagedCopy(IniPath(), kKeptDamagedCopies).filename(), "app.ini.bad");
}

TEST_F(SettingsTest, BoardLookRoundTripsAndTheDefaultLeavesNoLine) {
  const std::pair<TBoardLook, const char*> looks[] = {{blHighContrastLight, "boardlook=1\r\n"},
                                                      {blHighContrastDark, "boardlook=2\r\n"},
                                                      {blColourBlindSafe, "boardlook=3\r\n"},
                                                      {blDefault, ""}};
  for (const auto& [look, line] : looks) {
    WriteFile(IniPath(), "gamemode=1\r\nboardlook=2\r\n");
    TAppSettings store = Store();
    ASSERT_TRUE(store.Load());
    TGameSettings settings;
    settings.LoadFrom(store, false);
    EXPECT_EQ(settings.BoardLook(), blHighContrastDark);
    settings.SetBoardLook(look);
    settings.SaveTo(store);
    store.Save();
    const std::string file = ReadFile(IniPath());
    if (*line)
      EXPECT_NE(file.find(line), std::string::npos) << file;
    else
      EXPECT_EQ(file.find("boardlook"), std::string::npos) << file;

    TAppSettings again = Store();
    ASSERT_TRUE(again.Load());
    TGameSettings reread;
    reread.LoadFrom(again, false);
    EXPECT_EQ(reread.BoardLook(), look);
  }
}

TEST_F(SettingsTest, BoardLookThatNamesNoLookIsTheDefault) {
  for (const char* value : {"4", "-1", "259", "abc", ""}) {
    WriteFile(IniPath(), std::string("boardlook=") + value + "\r\n");
    TAppSettings store = Store();
    ASSERT_TRUE(store.Load());
    TGameSettings settings;
    settings.SetBoardLook(blColourBlindSafe);
    settings.LoadFrom(store, false);
    EXPECT_EQ(settings.BoardLook(), blDefault) << value;
  }
}

}  // namespace
