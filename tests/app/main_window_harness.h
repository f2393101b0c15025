// The real main window in a settings folder of its own: XDG_CONFIG_HOME points
// at a fresh temporary folder, message boxes are answered by the test, and
// helpers start, close and restart the window as a player would.
#pragma once

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/f_main.h"
#include "app/f_size.h"
#include "app/message_box.h"
#include "generation/rnd.h"
#include "model/process_flags.h"
#include "persistence/game_state.h"
#include "slots/slot.h"
#include "slots/slot_shelf.h"
#include "support/board_pictures.h"
#include "util/app_environment.h"
#include "view/frame_grid.h"
#include "view/nono_grid.h"
#include "view/paint_box.h"

namespace test_support {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavelo-window-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Folder = pattern;
    setenv("XDG_CONFIG_HOME", Folder.c_str(), 1);
    TRnd::UseSeed(7);
    SetMessageBoxHandler([this](const TMessageBoxRequest& r) {
      Boxes.push_back(r);
      if (OnBox) OnBox(r);
      return Answer;
    });
  }

  void TearDown() override {
    if (Window) CloseWindow();
    SetMessageBoxHandler({});
    std::filesystem::remove_all(Folder);
  }

  std::filesystem::path SettingsFolder() const { return GetSettingsFolder(false); }
  std::filesystem::path IniPath() const { return SettingsFolder() / "app.ini"; }

  // Creates, starts and shows the window and waits for its deferred
  // activation (the slot that was active at the last shutdown is shown).
  void StartWindow(bool diagnostics = false) {
    AppPhase = apNone;
    Window = std::make_unique<TfrmMain>(diagnostics);
    ASSERT_TRUE(Window->FormCreate());
    Window->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return AppPhase == apRunning; }, 5000));
    QApplication::processEvents();
  }

  // Closes the window as the player does; it saves everything.
  void CloseWindow() {
    Window->close();
    Window.reset();
    QApplication::processEvents();
  }

  void Restart() {
    CloseWindow();
    StartWindow();
  }

  TSlot& Current() const { return *Window->CurrentGame(); }
  TNonoGame& Puzzle() const { return Current().Puzzle(); }

  std::vector<std::string> SlotNames() const {
    std::vector<std::string> names;
    for (TSlot* g : Window->Shelf().Items()) names.push_back(g->Name());
    return names;
  }

  // The lines of app.ini as written (CR LF separated).
  std::vector<std::string> IniLines() const {
    std::ifstream in(IniPath(), std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    std::vector<std::string> lines;
    std::string text = all.str();
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t end = text.find("\r\n", start);
      lines.push_back(text.substr(start, end - start));
      if (end == std::string::npos) break;
      start = end + 2;
    }
    return lines;
  }

  static std::string KeyOf(const std::string& line) { return line.substr(0, line.find('=')); }

  void WriteIni(const std::vector<std::string>& lines) const {
    std::string bytes;
    for (const std::string& l : lines) bytes += l + "\r\n";
    WriteIniBytes(bytes);
  }

  void WriteIniBytes(const std::string& bytes) const {
    std::filesystem::create_directories(SettingsFolder());
    std::ofstream(IniPath(), std::ios::binary) << bytes;
  }

  static std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }

  // The window's action of that object name.
  QAction* Action(const char* name) const {
    QAction* action = Window->findChild<QAction*>(name);
    EXPECT_NE(action, nullptr) << name;
    return action;
  }

  // The game menu's item for a slot.
  QAction* MenuItem(const std::string& name) const {
    Window->BuildGameMenu();
    for (QAction* a : Window->pmGame()->actions())
      if (a->text().toStdString() == name) return a;
    return nullptr;
  }

  void SwitchTo(const std::string& name) {
    QAction* item = MenuItem(name);
    ASSERT_NE(item, nullptr) << name;
    item->trigger();
    QApplication::processEvents();
  }

  // Paste with that text on the clipboard.
  void Paste(const std::string& text) {
    QApplication::clipboard()->setText(QString::fromStdString(text));
    Action("aPaste")->trigger();
    QApplication::processEvents();
  }

  // Other size... with the dialog answered as a player would.
  void ChooseOtherSize(int width, int height) {
    QTimer::singleShot(0, [width, height] {
      auto* dialog = qobject_cast<TfrmSize*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->eWidth()->setValue(width);
      dialog->eHeight()->setValue(height);
      dialog->accept();
    });
    Action("aOtherSize")->trigger();
    QApplication::processEvents();
  }

  // The centre of board cell (col, row) in the board paint box.
  QPoint CellCentre(int col, int row) const {
    for (const TCellCacheRec& rec : Current().View().BoardGrid()->CellCache())
      if (rec.Col == col && rec.Row == row)
        return QPoint((rec.Rect.Left + rec.Rect.Right) / 2, (rec.Rect.Top + rec.Rect.Bottom) / 2);
    ADD_FAILURE() << "no cell " << col << "," << row;
    return {};
  }

  void SendMouse(QEvent::Type type, QPoint at, Qt::MouseButton button,
                 Qt::MouseButtons held) const {
    TPaintBox* box = Current().View().pbBoard();
    QMouseEvent e(type, QPointF(at), box->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(box, &e);
  }

  // A stroke with a button from the first cell to the last, through each.
  void Stroke(std::vector<std::pair<int, int>> cells, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(QEvent::MouseButtonPress, CellCentre(cells[0].first, cells[0].second), button,
              button);
    for (std::size_t i = 1; i < cells.size(); ++i)
      SendMouse(QEvent::MouseMove, CellCentre(cells[i].first, cells[i].second), Qt::NoButton,
                button);
    SendMouse(QEvent::MouseButtonRelease, CellCentre(cells.back().first, cells.back().second),
              button, Qt::NoButton);
    QApplication::processEvents();
  }

  // The pointer over a cell with no button held.
  void MoveTo(int col, int row) const {
    SendMouse(QEvent::MouseMove, CellCentre(col, row), Qt::NoButton, Qt::NoButton);
    QApplication::processEvents();
  }

  // Makes the player board equal to the solution (filled cells only).
  void FillSolution() const {
    TNonoGame& p = Puzzle();
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x)
        p.SetPlayerState(x, y, p.SolutionState(x, y) == psFilled ? psFilled : psEmpty);
  }

  std::string Folder;
  std::unique_ptr<TfrmMain> Window;
  std::vector<TMessageBoxRequest> Boxes;
  std::function<void(const TMessageBoxRequest&)> OnBox;
  TMessageAnswer Answer = maYes;
};

}  // namespace test_support
