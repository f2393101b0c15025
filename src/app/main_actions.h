// TMainActions: the main window's commands as actions: their object names
// (tests find them by those), captions and keys; the game menu that lists the
// slots with the commands without a button; the bar buttons bound to their
// actions; and which commands the shown game allows. What a command does is
// the window's: it connects to each action's triggered signal.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string>

class QAction;
class QActionGroup;
class QKeySequence;
class QMenu;
class QPushButton;
class QWidget;
class TSlot;
class TGameSession;
class TSlotShelf;

// The tag of the game menu's slot items.
constexpr int kSlotItemTag = 1;

// The slot name a menu item stands for: platform accelerator markers removed.
std::string SlotNameOf(const QString& caption);

// A button's tooltip: its caption and the keys of its actions.
QString ToolTipWithKeys(const QString& caption, std::initializer_list<const QAction*> actions);

class TMainActions : public QObject {
  Q_OBJECT

 public:
  // The actions and the game menu belong to window, so their keys work
  // anywhere in it; the developer commands have keys only with diagnostics.
  TMainActions(QWidget* window, bool diagnostics);

  QMenu* pmGame() const { return FpmGame; }

  // The button triggers the action and shows its state, caption and keys.
  void BindButton(QPushButton* button, QAction* action);
  // The captions of the current language, and the menu's spoken name.
  void ApplyTexts();
  // The game menu afresh: the slots smallest first as radio items (current
  // checked; pick runs when one is chosen), then the commands.
  void BuildGameMenu(const TSlotShelf& shelf, const TSlot* current,
                     const std::function<void(QAction*)>& pick);
  // The menu's item of that slot, or null.
  QAction* SlotItem(const std::string& name) const;
  // Every command of the window on or off (busy, free again).
  void SetAllEnabled(bool enabled);
  // Undo, Redo and Check as the shown game's session allows.
  void Follow(const TGameSession& session);
  // Remove this size is offered for the slots beyond the default sizes.
  void FollowSlot(const TSlot* current);

  // The actions, named as their object names.
  QAction* aNew = nullptr;
  // New once with a difficulty other than the settings' (game menu).
  QAction* aNewEasy = nullptr;
  QAction* aNewMedium = nullptr;
  QAction* aNewNormal = nullptr;
  QAction* aStartOver = nullptr;
  QAction* aCheck = nullptr;
  QAction* aCheck1 = nullptr;
  QAction* aUndo = nullptr;
  QAction* aRedo = nullptr;
  QAction* aSettings = nullptr;
  QAction* aResetZoom = nullptr;
  QAction* aZoomIn = nullptr;
  QAction* aZoomOut = nullptr;
  QAction* aCopyToClipboardAsImage = nullptr;
  QAction* aCopyToClipboardAsText = nullptr;
  QAction* aPaste = nullptr;
  QAction* aAbout = nullptr;
  QAction* aExit = nullptr;
  QAction* aCheat = nullptr;
  QAction* aAsText = nullptr;
  QAction* aDebug = nullptr;
  QAction* aGameMenu = nullptr;
  // The explained hint (H).
  QAction* aHint = nullptr;
  // The records window (F6).
  QAction* aStatistics = nullptr;
  QAction* aOpenPuzzle = nullptr;
  QAction* aSavePuzzleAs = nullptr;
  QAction* aDesign = nullptr;
  QAction* aOtherSize = nullptr;
  QAction* aRemoveSize = nullptr;

 private:
  QAction* MakeAction(const char* name, const QString& caption, const QKeySequence& key);

  QWidget* FWindow;
  QMenu* FpmGame = nullptr;
  QActionGroup* FSlotItems = nullptr;
};
