#include "app/paste_check.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>
#include <exception>
#include <vector>

#include "model/nono_game.h"
#include "slots/slot.h"
#include "slots/slot_shelf.h"
#include "text/lang_helper.h"
#include "util/hex.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The text for the puzzle readers: line breaks matter there (a blank line in
// a .non clue block is an empty clue), so only what comes before the first
// character is dropped.
std::string_view PuzzleText(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

// A text that does not read as a puzzle but plainly was meant as one: the
// player hears the reader's reason instead of "not a game".
bool MeantAsPuzzle(std::string_view text) {
  const TPuzzleFormat format = DetectPuzzleFormat(text);
  if (format == TPuzzleFormat::GameId || format == TPuzzleFormat::PbnXml) return true;
  return format == TPuzzleFormat::Non &&
         (text.starts_with("width") || text.find("\nwidth") != std::string_view::npos ||
          text.find("\rwidth") != std::string_view::npos || text.starts_with("catalogue") ||
          text.starts_with("title"));
}

}  // namespace

bool SizeOffered(const TSlotShelf& games, int width, int height) {
  if (games.FindByName(SlotName(width, height))) return true;
  return width >= kMinSlotSide && width <= kMaxSlotSide && height >= kMinSlotSide &&
         height <= kMaxSlotSide && games.Count() < kMaxStoredSlots;
}

std::optional<std::string> ClipboardText(std::size_t maxBytes) {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (!mime) return std::string();
  // Another program's clipboard arrives as bytes: UTF-8 ones are measured as
  // they came, without decoding them.
  const QString utf8 = "text/plain;charset=utf-8";
  if (mime->hasFormat(utf8)) {
    const QByteArray bytes = mime->data(utf8);
    if (static_cast<std::size_t>(bytes.size()) > maxBytes) return std::nullopt;
    return bytes.toStdString();
  }
  if (!mime->hasText()) return std::string();
  // The game's own clipboard holds the text itself (shared, not copied); a
  // character takes at least one byte of UTF-8.
  const QString text = mime->text();
  if (static_cast<std::size_t>(text.size()) > maxBytes) return std::nullopt;
  std::string bytes = text.toUtf8().toStdString();
  if (bytes.size() > maxBytes) return std::nullopt;
  return bytes;
}

TPasteCheck ClipboardTooLarge(std::size_t maxBytes) {
  TPasteCheck check;
  check.Verdict = pvBadPuzzle;
  check.Reason = "the text is longer than " + std::to_string(maxBytes) + " bytes";
  return check;
}

std::string CleanPastedText(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  std::string code;
  code.reserve(last - first);
  for (std::size_t i = first; i < last; ++i)
    if (text[i] != '\r' && text[i] != '\n') code += text[i];
  return code;
}

TPasteCheck CheckPaste(const std::string& text, const TSlotShelf& games) {
  TPasteCheck check;
  const std::string code = CleanPastedText(text);
  std::string payload;
  if (!CheckStateText(code, payload)) {
    // Hex of a code's length whose checksum does not match was a code once.
    if (code.size() > 8 && IsHexText(code)) {
      check.Verdict = pvDamaged;
      return check;
    }
    const std::string_view puzzleText = PuzzleText(text);
    if (puzzleText.empty()) return check;
    try {
      std::vector<TPuzzle> puzzles = ReadPuzzles(puzzleText);
      check.PuzzleCount = puzzles.size();
      check.Puzzle = std::move(puzzles.front());
    } catch (const std::exception& e) {
      if (MeantAsPuzzle(puzzleText)) {
        check.Verdict = pvBadPuzzle;
        check.Reason = e.what();
      }
      return check;
    }
    check.SlotName = SlotName(check.Puzzle.Width, check.Puzzle.Height);
    check.Verdict =
        SizeOffered(games, check.Puzzle.Width, check.Puzzle.Height) ? pvPuzzle : pvNoBoard;
    return check;
  }
  try {
    check.Rec = ParseGameState(code);
  } catch (const std::exception&) {
    check.Verdict = pvDamaged;
    return check;
  }
  check.SlotName = SlotName(check.Rec.w, check.Rec.h);
  const TSlot* target = games.FindByName(check.SlotName);
  if (target)
    check.Verdict = target->Fits(check.Rec) ? pvLoadable : pvNoBoard;
  else
    check.Verdict = SizeOffered(games, check.Rec.w, check.Rec.h) ? pvLoadable : pvNoBoard;
  return check;
}

std::string PasteRefusalText(const TPasteCheck& check) {
  switch (check.Verdict) {
    case pvLoadable:
    case pvPuzzle:
      return {};
    case pvNotAGame:
      return TextFor(ttnPasteNotAGame);
    case pvDamaged:
      return TextFor(ttnPasteDamaged);
    case pvBadPuzzle:
      return TextFor(ttnPuzzleUnreadable) + "\n\n" + check.Reason;
    case pvNoBoard: {
      std::string text = TextFor(ttnPasteNoBoard);
      const std::size_t at = text.find("%s");
      if (at != std::string::npos) text.replace(at, 2, check.SlotName);
      return text + "\n\n" +
             QString::fromStdString(CountedTextFor(ttnSizeRange, kMaxSlotSide))
                 .arg(kMinSlotSide)
                 .arg(kMaxSlotSide)
                 .toStdString();
    }
  }
  return {};
}

std::string OpenRefusalText(const TPasteCheck& check) {
  switch (check.Verdict) {
    case pvNotAGame:
    case pvDamaged:
      return TextFor(ttnNotAPuzzle);
    case pvNoBoard:
      return QString::fromStdString(CountedTextFor(ttnBoardNotPlayable, kMaxSlotSide))
          .arg(QString::fromStdString(check.SlotName))
          .arg(kMinSlotSide)
          .arg(kMaxSlotSide)
          .toStdString();
    default:
      return PasteRefusalText(check);
  }
}
