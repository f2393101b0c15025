#include "persistence/game_state.h"

#include <charconv>
#include <string_view>

#include "persistence/JsonTools.h"
#include "util/compression.h"
#include "util/crc32.h"
#include "util/hex.h"

namespace {

// The conversion of a number key: a signed decimal 32-bit integer, nothing else.
int IntegerOf(const std::string& text) {
  std::string_view number = text;
  if (number.starts_with('+') && !number.starts_with("+-")) number.remove_prefix(1);
  int value = 0;
  const char* const last = number.data() + number.size();
  const auto [end, error] = std::from_chars(number.data(), last, value);
  if (error != std::errc() || end != last)
    throw std::invalid_argument("'" + text + "' is not a valid integer value");
  return value;
}

int ReadInteger(const TJsonNode& root, const char* key, int missing) {
  const TJsonNode* node = root.Find(key);
  return node == nullptr ? missing : IntegerOf(node->Value());
}

// A string key's text with its escapes undone, as the writer escapes it
// again: so a name or board read and written back stays the same. Anything
// but a JSON string is refused.
std::string ReadRequiredString(const TJsonNode& root, const char* key) {
  const TJsonNode* node = root.Find(key);
  if (node == nullptr || node->Kind() != nkString) throw EGameStateInvalid();
  return TJsonNode::UnescapeString(node->Value());
}

bool SizeInRange(int side) {
  return side >= 1 && side <= MaxBoardSide;
}

std::size_t CellCount(int w, int h) {
  return static_cast<std::size_t>(w) * h;
}

}  // namespace

EGameStateInvalid::EGameStateInvalid() : std::runtime_error("Invalid data found") {}

char StateToChar(TPieceState state) {
  switch (state) {
    case psEmpty:
      return 'E';
    case psFilled:
    case psAllCorrect:
    case psIncorrect:
      return '#';
    case psCrossed:
      return 'x';
    case psCorrect:
      return 'o';
    case psDeltaCheckedRow:
      return 'd';
    case psDeltaCheckedCol:
      return 'c';
    default:
      return '\x01';
  }
}

TPieceState CharToState(char c) {
  switch (c) {
    case 'E':
      return psEmpty;
    case '#':
      return psFilled;
    case 'x':
      return psCrossed;
    case 'o':  // a check flash stored by an older version: a filled cell
      return psFilled;
    case 'd':
      return psDeltaCheckedRow;
    case 'c':
      return psDeltaCheckedCol;
    default:
      return psNone;
  }
}

std::string GameStateText(const std::string& name, const TNonoGame& puzzle, int cellWidth,
                          int cellHeight) {
  std::string board;
  std::string player;
  for (int x = 0; x < puzzle.Width(); ++x) {
    for (int y = 0; y < puzzle.Height(); ++y) {
      board += StateToChar(puzzle.SolutionState(x, y));
      player += StateToChar(puzzle.PlayerState(x, y));
    }
  }
  TJsonNode root;
  root.Add("name", name);
  root.Add("GameState", static_cast<int>(puzzle.GameState()));
  root.Add("w", puzzle.Width());
  root.Add("h", puzzle.Height());
  root.Add("cw", cellWidth);
  root.Add("ch", cellHeight);
  root.Add("pct", puzzle.FillPct());
  root.Add("difficulty", StoredDifficulty(puzzle.Difficulty()));
  root.Add("BoardState", board);
  root.Add("PlayerState", player);
  root.Add("RandomFillType", static_cast<int>(puzzle.RandomFillType()));
  return StateCodeOfJson(root.Value());
}

std::string StateCodeOfJson(const std::string& json) {
  const TBytes compressed =
      CompressBytes({reinterpret_cast<const std::uint8_t*>(json.data()), json.size()});
  const std::string payload = BytesToHex(compressed);
  return HexOfUInt32(Crc32(payload), 8) + payload;
}

bool CheckStateText(const std::string& text, std::string& payload) {
  payload = text.size() > 8 ? text.substr(8) : std::string();
  const std::string head = text.substr(0, 8);
  if (!IsHexText(payload) || !IsHexText(head)) return false;
  return HexOfUInt32(Crc32(payload), 8) == head;
}

TGameStateRec ParseGameState(const std::string& text) {
  std::string payload;
  if (!CheckStateText(text, payload)) throw EGameStateInvalid();
  const TBytes inflated = DecompressBytes(HexToBytes(payload), kMaxStateJsonSize);
  TJsonNode root;
  root.Parse({reinterpret_cast<const char*>(inflated.data()), inflated.size()});

  TGameStateRec rec;
  rec.name = ReadRequiredString(root, "name");
  rec.GameState = static_cast<TGameViewFlags>(ReadInteger(root, "GameState", 0) & 0xFF);
  rec.w = ReadInteger(root, "w", 5);
  rec.h = ReadInteger(root, "h", 5);
  rec.cw = ReadInteger(root, "cw", 20);
  rec.ch = ReadInteger(root, "ch", 20);
  rec.difficulty = DifficultyFromStored(ReadInteger(root, "difficulty", 0));
  // The generator knows one fill type; any other would make every later New
  // in the slot fail, so it reads as that one.
  ReadInteger(root, "RandomFillType", 0);
  rec.RandomFillType = 0;
  rec.pct = ReadInteger(root, "pct", DefaultFillPct(rec.w, rec.h, TDifficulty::Normal));
  rec.BoardState = ReadRequiredString(root, "BoardState");
  rec.PlayerState = ReadRequiredString(root, "PlayerState");

  if (!SizeInRange(rec.w) || !SizeInRange(rec.h)) throw EGameStateInvalid();
  const std::size_t cells = CellCount(rec.w, rec.h);
  if (rec.BoardState.size() != cells || rec.PlayerState.size() != cells) throw EGameStateInvalid();
  return rec;
}

TGameStateRec ParseStoredGameState(const std::string& text) {
  TGameStateRec rec = ParseGameState(text);
  if (rec.name != SlotName(rec.w, rec.h)) throw EGameStateInvalid();
  return rec;
}

void ApplyGameStateRec(TNonoGame& puzzle, const TGameStateRec& rec, int& cellWidth,
                       int& cellHeight) {
  if (!SizeInRange(rec.w) || !SizeInRange(rec.h) || puzzle.Width() != rec.w ||
      puzzle.Height() != rec.h || rec.BoardState.size() != CellCount(rec.w, rec.h) ||
      rec.PlayerState.size() != CellCount(rec.w, rec.h))
    throw EGameStateInvalid();

  puzzle.SetSize(rec.w, rec.h);
  if (rec.cw > 0) cellWidth = rec.cw;
  if (rec.ch > 0) cellHeight = rec.ch;
  puzzle.SetFillPct(rec.pct);
  puzzle.SetDifficulty(rec.difficulty);
  puzzle.SetRandomFillType(rec.RandomFillType);

  puzzle.SetSolutionFilled(0);
  for (int x = 0; x < rec.w; ++x)
    for (int y = 0; y < rec.h; ++y)
      puzzle.SetSolutionState(x, y, CharToState(rec.BoardState[x * rec.h + y]));
  for (int x = 0; x < rec.w; ++x)
    for (int y = 0; y < rec.h; ++y)
      puzzle.SetPlayerState(x, y, CharToState(rec.PlayerState[x * rec.h + y]));
  puzzle.SetGameState(static_cast<TGameViewFlags>(rec.GameState | vfRestored));
}
