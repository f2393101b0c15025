// TfrmBase: the base of every window of the program. It takes the system
// font and, while FRememberBounds is set, restores its position and size from
// the settings store when shown and saves them when closed, under keys built
// from its form name.
#pragma once

#include <QWidget>
#include <string>

class TAppSettings;
struct TFormBounds;

class TfrmBase : public QWidget {
  Q_OBJECT

 public:
  TfrmBase(const std::string& formName, QWidget* parent = nullptr,
           Qt::WindowFlags flags = Qt::WindowFlags());

  const std::string& FormName() const { return FFormName; }
  void SetSettings(TAppSettings* settings) { FSettings = settings; }
  TAppSettings* Settings() const { return FSettings; }
  bool RememberBounds() const { return FRememberBounds; }
  void SetRememberBounds(bool on) { FRememberBounds = on; }

  // The bounds of the window as stored: left, top, width and height of the
  // frame's client area in screen pixels. Loaded bounds are fitted to the
  // screen first (FitToScreen), so the window shows whole, and the fitted
  // bounds are what the next save writes.
  void LoadFormBounds();
  void SaveFormBounds();
  // Fits the window to the screen again once a window manager has framed it:
  // the frame (its title bar above all) must be on the screen too.
  void KeepOnScreen();
  // Stored bounds made to fit the available area of the screen under their
  // centre (else the primary screen) less the window frame: no larger than
  // that area but at least minimum, and moved so that all of it is on the
  // screen.
  static QRect FitToScreen(const TFormBounds& bounds, QSize minimum, QMargins frame);

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  std::string FFormName;
  TAppSettings* FSettings = nullptr;  // not owned
  bool FRememberBounds = true;
  bool FBoundsLoaded = false;
};
