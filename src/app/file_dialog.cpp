#include "app/file_dialog.h"

#include <QFileDialog>
#include <QStringList>

namespace {

TFileDialogHandler& Handler() {
  static TFileDialogHandler handler;
  return handler;
}

}  // namespace

TFileDialogAnswer ShowFileDialog(QWidget* parent, const TFileDialogRequest& request) {
  if (Handler()) return Handler()(request);
  QStringList filters;
  for (const std::string& f : request.Filters) filters << QString::fromStdString(f);
  QFileDialog dialog(parent, QString::fromStdString(request.Caption));
  dialog.setNameFilters(filters);
  if (!request.SelectedFilter.empty())
    dialog.selectNameFilter(QString::fromStdString(request.SelectedFilter));
  dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.SuggestedName.empty())
    dialog.selectFile(QString::fromStdString(request.SuggestedName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return {dialog.selectedFiles().first().toStdString(), dialog.selectedNameFilter().toStdString()};
}

TFileDialogHandler SetFileDialogHandler(TFileDialogHandler handler) {
  TFileDialogHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}
