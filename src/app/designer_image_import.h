// TDesignerImageImport: a picture for the designer from an image file or
// from an image on the clipboard, through the dialog that turns an image
// into cells (TfrmImagePicture). The picture becomes a new board of the
// designer; an image that cannot be used is explained to the player.
#pragma once

#include <string>

class QImage;
class QWidget;
class TDesignerBoard;

class TDesignerImageImport {
 public:
  // window is the parent of the dialogs; board (not owned) outlives this.
  TDesignerImageImport(QWidget* window, TDesignerBoard& board) : FWindow(window), FBoard(board) {}

  void FromImageAsked();
  void FromImageFile(const std::string& path);
  void PasteImage();

 private:
  void TakeImage(const QImage& image);

  QWidget* FWindow;
  TDesignerBoard& FBoard;
};
