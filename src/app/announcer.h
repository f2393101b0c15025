// TAnnouncer: the main window's spoken status line. What the window shows
// only as a picture or an animation (the celebration, Check's flash and
// shake, the end of a Nightmare game) or in passing (the hint's sentence) is
// handed to Announce, and assistive technology hears it: the line is an
// accessible status bar whose name is the last announcement, and each
// announcement sends a name change, also when the text repeats.
//
// The line is a 1 x 1 pixel widget that draws nothing: sighted players see
// the same news on the board, while a screen reader finds the line visible
// and reads it.
#pragma once

#include <QString>
#include <QWidget>

class TAnnouncer : public QWidget {
  Q_OBJECT

 public:
  explicit TAnnouncer(QWidget* parent);

  void Announce(const QString& text);
  const QString& LastAnnouncement() const { return FText; }

 private:
  QString FText;
};

// Registers the line's accessibility once per process.
void InstallAnnouncerAccessible();
