#include "app/main_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/main_window_accessible.h"
#include "slots/game_session.h"
#include "slots/slot.h"
#include "slots/slot_shelf.h"
#include "text/lang_helper.h"

std::string SlotNameOf(const QString& caption) {
  QString name = caption;
  name.remove('&');
  return name.toStdString();
}

QString ToolTipWithKeys(const QString& caption, std::initializer_list<const QAction*> actions) {
  QStringList keys;
  for (const QAction* action : actions)
    for (const QKeySequence& key : action->shortcuts())
      keys << key.toString(QKeySequence::NativeText);
  QString tip = caption;
  tip.remove('&');
  if (tip.endsWith("...")) tip.chop(3);
  return keys.isEmpty()
             ? tip
             : tip + " (" + keys.join(QString::fromStdString(TextFor(ttnListSeparator))) + ")";
}

TMainActions::TMainActions(QWidget* window, bool diagnostics) : QObject(window), FWindow(window) {
  aNew = MakeAction("aNew", "New", QKeySequence(Qt::Key_N));
  // Easiest first, as the menu lists them.
  aNewEasy = MakeAction("aNewEasy", "New easy puzzle", QKeySequence(Qt::CTRL | Qt::Key_1));
  aNewMedium = MakeAction("aNewMedium", "New medium puzzle", QKeySequence(Qt::CTRL | Qt::Key_2));
  aNewNormal = MakeAction("aNewNormal", "New normal puzzle", QKeySequence(Qt::CTRL | Qt::Key_3));
  aStartOver = MakeAction("aStartOver", "Start Over", QKeySequence(Qt::CTRL | Qt::Key_R));
  aCheck = MakeAction("aCheck", "Check", QKeySequence(Qt::Key_C));
  aCheck1 = MakeAction("aCheck1", "Check", QKeySequence(Qt::Key_F1));
  aUndo = MakeAction("aUndo", "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
  aRedo = MakeAction("aRedo", "Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  // Ctrl+Y is the other Redo key players know.
  aRedo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  aSettings = MakeAction("aSettings", "Settings", QKeySequence(Qt::Key_F2));
  aResetZoom = MakeAction("aResetZoom", "Reset zoom", QKeySequence(Qt::Key_F3));
  // Ctrl+0 resets as in browsers; Ctrl+= is Ctrl++ without Shift.
  aResetZoom->setShortcuts({QKeySequence(Qt::Key_F3), QKeySequence(Qt::CTRL | Qt::Key_0)});
  aZoomIn = MakeAction("aZoomIn", "Zoom in", QKeySequence(Qt::CTRL | Qt::Key_Plus));
  aZoomIn->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  aZoomOut = MakeAction("aZoomOut", "Zoom out", QKeySequence(Qt::CTRL | Qt::Key_Minus));
  aCopyToClipboardAsImage = MakeAction("aCopyToClipboardAsImage", "Copy to clipboard as image",
                                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  aCopyToClipboardAsText = MakeAction("aCopyToClipboardAsText", "Copy to clipboard as text",
                                      QKeySequence(Qt::CTRL | Qt::Key_C));
  aPaste = MakeAction("aPaste", "Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
  aAbout = MakeAction("aAbout", "About", QKeySequence(Qt::Key_F12));
  aExit = MakeAction("aExit", "Exit", QKeySequence(Qt::CTRL | Qt::Key_Q));
  aGameMenu = MakeAction("aGameMenu", "Game...", QKeySequence(Qt::Key_F10));
  aCheat = MakeAction("aCheat", "Cheat", {});
  // The developer commands rewrite every slot's puzzle without asking, so
  // their keys exist only when the program was started for diagnosis.
  aAsText = MakeAction("aAsText", "Clues as text",
                       diagnostics ? QKeySequence(Qt::Key_F5) : QKeySequence());
  aDebug = MakeAction("aDebug", "Export puzzles",
                      diagnostics ? QKeySequence(Qt::CTRL | Qt::Key_D) : QKeySequence());
  aHint = MakeAction("aHint", "Hint", QKeySequence(Qt::Key_H));
  aStatistics = MakeAction("aStatistics", "Statistics", QKeySequence(Qt::Key_F6));
  aCheat->setVisible(false);
  aOpenPuzzle = MakeAction("aOpenPuzzle", "Open puzzle...", QKeySequence(Qt::CTRL | Qt::Key_O));
  aSavePuzzleAs =
      MakeAction("aSavePuzzleAs", "Save puzzle as...", QKeySequence(Qt::CTRL | Qt::Key_S));
  aDesign = MakeAction("aDesign", "Design a puzzle...", QKeySequence(Qt::CTRL | Qt::Key_E));
  aOtherSize =
      MakeAction("aOtherSize", "Other size...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
  aRemoveSize = MakeAction("aRemoveSize", "Remove this size",
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));

  FpmGame = new QMenu(window);
  FpmGame->setObjectName("pmGame");
  // The menu offers Paste only for a loadable code; the key stays ready for
  // whatever the clipboard holds next (a refused code is then explained).
  connect(FpmGame, &QMenu::aboutToHide, this, [this] { aPaste->setEnabled(true); });
}

QAction* TMainActions::MakeAction(const char* name, const QString& caption,
                                  const QKeySequence& key) {
  auto* action = new QAction(caption, FWindow);
  action->setObjectName(name);
  if (!key.isEmpty()) action->setShortcut(key);
  action->setShortcutContext(Qt::WindowShortcut);
  FWindow->addAction(action);
  return action;
}

void TMainActions::BindButton(QPushButton* button, QAction* action) {
  connect(button, &QPushButton::clicked, action, &QAction::trigger);
  DescribeShortcut(button, action);
  connect(action, &QAction::changed, button, [button, action] {
    button->setEnabled(action->isEnabled());
    button->setText(action->text());
    button->setToolTip(ToolTipWithKeys(action->text(), {action}));
    DescribeShortcut(button, action);
  });
}

void TMainActions::ApplyTexts() {
  const std::pair<QAction*, TTextName> texts[] = {
      {aUndo, ttnUndo},
      {aRedo, ttnRedo},
      {aSettings, ttnSettings},
      {aCheck, ttnCheck},
      {aStartOver, ttnStartOver},
      {aCopyToClipboardAsImage, ttnCopyAsImage},
      {aCopyToClipboardAsText, ttnCopyAsText},
      {aPaste, ttnPaste},
      {aAbout, ttnAbout},
      {aNew, ttnNew},
      {aExit, ttnExit},
      {aNewEasy, ttnNewEasy},
      {aNewMedium, ttnNewMedium},
      {aNewNormal, ttnNewNormal},
      {aHint, ttnHint},
      {aOpenPuzzle, ttnOpenPuzzle},
      {aSavePuzzleAs, ttnSavePuzzleAs},
      {aDesign, ttnDesignPuzzle},
      {aOtherSize, ttnOtherSize},
      {aRemoveSize, ttnRemoveSize},
      {aStatistics, ttnStatistics},
  };
  for (const auto& [action, name] : texts) action->setText(QString::fromStdString(TextFor(name)));
  FpmGame->setWindowTitle(QString::fromStdString(TextFor(ttnGame1)));  // the menu's spoken name
}

void TMainActions::BuildGameMenu(const TSlotShelf& shelf, const TSlot* current,
                                 const std::function<void(QAction*)>& pick) {
  FpmGame->clear();
  // The slot items show which one is current, as radio items.
  delete FSlotItems;
  FSlotItems = new QActionGroup(FpmGame);
  // Smallest first, whatever order the slots were made or restored in.
  std::vector<TSlot*> ordered(shelf.Items().begin(), shelf.Items().end());
  std::stable_sort(ordered.begin(), ordered.end(), [](const TSlot* a, const TSlot* b) {
    const auto size = [](const TSlot* g) {
      const TNonoGame& p = g->Puzzle();
      return std::pair{p.Width() * p.Height(), p.Width()};
    };
    return size(a) < size(b);
  });
  for (TSlot* game : ordered) {
    QAction* item = FpmGame->addAction(QString::fromStdString(game->Name()));
    item->setData(kSlotItemTag);
    item->setCheckable(true);
    item->setActionGroup(FSlotItems);
    item->setChecked(current && game->Name() == current->Name());
    connect(item, &QAction::triggered, this, [pick, item] { pick(item); });
  }
  FpmGame->addSeparator();
  FollowSlot(current);
  for (QAction* action : {aOtherSize, aRemoveSize}) FpmGame->addAction(action);
  FpmGame->addSeparator();
  for (QAction* action : {aNewEasy, aNewMedium, aNewNormal}) FpmGame->addAction(action);
  FpmGame->addSeparator();
  for (QAction* action : {aOpenPuzzle, aSavePuzzleAs, aDesign}) FpmGame->addAction(action);
  // The commands without a key of their own, so the keyboard reaches them.
  FpmGame->addSeparator();
  for (QAction* action : {aStartOver, aHint}) FpmGame->addAction(action);
  for (QAction* action : {aCopyToClipboardAsImage, aCopyToClipboardAsText, aPaste, aStatistics,
                          aSettings, aAbout, aExit}) {
    FpmGame->addSeparator();
    action->setVisible(true);
    FpmGame->addAction(action);
  }
}

QAction* TMainActions::SlotItem(const std::string& name) const {
  for (QAction* item : FpmGame->actions())
    if (item->data().toInt() == kSlotItemTag && SlotNameOf(item->text()) == name) return item;
  return nullptr;
}

void TMainActions::SetAllEnabled(bool enabled) {
  for (QAction* a : FWindow->actions()) a->setEnabled(enabled);
}

void TMainActions::Follow(const TGameSession& session) {
  aUndo->setEnabled(session.CanUndo());
  aRedo->setEnabled(session.CanRedo());
  aCheck->setEnabled(session.CanCheck());
}

void TMainActions::FollowSlot(const TSlot* current) {
  aRemoveSize->setEnabled(current && !IsDefaultSlot(current->Name()));
}
