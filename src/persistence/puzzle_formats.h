// Readers and writers of the puzzle sharing formats. Every reader refuses bad
// input with EPuzzleInvalid (never more than kMaxPuzzleText characters, never
// more than kMaxPuzzlesPerText puzzles) and checks each puzzle it gives with
// CheckPuzzle.
//
// Game ID (Simon Tatham's Pattern): "WxH:" or "N:" (square), then the W
// column clues and the H row clues separated by "/", the runs of a clue
// joined by "."; an empty clue is written as nothing (read also as "0").
// Pattern's "WxH#seed" form and fixed starting cells after "," are refused.
//
// .non (Steve Simpson): "key value" lines; "width" and "height", then "rows"
// and "columns" each followed by exactly one clue line per line (comma lists;
// a blank line or "0" is an empty clue), an optional goal "0110…" row by row,
// "title" kept, other keys ignored; a line "====" separates the puzzles of a
// pack.
//
// webpbn XML: <puzzleset> of <puzzle type="grid"> with <clues type="columns">
// and <clues type="rows"> of <line>s of <count>s, and optionally a complete
// <solution type="goal"> <image>. Multicolour puzzles, triddlers and other
// kinds are refused; entity declarations are refused and external entities
// never read, so the reader never expands anything.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "persistence/puzzle.h"

// One game ID (surrounding white space ignored).
TPuzzle ReadGameId(std::string_view text);
// "WxH:" with the column and then the row clues; the goal and title are not
// written.
std::string WriteGameId(const TPuzzle& puzzle);

std::vector<TPuzzle> ReadNon(std::string_view text);
// A .non text with LF line ends; the goal when the puzzle has one.
std::string WriteNon(const TPuzzle& puzzle);

std::vector<TPuzzle> ReadPbnXml(std::string_view text);
// A webpbn XML puzzle set holding the puzzles, each with its goal when it
// has one.
std::string WritePbnXml(const std::vector<TPuzzle>& puzzles);

// The solution of a state code as a puzzle with its goal; the slot name is
// the title.
TPuzzle ReadStateCode(std::string_view text);
