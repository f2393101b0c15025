// The records in an app.ini: whatever the file holds, reading them never
// fails, and what is written reads back to the same records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "persistence/app_settings.h"
#include "persistence/records.h"

namespace {

std::string LoadAndSave(std::string_view bytes, TRecords& records) {
  TAppSettings store(std::filesystem::path("/nonexistent"), "app.ini", '=');
  store.LoadBytes(bytes);
  records.LoadFrom(store);
  // A solve counted on top, as a session would before closing.
  records.CountPlayed({"7x12", TDifficulty::Medium});
  records.CountSolved({"7x12", TDifficulty::Medium}, {65, 0, false});
  records.SaveTo(store);
  return store.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TRecords first;
  const std::string saved = LoadAndSave({reinterpret_cast<const char*>(data), size}, first);
  TAppSettings store(std::filesystem::path("/nonexistent"), "app.ini", '=');
  store.LoadBytes(saved);
  TRecords reread;
  reread.LoadFrom(store);
  if (reread.Rows() != first.Rows()) std::abort();
  return 0;
}
