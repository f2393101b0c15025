#include "app/file_refusal.h"

#include "text/lang_helper.h"

std::string FileReadRefusal(const std::string& path, const TFileContent& file) {
  std::string reason = file.Reason;
  if (file.Status == TReadStatus::Missing) reason = TextFor(ttnNoSuchFile);
  if (file.Status == TReadStatus::NotRegular) reason = TextFor(ttnFileNotRegular);
  if (file.Status == TReadStatus::TooLarge) reason = TextFor(ttnFileTooLarge);
  return TextFor(ttnFileUnreadable) + "\n\n" + path + "\n" + reason;
}
