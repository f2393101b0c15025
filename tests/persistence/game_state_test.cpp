#include <gtest/gtest.h>

#include <string>

#include "persistence/JsonTools.h"
#include "persistence/game_state.h"
#include "support/board_pictures.h"
#include "util/compression.h"
#include "util/crc32.h"
#include "util/hex.h"

namespace {

using test_support::GameOf;
using test_support::Picture;
using test_support::PlayerOf;
using test_support::SolutionOf;

const char* const kInvalid = "Invalid data found";

std::string JsonOfCode(const std::string& code) {
  const TBytes json = DecompressBytes(HexToBytes(code.substr(8)));
  return std::string(json.begin(), json.end());
}

// A JSON object text with the given members, each already in JSON form.
std::string StateJson(const std::string& members) {
  return "{" + members + "}";
}

std::string InvalidMessageOf(const std::string& code) {
  try {
    ParseGameState(code);
  } catch (const EGameStateInvalid& e) {
    return e.what();
  }
  return "accepted";
}

TEST(GameStateText, KnownThreeByThreeGameGivesExactlyThisCode) {
  auto game = GameOf({"#..", ".#.", "..#"});
  game->SetFillPct(40);
  const std::string code = GameStateText("3x3", *game, 20, 20);
  EXPECT_EQ(JsonOfCode(code),
            "{\n\t\"name\": \"3x3\",\n\t\"GameState\": 0,\n\t\"w\": 3,\n\t\"h\": 3,\n"
            "\t\"cw\": 20,\n\t\"ch\": 20,\n\t\"pct\": 40,\n\t\"difficulty\": 0,\n"
            "\t\"BoardState\": \"#EEE#EEE#\",\n\t\"PlayerState\": \"EEEEEEEEE\",\n"
            "\t\"RandomFillType\": 0\n}");
  EXPECT_EQ(code,
            "CFD0C5CB789CABE6E254CA4BCC4D55B2525032AE3056D201F2DD81FCE092C41290A00148A01CC830063132"
            "608C6490901158323903CE2C482E01B24DC0EC94CCB4B4CCE4D29C924A98294EF9894529307395945D5D"
            "5DC1186C65404E62656A115CD21506C09241897929F9B96E993939219505604771D502007FF32D8D");
}

TEST(GameStateText, BoardsAreWrittenColumnByColumn) {
  auto game = GameOf({"#.", "..", ".#"}, {"#x", ".#", "x."});
  const TGameStateRec rec = ParseGameState(GameStateText("2x3", *game, 20, 20));
  EXPECT_EQ(rec.w, 2);
  EXPECT_EQ(rec.h, 3);
  EXPECT_EQ(rec.BoardState, "#EEEE#");
  EXPECT_EQ(rec.PlayerState, "#Exx#E");
}

TEST(GameStateText, CharacterTable) {
  const struct {
    TPieceState State;
    char Written;
    TPieceState ReadBack;
  } cases[] = {
      {psNone, '\x01', psNone},
      {psEmpty, 'E', psEmpty},
      {psFilled, '#', psFilled},
      {psCrossed, 'x', psCrossed},
      {psCorrect, 'o', psFilled},
      {psAllCorrect, '#', psFilled},
      {psDeltaCheckedRow, 'd', psDeltaCheckedRow},
      {psDeltaCheckedCol, 'c', psDeltaCheckedCol},
      {psIncorrect, '#', psFilled},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StateToChar(c.State), c.Written) << int(c.State);
    EXPECT_EQ(CharToState(StateToChar(c.State)), c.ReadBack) << int(c.State);
  }
  for (const char other : {'e', 'X', '?', '\0', ' '}) EXPECT_EQ(CharToState(other), psNone);
}

