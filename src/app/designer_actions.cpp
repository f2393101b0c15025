#include "app/designer_actions.h"

#include <QAction>
#include <QGridLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QWidget>
#include <cstring>
#include <utility>

#include "text/lang_helper.h"

namespace {

using TTool = TDesignerBoard::TTool;

struct TCommand {
  const char* Button;
  int Row;
  int Column;
  QKeyCombination Key;
  TTextName Caption;
};

const TCommand kCommands[] = {
    {"bNewBoard", 0, 0, Qt::CTRL | Qt::Key_N, ttnDesignNewBoard},
    {"bFromPuzzle", 0, 1, Qt::CTRL | Qt::Key_G, ttnDesignFromPuzzle},
    {"bOpen", 0, 2, Qt::CTRL | Qt::Key_O, ttnOpenPuzzle},
    {"bFromImage", 0, 3, Qt::CTRL | Qt::Key_I, ttnDesignFromImage},
    {"bPasteImage", 0, 4, Qt::CTRL | Qt::SHIFT | Qt::Key_V, ttnDesignPasteImage},
    {"bSaveAs", 0, 5, Qt::CTRL | Qt::Key_S, ttnSavePuzzleAs},
    {"bUndo", 1, 0, Qt::CTRL | Qt::Key_Z, ttnUndo},
    {"bRedo", 1, 1, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, ttnRedo},
    {"bMirrorLeftRight", 1, 2, Qt::CTRL | Qt::Key_M, ttnMirrorLeftRight},
    {"bMirrorUpDown", 1, 3, Qt::CTRL | Qt::SHIFT | Qt::Key_M, ttnMirrorUpDown},
    {"bInvert", 1, 4, Qt::CTRL | Qt::SHIFT | Qt::Key_I, ttnInvertPicture},
    {"bClear", 1, 5, Qt::CTRL | Qt::Key_Delete, ttnClearPicture},
    {"bShiftLeft", 2, 0, Qt::CTRL | Qt::Key_Left, ttnShiftLeft},
    {"bShiftRight", 2, 1, Qt::CTRL | Qt::Key_Right, ttnShiftRight},
    {"bShiftUp", 2, 2, Qt::CTRL | Qt::Key_Up, ttnShiftUp},
    {"bShiftDown", 2, 3, Qt::CTRL | Qt::Key_Down, ttnShiftDown},
    {"bCopyGameId", 2, 4, Qt::CTRL | Qt::SHIFT | Qt::Key_C, ttnCopyGameId},
    {"bPlayIt", 2, 5, Qt::CTRL | Qt::Key_P, ttnPlayIt},
    {"bMakeUnique", 3, 0, Qt::CTRL | Qt::Key_U, ttnMakeUnique},
    {"bAccept", 3, 1, Qt::CTRL | Qt::Key_Return, ttnAcceptChanges},
    {"bTwoPictures", 3, 2, Qt::CTRL | Qt::Key_T, ttnShowTwoPictures},
    {"bToolPen", 3, 3, Qt::CTRL | Qt::Key_1, ttnToolPen},
    {"bToolRectangle", 3, 4, Qt::CTRL | Qt::Key_2, ttnToolRectangle},
    {"bToolFloodFill", 3, 5, Qt::CTRL | Qt::Key_3, ttnToolFloodFill},
};

const std::pair<const char*, TTool> kTools[] = {{"bToolPen", TTool::Pen},
                                                {"bToolRectangle", TTool::Rectangle},
                                                {"bToolFloodFill", TTool::FloodFill}};

QString Text(TTextName name) {
  return QString::fromStdString(TextFor(name));
}

}  // namespace

TDesignerActions::TDesignerActions(QWidget* window) : FWindow(window), FLayout(new QGridLayout) {
  for (const TCommand& command : kCommands) {
    auto* b = new QPushButton(window);
    b->setObjectName(command.Button);
    FLayout->addWidget(b, command.Row, command.Column);
    auto* action = new QAction(window);
    action->setShortcut(command.Key);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, b, [b] {
      if (b->isEnabled()) b->click();
    });
    window->addAction(action);
  }
  for (const auto& [name, tool] : kTools) {
    Button(name)->setCheckable(true);
    Button(name)->setChecked(tool == TTool::Pen);
  }
}

QPushButton* TDesignerActions::Button(const char* name) const {
  return FWindow->findChild<QPushButton*>(name, Qt::FindDirectChildrenOnly);
}

void TDesignerActions::Bind(const char* name, const std::function<void()>& command) {
  connect(Button(name), &QPushButton::clicked, this, command);
}

void TDesignerActions::BindTools(const std::function<void(TTool)>& setTool) {
  for (const auto& [name, tool] : kTools)
    connect(Button(name), &QPushButton::clicked, this, [setTool, tool] { setTool(tool); });
}

void TDesignerActions::ApplyTexts() {
  for (const TCommand& command : kCommands) {
    QPushButton* b = Button(command.Button);
    b->setText(Text(command.Caption));
    b->setToolTip(Text(command.Caption).remove("...") + " (" +
                  QKeySequence(command.Key).toString(QKeySequence::NativeText) + ")");
  }
}

void TDesignerActions::Follow(const TDesignerCommandState& state) {
  // While long work runs no command works but make-unique's Cancel.
  const bool free = !state.Busy;
  for (const TCommand& command : kCommands) Button(command.Button)->setEnabled(free);
  const bool lineSolvable =
      state.VerdictCurrent && state.Verdict == TDesignVerdictKind::LineSolvable;
  Button("bTwoPictures")
      ->setEnabled(free && state.VerdictCurrent && state.Verdict == TDesignVerdictKind::Several);
  Button("bAccept")->setEnabled(free && state.ChangesShown);
  QPushButton* makeUnique = Button("bMakeUnique");
  makeUnique->setText(state.MakingUnique ? Text(ttnCancel) : Text(ttnMakeUnique));
  makeUnique->setEnabled(state.MakingUnique || (free && !lineSolvable));
  Button("bUndo")->setEnabled(free && state.CanUndo);
  Button("bRedo")->setEnabled(free && state.CanRedo);
  Button("bFromPuzzle")->setEnabled(free && state.PuzzleInPlay);
}

void TDesignerActions::ShowTool(TTool tool) {
  for (const auto& [name, which] : kTools) Button(name)->setChecked(which == tool);
}
