#include "app/file_refusal.h"

#include "platform/file_error.h"
#include "text/lang_helper.h"

namespace {

std::string Why(TReadStatus status, const std::string& systemReason) {
  if (status == TReadStatus::Missing) return TextFor(ttnNoSuchFile);
  if (status == TReadStatus::NotRegular) return TextFor(ttnFileNotRegular);
  return systemReason;
}

}  // namespace

std::string FileReadRefusal(const std::string& path, const TFileContent& file) {
  // The limit of a file to open is a puzzle's.
  const std::string reason = file.Status == TReadStatus::TooLarge ? TextFor(ttnFileTooLarge)
                                                                  : Why(file.Status, file.Reason);
  return TextFor(ttnFileUnreadable) + "\n\n" + path + "\n" + reason;
}

std::string ProblemForThePlayer(const std::exception& e) {
  if (const auto* file = dynamic_cast<const EFileAccess*>(&e))
    return file->Path().string() + "\n" + Why(file->Status(), file->Reason());
  return e.what();
}
