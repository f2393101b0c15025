// The webpbn XML format, read with expat (SAX): no DTD is fetched, entity
// declarations stop the parse, so nothing is ever expanded. Expat takes the
// encoding from the declaration (UTF-8 without); UTF-16 with its byte-order
// mark is converted first.
#include <expat.h>

#include <charconv>
#include <cstring>
#include <memory>
#include <optional>

#include "model/nono_game.h"
#include "persistence/puzzle_formats.h"
#include "text/lang_helper.h"

namespace {

// Deeper nesting than any puzzle file has is refused, not followed.
constexpr int kMaxDepth = 16;
// More colours than a black-and-white puzzle declares (with room for
// repeats): the list stays short.
constexpr std::size_t kMaxColours = 16;

std::string Attribute(const XML_Char** attributes, const char* name) {
  for (int i = 0; attributes[i] != nullptr; i += 2)
    if (std::strcmp(attributes[i], name) == 0) return attributes[i + 1];
  return {};
}

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

// The parse state of one puzzle set; expat calls the static handlers.
class PbnReader {
 public:
  explicit PbnReader(XML_Parser parser) : FParser(parser) {}

  std::vector<TPuzzle> Puzzles;

  // The first refusal; the parse stops there.
  std::optional<std::string> Error;

  static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
    static_cast<PbnReader*>(self)->Start(name, attributes);
  }
  static void OnEnd(void* self, const XML_Char* name) { static_cast<PbnReader*>(self)->End(name); }
  static void OnText(void* self, const XML_Char* text, int length) {
    PbnReader& r = *static_cast<PbnReader*>(self);
    if (r.FCollect) r.FText.append(text, static_cast<std::size_t>(length));
  }
  static void OnEntityDecl(void* self, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                           const XML_Char*, const XML_Char*, const XML_Char*) {
    static_cast<PbnReader*>(self)->Fail(TextFor(ttnReasonEntities));
  }

  void Fail(const std::string& message) {
    if (!Error) Error = message;
    XML_StopParser(FParser, XML_FALSE);
  }

 private:
  void Start(const std::string& name, const XML_Char** attributes) {
    FPath.push_back(name);
    if (FPath.size() > kMaxDepth) return Fail(TextFor(ttnReasonNestedDeeply));
    FText.clear();
    FCollect = false;
    if (name == "puzzle") {
      if (FInPuzzle) return Fail(TextFor(ttnReasonPuzzleInPuzzle));
      const std::string type = Attribute(attributes, "type");
      if (!type.empty() && type != "grid")
        return Fail(
            TextWithArgs(ttnReasonNotGrid, {std::to_string(Puzzles.size() + 1), Quoted(type)}));
      if (Puzzles.size() >= kMaxPuzzlesPerText)
        return Fail(TextWithArgs(ttnReasonTooManyPuzzles, {std::to_string(kMaxPuzzlesPerText)}));
      FInPuzzle = true;
      FPuzzle = {};
      FHaveColumns = FHaveRows = false;
      FGoalRows.clear();
      FGoalValid = false;
      // defaultcolor only names the colour of a count that gives none; the
      // background is its own attribute.
      FDefaultColour = Attribute(attributes, "defaultcolor");
      if (FDefaultColour.empty()) FDefaultColour = "black";
      FBackground = Attribute(attributes, "backgroundcolor");
      if (FBackground.empty()) FBackground = "white";
      FFilledColour.clear();
      FColourChars.clear();
    } else if (!FInPuzzle) {
      return;
    } else if (name == "color") {
      const std::string colour = Attribute(attributes, "name");
      const std::string ch = Attribute(attributes, "char");
      if (FColourChars.size() >= kMaxColours) return Fail(MulticolourRefusal());
      if (ch.size() == 1) FColourChars.emplace_back(colour, ch[0]);
      if (colour != FBackground) UseColour(colour);
    } else if (name == "clues") {
      const std::string type = Attribute(attributes, "type");
      if (type != "columns" && type != "rows")
        return Fail(TextWithArgs(ttnReasonClueType, {Quoted(type)}));
      FClues = type == "columns" ? &FPuzzle.Columns : &FPuzzle.Rows;
      bool& have = type == "columns" ? FHaveColumns : FHaveRows;
      if (have) return Fail(TextWithArgs(ttnReasonCluesTwice, {type}));
      have = true;
    } else if (name == "line" && FClues != nullptr) {
      if (FClues->size() >= MaxBoardSide)
        return Fail(TextWithArgs(ttnReasonTooManyLines, {std::to_string(MaxBoardSide)}));
      FClues->emplace_back();
    } else if (name == "count" && FClues != nullptr && !FClues->empty()) {
      std::string colour = Attribute(attributes, "color");
      if (colour.empty()) colour = FDefaultColour;
      if (colour == FBackground)
        return Fail(TextWithArgs(ttnReasonBackgroundClue, {Quoted(colour)}));
      UseColour(colour);
      FCollect = true;
    } else if (name == "solution") {
      const std::string type = Attribute(attributes, "type");
      FInGoal = type.empty() || type == "goal" || type == "solution";
    } else if (name == "image" || name == "title" || name == "author" || name == "copyright") {
      FCollect = true;
    }
  }

