// The file dialogs of the program: choosing a puzzle file to open and a file
// to save a puzzle to. Every dialog goes through ShowFileDialog, which tests
// can answer through a handler of their own instead of a human.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QWidget;

struct TFileDialogRequest {
  bool Save = false;
  std::string Caption;
  // Name filters as Qt takes them: "Name (*.ext *.ext2)".
  std::vector<std::string> Filters;
  std::string SelectedFilter;
  // The file name offered at first (save dialogs).
  std::string SuggestedName;
};

struct TFileDialogAnswer {
  std::string Path;    // empty when the player cancelled
  std::string Filter;  // the filter chosen when the dialog closed
};

// Shows a modal file dialog over parent. A save dialog asks before it lets an
// existing file be chosen.
TFileDialogAnswer ShowFileDialog(QWidget* parent, const TFileDialogRequest& request);

// Replaces the on-screen dialog (tests); an empty handler restores it.
// Returns the previous handler.
using TFileDialogHandler = std::function<TFileDialogAnswer(const TFileDialogRequest&)>;
TFileDialogHandler SetFileDialogHandler(TFileDialogHandler handler);
