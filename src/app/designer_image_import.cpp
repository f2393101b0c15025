#include "app/designer_image_import.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <vector>

#include "app/designer_board.h"
#include "app/designer_image_dialog.h"
#include "app/file_dialog.h"
#include "app/image_picture.h"
#include "app/message_box.h"
#include "text/lang_helper.h"

void TDesignerImageImport::TakeImage(const QImage& image) {
  TfrmImagePicture dialog(FWindow, image);
  if (dialog.exec() == QDialog::Accepted) FBoard.SetPicture(dialog.Picture());
}

void TDesignerImageImport::FromImageFile(const std::string& path) {
  try {
    TakeImage(ReadPictureImage(QString::fromStdString(path)));
  } catch (const EImageUnusable& e) {
    ShowMessageBox(TextFor(ttnImageUnusable) + "\n\n" + e.what(), TitleFor(ttnDesignFromImage),
                   mkError | mkOk);
  }
}

void TDesignerImageImport::FromImageAsked() {
  const std::vector<std::string> filters = {TitleFor(ttnDesignFromImage) +
                                            " (*.png *.jpg *.jpeg *.bmp *.gif *.svg)"};
  const TFileDialogAnswer answer =
      ShowFileDialog(FWindow, {false, TitleFor(ttnDesignFromImage), filters, filters[0], ""});
  if (!answer.Path.empty()) FromImageFile(answer.Path);
}

void TDesignerImageImport::PasteImage() {
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  try {
    if (!mime || !mime->hasImage()) throw EImageUnusable(TextFor(ttnReasonClipboardNoImage));
    TakeImage(CheckedPictureImage(qvariant_cast<QImage>(mime->imageData())));
  } catch (const EImageUnusable& e) {
    ShowMessageBox(TextFor(ttnImageUnusable) + "\n\n" + e.what(), TitleFor(ttnDesignPasteImage),
                   mkError | mkOk);
  }
}