  void End(const std::string& name) {
    if (FInPuzzle) {
      if (name == "count" && FCollect) {
        const std::string text = Trimmed(FText);
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 1 ||
            value > MaxBoardSide)
          return Fail(
              TextWithArgs(ttnReasonBadCount, {Quoted(text), std::to_string(MaxBoardSide)}));
        FClues->back().push_back(value);
      } else if (name == "clues") {
        FClues = nullptr;
      } else if ((name == "title" || name == "author" || name == "copyright") &&
                 FPath.size() >= 2 && FPath[FPath.size() - 2] == "puzzle") {
        std::string& field = name == "title"    ? FPuzzle.Title
                             : name == "author" ? FPuzzle.Author
                                                : FPuzzle.Licence;
        field = Trimmed(FText);
        for (char& c : field)
          if (c == '\n' || c == '\r' || c == '\t') c = ' ';
      } else if (name == "image" && FInGoal) {
        ReadImage();
      } else if (name == "solution") {
        FInGoal = false;
      } else if (name == "puzzle") {
        FinishPuzzle();
      }
    }
    FCollect = false;
    FText.clear();
    FPath.pop_back();
  }

  // A puzzle is black and white when every colour besides the background is
  // one and the same, whatever its name.
  void UseColour(const std::string& colour) {
    if (FFilledColour.empty())
      FFilledColour = colour;
    else if (colour != FFilledColour)
      Fail(MulticolourRefusal());
  }

  std::string MulticolourRefusal() const {
    return TextWithArgs(ttnReasonPuzzleColours, {std::to_string(Puzzles.size() + 1)});
  }

  // The character a colour has in the images, or the usual one.
  char CharOf(const std::string& colour, char usual) const {
    for (const auto& [name, ch] : FColourChars)
      if (name == colour) return ch;
    return usual;
  }

  // Rows between '|' characters; an image with unknown or either-or cells
  // ('?', '[') is not a goal and is passed over.
  void ReadImage() {
    if (FGoalValid) return;  // the first complete goal counts
    const char filledChar = CharOf(FFilledColour.empty() ? FDefaultColour : FFilledColour, 'X');
    const char emptyChar = CharOf(FBackground, '.');
    std::string goal;
    int rows = 0, width = -1;
    bool inRow = false;
    int rowWidth = 0;
    for (const char c : FText) {
      if (c == '|') {
        if (inRow) {
          if (width >= 0 && width != rowWidth) return;
          width = rowWidth;
          ++rows;
        }
        inRow = !inRow;
        rowWidth = 0;
      } else if (inRow) {
        if (c == filledChar)
          goal += '#';
        else if (c == emptyChar)
          goal += '.';
        else
          return;
        ++rowWidth;
      }
    }
    if (rows == 0 || width <= 0) return;
    FGoalRows = std::move(goal);
    FGoalWidth = width;
    FGoalHeight = rows;
    FGoalValid = true;
  }

  void FinishPuzzle() {
    FInPuzzle = false;
    const std::string number = std::to_string(Puzzles.size() + 1);
    if (!FHaveColumns || !FHaveRows) {
      if (!FGoalValid) return Fail(TextWithArgs(ttnReasonNoClues, {number}));
      const TPuzzle fromGoal = PuzzleOfGoal(FGoalWidth, FGoalHeight, FGoalRows);
      if (!FHaveColumns) FPuzzle.Columns = fromGoal.Columns;
      if (!FHaveRows) FPuzzle.Rows = fromGoal.Rows;
    }
    FPuzzle.Width = static_cast<int>(FPuzzle.Columns.size());
    FPuzzle.Height = static_cast<int>(FPuzzle.Rows.size());
    if (FGoalValid) {
      if (FGoalWidth != FPuzzle.Width || FGoalHeight != FPuzzle.Height)
        return Fail(TextWithArgs(
            ttnReasonPuzzleNumber,
            {number,
             TextWithArgs(ttnReasonGoalImageSize, {SlotName(FPuzzle.Width, FPuzzle.Height)})}));
      FPuzzle.Goal = FGoalRows;
    }
    try {
      CheckPuzzle(FPuzzle);
    } catch (const EPuzzleInvalid& e) {
      return Fail(TextWithArgs(ttnReasonPuzzleNumber, {number, e.what()}));
    }
    Puzzles.push_back(std::move(FPuzzle));
  }

  XML_Parser FParser;
  std::vector<std::string> FPath;
  std::string FText;
  bool FCollect = false;
  bool FInPuzzle = false;
  bool FInGoal = false;
  TPuzzle FPuzzle;
  TCountersArr* FClues = nullptr;
  bool FHaveColumns = false;
  bool FHaveRows = false;
  std::string FDefaultColour;
  std::string FBackground;
  // The one colour of the filled cells, once a colour or count names it.
  std::string FFilledColour;
  // The image characters of the colours declared.
  std::vector<std::pair<std::string, char>> FColourChars;
  std::string FGoalRows;
  int FGoalWidth = 0;
  int FGoalHeight = 0;
  bool FGoalValid = false;
};

