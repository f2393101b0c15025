#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/scoped_env.h"

namespace {

struct TRun {
  int Status;
  std::string Output;   // the made source
  std::string Message;  // what the tool said
};

// Runs the tool on input as the file "de.txt".
TRun RunTool(const std::string& input) {
  test_support::TempFolder folder;
  const auto in = folder.Path() / "de.txt";
  const auto out = folder.Path() / "out.cpp";
  const auto said = folder.Path() / "said.txt";
  std::ofstream(in, std::ios::binary) << input;
  const std::string command = std::string(TAVELO_TEXT_TABLE_TOOL) + " '" + in.string() +
                              "' GermanTextItems '" + out.string() + "' 2>'" + said.string() + "'";
  const int status = std::system(command.c_str());
  const auto read = [](const std::filesystem::path& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
  };
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read(out), read(said)};
}

TEST(TextTableTool, WritesTheStoredFormOfEveryText) {
  // "OK" -> bytes ^ 0x5A -> "FRE="; " to " in quotes keeps its spaces;
  // "a\nb" is three bytes.
  const TRun run = RunTool(
      "\xEF\xBB\xBF# comment\n\nOk=OK\r\nHintTo=\" to \"\nMakingPuzzle=a\\nb\nPaste=C:\\\\\n");
  ASSERT_EQ(run.Status, 0) << run.Message;
  EXPECT_NE(run.Output.find("const TTextItemNamesArr& GermanTextItems()"), std::string::npos);
  EXPECT_NE(run.Output.find("{ttnOk, \"Ok\", \"FRE=\"}"), std::string::npos) << run.Output;
  EXPECT_NE(run.Output.find("{ttnHintTo, \"HintTo\", \"ei41eg==\"}"), std::string::npos);
  EXPECT_NE(run.Output.find("{ttnMakingPuzzle, \"MakingPuzzle\", \"O1A4\"}"), std::string::npos);
  EXPECT_NE(run.Output.find("{ttnPaste, \"Paste\", \"GWAG\"}"), std::string::npos);
  // An unknown name is left to the compiler, which reports the input's line.
  EXPECT_NE(run.Output.find("#line 4 "), std::string::npos);
}

TEST(TextTableTool, RefusesWhatATranslatorMayGetWrong) {
  const struct {
    const char* Input;
    const char* Message;
  } cases[] = {
      {"Ok=OK\nCancel\n", "de.txt:2: error: no '='"},
      {"Ok=OK\nOk=Okay\n", "de.txt:2: error: Ok is given twice"},
      {"ttn Ok=OK\n", "de.txt:1: error: 'ttn Ok' is not a text name"},
      {"=OK\n", "de.txt:1: error: '' is not a text name"},
      {"Ok=a\\tb\n", "de.txt:1: error: unknown escape \\t"},
      {"Ok=ab\\\n", "de.txt:1: error: a backslash ends the text"},
      {"Ok=Gr\xFC\xDF"
       "e\n",
       "de.txt:1: error: not UTF-8"},
      {"Ok=\xC3\n", "de.txt:1: error: not UTF-8"},
      {"Ok=\xC0\xAF\n", "de.txt:1: error: not UTF-8"},
      {"Ok=\xED\xA0\x80\n", "de.txt:1: error: not UTF-8"},
  };
  for (const auto& c : cases) {
    const TRun run = RunTool(c.Input);
    EXPECT_EQ(run.Status, 1) << c.Input;
    EXPECT_NE(run.Message.find(c.Message), std::string::npos) << c.Input << " -> " << run.Message;
  }
}

}  // namespace
