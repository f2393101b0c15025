// The headless face of tavelo:
//   tavelo --help       prints the usage text
//   tavelo --version    prints the version string, as the about window shows it
//   tavelo --generate WxH [--count N] [--seed S] [--format id|code|non|xml]
//                         [--difficulty easy|medium|normal]
//     prints N generated puzzles, filled as the difficulty says (normal
//     unless given), one per line, as game IDs: "WxH:", then the column
//     clues and the row clues, each clue's numbers joined by "." and the
//     clues by "/", an empty line written as nothing ("3x3:1/1.1/1/1/1.1/1").
//     With a seed the output is the same on every run and machine. With
//     --format code each line is instead the state code of the puzzle (name
//     "WxH", cell size 20 x 20, untouched player board), ready to paste; with
//     non or xml all of them as one .non pack or one webpbn XML puzzle set,
//     pictures included.
//   tavelo --solve [FILE]
//     reads such lines (an empty line may also be written "0") from FILE or
//     standard input and prints for each "solved" or "unsolved", a space and
//     the grid line logic deduced: rows top to bottom joined by "/", "#"
//     filled, "." empty, "?" unknown.
//   tavelo --analyse [--budget SECONDS] [FILE | FOLDER ...]
//     reads puzzles in any format the game reads and prints one line for
//     each (see WriteAnalysis); with several files or a folder (its puzzle
//     files, .non .nonpack .xml .pbn .txt, at any depth) each line starts
//     with "FILE: " ("FILE #N: " for the puzzles of a pack), and a file that
//     is refused is named on err while the others go on (exit status 1).
//     The search of each puzzle gives up after SECONDS of wall time (3 unless
//     given; more than 0, at most a day).
//   tavelo --convert --to non|xml|id [FILE]
//     reads puzzles so and writes them in the given format.
// FILE is a regular file (a FIFO, device or folder is refused, never waited
// on); "--" ends the options, and an argument starting with '-' that names
// an existing file is a file.
// Generated puzzles have 3 to 128 cells each way (smaller sides have no
// puzzle); --solve reads any size from 1 to 128.
// Bad arguments and malformed lines give one line on err and a non-zero exit
// status: 2 for a usage error, 1 for bad data or a failed command. An input
// that cannot be read and output that cannot be written fail the command (1).
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "model/cell_types.h"

class TNonoGame;
struct TPuzzle;
struct TAnalysis;

// Runs the command the arguments name (argv[0] is the program) and returns
// the exit status.
int RunCommandLine(int argc, char** argv, std::istream& in, std::ostream& out, std::ostream& err);

// Whether the argument names one of the commands above (--help ... --convert).
bool IsCommandLineOption(std::string_view argument);

// The usage text, several lines: every command, the window's included.
void WriteUsage(std::ostream& out);

// A puzzle written as a game ID from the clues of its solution.
std::string GameId(const TNonoGame& game);

// One puzzle's answer of --analyse: the verdict, with a line-solvable
// puzzle's grade ("3/5"), then "row N" / "column N"
// for a line no picture fits, or the pictures found, each written as --solve
// writes a grid; one line.
void WriteAnalysis(const TPuzzle& puzzle, const TAnalysis& analysis, std::ostream& out);