struct ParserFree {
  void operator()(XML_Parser p) const { XML_ParserFree(p); }
};

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void AppendClues(std::string& xml, const char* type, const TCountersArr& clues) {
  xml += std::string("<clues type=\"") + type + "\">\n";
  for (const TCounterArr& clue : clues) {
    if (clue.empty()) {
      xml += "<line/>\n";
      continue;
    }
    xml += "<line>";
    for (const std::int32_t v : clue) xml += "<count>" + std::to_string(v) + "</count>";
    xml += "</line>\n";
  }
  xml += "</clues>\n";
}

// What broke the XML, in the game's words: expat's own texts are English
// only, so its codes are grouped into the few a player can act on.
TTextName XmlFault(XML_Error code) {
  switch (code) {
    case XML_ERROR_NO_ELEMENTS:
    case XML_ERROR_UNCLOSED_TOKEN:
    case XML_ERROR_UNCLOSED_CDATA_SECTION:
      return ttnReasonXmlUnfinished;
    case XML_ERROR_TAG_MISMATCH:
      return ttnReasonXmlTagMismatch;
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT:
      return ttnReasonXmlAfterEnd;
    case XML_ERROR_PARTIAL_CHAR:
    case XML_ERROR_UNKNOWN_ENCODING:
    case XML_ERROR_INCORRECT_ENCODING:
      return ttnReasonXmlEncoding;
    default:
      return ttnReasonXmlMarkup;
  }
}

}  // namespace

std::vector<TPuzzle> ReadPbnXml(std::string_view text) {
  if (text.size() > kMaxPuzzleText) throw EPuzzleInvalid(TextFor(ttnReasonFileTooLong));
  // UTF-16 with its mark is read as UTF-8 whatever the declaration says (an
  // editor that converted the file seldom changes it); any other text in the
  // encoding it declares.
  std::string converted;
  const std::string_view utf8 = Utf8Text(text, converted);
  const std::unique_ptr<XML_ParserStruct, ParserFree> parser(
      XML_ParserCreate(converted.empty() ? nullptr : "UTF-8"));
  if (!parser) throw std::bad_alloc();
  PbnReader reader(parser.get());
  XML_SetUserData(parser.get(), &reader);
  XML_SetElementHandler(parser.get(), &PbnReader::OnStart, &PbnReader::OnEnd);
  XML_SetCharacterDataHandler(parser.get(), &PbnReader::OnText);
  XML_SetEntityDeclHandler(parser.get(), &PbnReader::OnEntityDecl);
  XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);
  const XML_Status status =
      XML_Parse(parser.get(), utf8.data(), static_cast<int>(utf8.size()), XML_TRUE);
  if (reader.Error) throw EPuzzleInvalid(*reader.Error);
  if (status != XML_STATUS_OK)
    throw EPuzzleInvalid(
        TextWithArgs(ttnReasonNotXml, {std::to_string(XML_GetCurrentLineNumber(parser.get())),
                                       TextFor(XmlFault(XML_GetErrorCode(parser.get())))}));
  if (reader.Puzzles.empty()) throw EPuzzleInvalid(TextFor(ttnReasonNoXmlPuzzle));
  return std::move(reader.Puzzles);
}

std::string WritePbnXml(const std::vector<TPuzzle>& puzzles) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE pbn SYSTEM \"https://webpbn.com/pbn-0.3.dtd\">\n"
      "<puzzleset>\n";
  for (const TPuzzle& puzzle : puzzles) {
    xml += "<puzzle type=\"grid\" defaultcolor=\"black\">\n";
    if (!puzzle.Title.empty()) xml += "<title>" + Escaped(puzzle.Title) + "</title>\n";
    if (!puzzle.Author.empty()) xml += "<author>" + Escaped(puzzle.Author) + "</author>\n";
    if (!puzzle.Licence.empty()) xml += "<copyright>" + Escaped(puzzle.Licence) + "</copyright>\n";
    xml +=
        "<color name=\"white\" char=\".\">fff</color>\n"
        "<color name=\"black\" char=\"X\">000</color>\n";
    AppendClues(xml, "columns", puzzle.Columns);
    AppendClues(xml, "rows", puzzle.Rows);
    if (!puzzle.Goal.empty()) {
      xml += "<solution type=\"goal\">\n<image>\n";
      for (int y = 0; y < puzzle.Height; ++y) {
        xml += '|';
        for (int x = 0; x < puzzle.Width; ++x)
          xml += puzzle.Goal[static_cast<std::size_t>(y) * puzzle.Width + x] == '#' ? 'X' : '.';
        xml += "|\n";
      }
      xml += "</image>\n</solution>\n";
    }
    xml += "</puzzle>\n";
  }
  xml += "</puzzleset>\n";
  return xml;
}