// Older versions could store a board while the check flash ticked its filled
// cells ("o"); the celebration's were written "#" already. Either reads as
// filled cells, and the board is written back as filled cells.
TEST(GameState, CodesStoredDuringAFlashOrACelebrationReadAsFilledCells) {
  const struct {
    const char* Player;  // column by column, 2 x 2
    Picture Read;
  } cases[] = {
      {"#oxE", {"#x", "#."}},
      {"oooo", {"##", "##"}},
      {"#E#E", {"##", ".."}},
  };
  for (const auto& c : cases) {
    const std::string code = StateCodeOfJson(
        StateJson(std::string(R"("name":"2x2","w":2,"h":2,"BoardState":"##EE","PlayerState":")") +
                  c.Player + "\""));
    TNonoGame restored(2, 2);
    int cellWidth = 20;
    int cellHeight = 20;
    ApplyGameStateRec(restored, ParseGameState(code), cellWidth, cellHeight);
    EXPECT_EQ(PlayerOf(restored), c.Read) << c.Player;
    auto same = GameOf({"#.", "#."}, c.Read);
    same->SetGameState(restored.GameState());
    same->SetFillPct(restored.FillPct());
    EXPECT_EQ(GameStateText("2x2", restored, 20, 20), GameStateText("2x2", *same, 20, 20))
        << c.Player;
  }
}

TEST(GameState, RoundTripRestoresEveryField) {
  auto game = GameOf({"#..#", ".##.", "#.#."}, {"#x.#", "x#..", "#.#x"});
  game->SetFillPct(55);
  game->SetDifficulty(TDifficulty::Easy);
  game->SetGameState(vfZoomed | 0x80);
  const std::string code = GameStateText("4x3", *game, 17, 23);

  TNonoGame restored(4, 3);
  int cellWidth = 1;
  int cellHeight = 1;
  const TGameStateRec rec = ParseGameState(code);
  EXPECT_EQ(rec.name, "4x3");
  ApplyGameStateRec(restored, rec, cellWidth, cellHeight);

  EXPECT_EQ(SolutionOf(restored), SolutionOf(*game));
  EXPECT_EQ(PlayerOf(restored), PlayerOf(*game));
  EXPECT_EQ(restored.SolutionFilled(), 6);
  EXPECT_EQ(restored.FillPct(), 55);
  EXPECT_EQ(restored.Difficulty(), TDifficulty::Easy);
  EXPECT_EQ(restored.RandomFillType(), 0);
  EXPECT_EQ(restored.GameState(), vfZoomed | 0x80 | vfRestored);
  EXPECT_EQ(cellWidth, 17);
  EXPECT_EQ(cellHeight, 23);
  EXPECT_TRUE(restored.History().empty());
}

TEST(GameState, DifficultyTravelsAsItsStoredNumber) {
  struct Case {
    int Stored;
    TDifficulty Level;
  };
  // 7 names no level: it is written back as it came.
  for (const Case c : {Case{0, TDifficulty::Normal}, Case{1, TDifficulty::Medium},
                       Case{2, TDifficulty::Easy}, Case{7, DifficultyFromStored(7)}}) {
    EXPECT_EQ(StoredDifficulty(c.Level), c.Stored);
    EXPECT_EQ(DifficultyFromStored(c.Stored), c.Level);
    auto game = GameOf({"#.", ".#"});
    game->SetDifficulty(c.Level);
    const std::string code = GameStateText("2x2", *game, 20, 20);
    const std::string stored = "\"difficulty\": " + std::to_string(c.Stored) + ",";
    EXPECT_NE(JsonOfCode(code).find(stored), std::string::npos) << c.Stored;

    const TGameStateRec rec = ParseGameState(code);
    EXPECT_EQ(rec.difficulty, c.Level) << c.Stored;
    TNonoGame restored(2, 2);
    int cw = 0;
    int ch = 0;
    ApplyGameStateRec(restored, rec, cw, ch);
    EXPECT_EQ(restored.Difficulty(), c.Level) << c.Stored;
    EXPECT_NE(JsonOfCode(GameStateText("2x2", restored, 20, 20)).find(stored), std::string::npos)
        << c.Stored;
  }
}

TEST(GameState, LargestGameRoundTrips) {
  TNonoGame game(MaxBoardSide, MaxBoardSide);
  for (int x = 0; x < MaxBoardSide; ++x)
    for (int y = 0; y < MaxBoardSide; ++y) {
      game.SetSolutionState(x, y, (x * 7 + y * 3) % 5 < 2 ? psFilled : psEmpty);
      game.SetPlayerState(x, y, (x + y) % 3 == 0 ? psCrossed : psEmpty);
    }
  const std::string code = GameStateText("128x128", game, 4, 4);
  TNonoGame restored(MaxBoardSide, MaxBoardSide);
  int cw = 0;
  int ch = 0;
  ApplyGameStateRec(restored, ParseGameState(code), cw, ch);
  EXPECT_EQ(SolutionOf(restored), SolutionOf(game));
  EXPECT_EQ(PlayerOf(restored), PlayerOf(game));
  EXPECT_EQ(restored.SolutionFilled(), game.SolutionFilled());
}

// A name read and written again must not change: were it kept with its
// escapes, every save would escape it once more and it would grow without end.
TEST(GameState, NamesAndBoardsReadBackExactlyAsWritten) {
  const std::string names[] = {
      "10x10",
      "a \"quoted\" name",
      "back\\slash\\\\es",
      std::string("control\x01\x1f\t\r\nchars", 18),
      "caf\xC3\xA9 \xE2\x9C\x93",
      "\\u0041 as text",
  };
  auto game = GameOf({"#."});
  game->SetPlayerState(1, 0, psNone);
  for (const std::string& name : names) {
    const std::string code = GameStateText(name, *game, 20, 20);
    const TGameStateRec rec = ParseGameState(code);
    EXPECT_EQ(rec.name, name);
    EXPECT_EQ(rec.PlayerState, std::string("E\x01", 2));
    // Load, save, load: the same code every time.
    EXPECT_EQ(GameStateText(rec.name, *game, 20, 20), code) << name;
  }
  // Escapes a hand-written code may use are read as what they stand for.
  const TGameStateRec escaped = ParseGameState(StateCodeOfJson(
      StateJson(R"("name":"\u0031\/2\\","w":1,"h":1,"BoardState":"E","PlayerState":"E")")));
  EXPECT_EQ(escaped.name, "1/2\\");
}

TEST(ParseGameState, RefusesNamesAndBoardsThatAreNotStrings) {
  const std::string refused[] = {
      R"("name":5,"w":1,"h":1,"BoardState":"E","PlayerState":"E")",
      R"("name":null,"w":1,"h":1,"BoardState":"E","PlayerState":"E")",
      R"("name":["1x1"],"w":1,"h":1,"BoardState":"E","PlayerState":"E")",
      R"("name":{"a":"1x1"},"w":1,"h":1,"BoardState":"E","PlayerState":"E")",
      R"("name":"1x1","w":1,"h":1,"BoardState":true,"PlayerState":"E")",
      R"("name":"1x1","w":1,"h":1,"BoardState":"E","PlayerState":["E"])",
  };
  for (const std::string& members : refused)
    EXPECT_EQ(InvalidMessageOf(StateCodeOfJson(StateJson(members))), kInvalid) << members;
}

// The generator has one fill type; a stored other one would make every New
// in the slot fail, so it is read as that one.
TEST(ParseGameState, AnyRandomFillTypeReadsAsTheOneTheGeneratorHas) {
  const std::string good = R"("name":"n","w":1,"h":1,"BoardState":"E","PlayerState":"E")";
  for (const char* value : {"0", "1", "7", "255", "256", "-1"}) {
    const TGameStateRec rec =
        ParseGameState(StateCodeOfJson(StateJson(good + ",\"RandomFillType\":" + value)));
    EXPECT_EQ(rec.RandomFillType, 0) << value;
  }
  EXPECT_THROW(ParseGameState(StateCodeOfJson(StateJson(good + ",\"RandomFillType\":1.5"))),
               std::invalid_argument);
}

TEST(CheckStateText, RefusesDamagedCodes) {
  auto game = GameOf({"#..", ".#.", "..#"});
  const std::string code = GameStateText("3x3", *game, 20, 20);
  std::string payload;
  ASSERT_TRUE(CheckStateText(code, payload));
  EXPECT_EQ(payload, code.substr(8));

  std::string changedDigit = code;
  changedDigit[20] = changedDigit[20] == '0' ? '1' : '0';
  std::string lowerChecksum = code;
  for (int i = 0; i < 8; ++i) lowerChecksum[i] = static_cast<char>(std::tolower(code[i]));
  ASSERT_NE(lowerChecksum, code);
  std::string lowerPayload = code.substr(8);
  for (char& c : lowerPayload) c = static_cast<char>(std::tolower(c));

  const std::string refused[] = {
      changedDigit,
      lowerChecksum,
      code.substr(0, 8),
      code.substr(0, 5),
      "",
      code + "\r\n",
      " " + code,
      code.substr(0, code.size() - 1),
      "GFD0C5CB" + code.substr(8),
      code.substr(0, 8) + "78-C",
  };
  for (const std::string& text : refused) {
    EXPECT_FALSE(CheckStateText(text, payload)) << text;
    EXPECT_EQ(InvalidMessageOf(text), kInvalid) << text;
  }

  // The checksum is taken over the payload as it stands, in either case.
  const std::string lowerCode = HexOfUInt32(Crc32(lowerPayload), 8) + lowerPayload;
  EXPECT_TRUE(CheckStateText(lowerCode, payload));
  EXPECT_EQ(ParseGameState(lowerCode).BoardState, "#EEE#EEE#");
}

TEST(ParseGameState, MissingKeysTakeTheirDefaults) {
  const TGameStateRec small = ParseGameState(StateCodeOfJson(StateJson(
      R"("name":"4x3","w":4,"h":3,"BoardState":"EEEEEEEEEEEE","PlayerState":"EEEEEEEEEEEE")")));
  EXPECT_EQ(small.pct, 40);
  EXPECT_EQ(small.cw, 20);
  EXPECT_EQ(small.ch, 20);
  EXPECT_EQ(small.GameState, 0);
  EXPECT_EQ(small.difficulty, TDifficulty::Normal);

  const std::string cells25(25, 'E');
  const TGameStateRec defaults = ParseGameState(StateCodeOfJson(
      StateJson("\"name\":\"x\",\"GameState\":260,\"difficulty\":258,\"BoardState\":\"" + cells25 +
                "\",\"PlayerState\":\"" + cells25 + "\"")));
  EXPECT_EQ(defaults.w, 5);
  EXPECT_EQ(defaults.h, 5);
  EXPECT_EQ(defaults.pct, 50);
  EXPECT_EQ(defaults.GameState, 4);
  EXPECT_EQ(defaults.difficulty, TDifficulty::Easy);

  TNonoGame puzzle(5, 5);
  int cw = 9;
  int ch = 9;
  ApplyGameStateRec(puzzle, defaults, cw, ch);
  EXPECT_EQ(puzzle.GameState(), 6);
}

TEST(ParseGameState, RefusesStatesOutsideTheBoardLimits) {
  const auto code = [](const std::string& w, const std::string& h, std::size_t board,
                       std::size_t player) {
    return StateCodeOfJson(StateJson("\"name\":\"n\",\"w\":" + w + ",\"h\":" + h +
                                     ",\"BoardState\":\"" + std::string(board, 'E') +
                                     "\",\"PlayerState\":\"" + std::string(player, 'E') + "\""));
  };
  EXPECT_EQ(InvalidMessageOf(code("3", "3", 9, 9)), "accepted");
  EXPECT_EQ(InvalidMessageOf(code("128", "1", 128, 128)), "accepted");
  const std::string refused[] = {
      code("0", "3", 0, 0),
      code("3", "0", 0, 0),
      code("129", "1", 129, 129),
      code("1", "129", 129, 129),
      code("-3", "-3", 9, 9),
      code("3", "3", 8, 9),
      code("3", "3", 9, 10),
      code("3", "3", 0, 0),
      StateCodeOfJson(StateJson(R"("w":1,"h":1,"BoardState":"E","PlayerState":"E")")),
      StateCodeOfJson(StateJson(R"("name":"n","w":1,"h":1,"PlayerState":"E")")),
      StateCodeOfJson(StateJson(R"("name":"n","w":1,"h":1,"BoardState":"E")")),
      StateCodeOfJson(R"(["name","BoardState","PlayerState"])"),
  };
  for (const std::string& text : refused) EXPECT_EQ(InvalidMessageOf(text), kInvalid);
}

TEST(ParseGameState, BrokenPayloadsRaiseTheirOwnErrors) {
  const std::string good = R"("name":"n","w":1,"h":1,"BoardState":"E","PlayerState":"E")";
  EXPECT_THROW(ParseGameState(StateCodeOfJson(StateJson(good + ",\"cw\":1.5"))),
               std::invalid_argument);
  EXPECT_THROW(ParseGameState(StateCodeOfJson(StateJson(good + ",\"pct\":\"ten\""))),
               std::invalid_argument);
  EXPECT_THROW(ParseGameState(StateCodeOfJson(StateJson(good + ",\"w\":99999999999"))),
               std::invalid_argument);
  EXPECT_THROW(ParseGameState(StateCodeOfJson("{\"name\":")), EJsonException);
  EXPECT_THROW(ParseGameState(StateCodeOfJson("")), EJsonException);

  const std::string notZlib = "0123456789ABCDEF";
  EXPECT_THROW(ParseGameState(HexOfUInt32(Crc32(notZlib), 8) + notZlib), std::runtime_error);
}

TEST(ParseGameState, RefusesPayloadsThatInflateBeyondTheLimit) {
  const std::string huge = StateJson("\"name\":\"" + std::string(kMaxStateJsonSize, 'a') + "\"");
  const std::string code = StateCodeOfJson(huge);
  ASSERT_LT(code.size(), 8000u);
  try {
    ParseGameState(code);
    FAIL() << "accepted";
  } catch (const EGameStateInvalid&) {
    FAIL() << "refused as invalid data, expected the inflate limit";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("exceeds"), std::string::npos) << e.what();
  }
}

TEST(ApplyGameStateRec, RefusesAPuzzleOfAnotherSizeAndKeepsCellSizeForNonPositiveValues) {
  auto source = GameOf({"#..", ".#.", "..#"});
  TGameStateRec rec = ParseGameState(GameStateText("3x3", *source, 20, 20));

  auto other = GameOf({"####", "....", "####", "...."});
  int cw = 11;
  int ch = 12;
  EXPECT_THROW(ApplyGameStateRec(*other, rec, cw, ch), EGameStateInvalid);
  EXPECT_EQ(SolutionOf(*other), (Picture{"####", "....", "####", "...."}));
  EXPECT_EQ(cw, 11);

  TNonoGame same(3, 3);
  rec.BoardState.pop_back();
  EXPECT_THROW(ApplyGameStateRec(same, rec, cw, ch), EGameStateInvalid);
  rec.BoardState += '#';
  rec.cw = 0;
  rec.ch = -4;
  ApplyGameStateRec(same, rec, cw, ch);
  EXPECT_EQ(cw, 11);
  EXPECT_EQ(ch, 12);
  EXPECT_EQ(same.SolutionFilled(), 3);
}

}  // namespace
