// TDesignerActions: the designer's command buttons, one table of their
// object names (tests find them by those), places, keys and captions; the
// key of a command works anywhere in the window while its button is
// enabled. Which commands the designer allows comes in as one state
// (Follow); what a command does is the window's, bound with Bind.
#pragma once

#include <QObject>
#include <functional>

#include "app/designer_board.h"
#include "generation/design_verdict.h"

class QGridLayout;
class QPushButton;
class QWidget;

// What the enabled state of the commands follows.
struct TDesignerCommandState {
  bool Busy = false;          // long work has the designer: no command works
  bool MakingUnique = false;  // the work is make-unique: its Cancel works
  bool CanUndo = false;
  bool CanRedo = false;
  bool PuzzleInPlay = false;  // "From the puzzle in play" has a picture
  bool ChangesShown = false;  // make-unique's marks wait to be accepted
  bool VerdictCurrent = false;
  TDesignVerdictKind Verdict = TDesignVerdictKind::Undecided;
};

class TDesignerActions : public QObject {
  Q_OBJECT

 public:
  // The buttons are window's; their keys work anywhere in it.
  explicit TDesignerActions(QWidget* window);

  QGridLayout* Layout() const { return FLayout; }
  // command runs when the button of that name is clicked.
  void Bind(const char* name, const std::function<void()>& command);
  // The tool buttons call this with their tool.
  void BindTools(const std::function<void(TDesignerBoard::TTool)>& setTool);
  // The captions and tooltips of the current language.
  void ApplyTexts();
  void Follow(const TDesignerCommandState& state);
  // The tool's button is checked, the others not.
  void ShowTool(TDesignerBoard::TTool tool);

 private:
  QPushButton* Button(const char* name) const;

  QWidget* FWindow;
  QGridLayout* FLayout;
};
