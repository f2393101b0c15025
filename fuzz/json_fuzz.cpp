// Any text given to the JSON parser either parses or throws EJsonException;
// what parses is written out and must parse back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "persistence/JsonTools.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TJsonNode root;
  try {
    root.Parse(text);
  } catch (const EJsonException&) {
    if (root.Count() != 0 || root.Kind() != nkObject) std::abort();
    return 0;
  }
  const std::string written = root.Value();
  TJsonNode copy;
  copy.Parse(written);
  if (copy.Value() != written) std::abort();

  // Lookups of every first-level child by its own name and index.
  for (std::size_t i = 0; i < root.Count() && i < 64; ++i) {
    const std::string& name = root.Child(i)->Name();
    if (name.find('/') == std::string::npos && root.Find(name) == nullptr) std::abort();
    root.Find("/" + std::to_string(i) + "/0/a");
  }
  // A child may also hold a scalar.
  TJsonNode* child = root.Add("scalar", 0);
  try {
    child->Parse(text);
  } catch (const EJsonException&) {
  }
  return 0;
}
