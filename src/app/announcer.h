// TAnnouncer: the main window's news for assistive technology. What the
// window shows only as a picture or an animation (the celebration, Check's
// flash and shake, the end of a Nightmare game), in passing (the hint's
// sentence) or on the board (a cell's new state, a line completed) is handed
// to Announce, and a screen reader speaks it without moving the focus.
//
// The line is an accessible notification whose name is the last news; each
// piece of news shows it anew (a "showing" state change), also when the text
// repeats, and Orca speaks a notification that shows. A name change would not
// do: screen readers speak those only for the focused object. Clear empties
// the line silently, once the news no longer applies (another puzzle).
//
// The line is a 1 x 1 pixel widget that draws nothing: sighted players see
// the same news on the board.
#pragma once

#include <QString>
#include <QWidget>

class TAnnouncer : public QWidget {
  Q_OBJECT

 public:
  explicit TAnnouncer(QWidget* parent);

  void Announce(const QString& text);
  void Clear() { FText.clear(); }
  const QString& LastAnnouncement() const { return FText; }

 private:
  QString FText;
};

// Registers the line's accessibility once per process.
void InstallAnnouncerAccessible();
