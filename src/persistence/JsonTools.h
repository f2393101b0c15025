// TJsonNode: a small JSON document model. A tree of nodes is built by adding
// named members, written out as tab-indented JSON text, parsed back from JSON
// text and searched by a "/"-separated path.
//
// Scalars keep their JSON text as it stands: a string is stored quoted and
// escaped, a number as its digits, a Boolean as "true"/"false", null as
// "null". Nothing is converted, so a stored game reads back byte for byte.
// Texts are UTF-8; a "\u" escape in a member name is decoded to UTF-8.
//
// The writer's layout is fixed: children one per line, each indented by one
// more tab than its container, separated by ",\n"; an empty container is
// written as "{ }" or "[ ]"; no line feed after the closing bracket.
//
// Parsing accepts at most 1000 nested containers and never recurses, so a
// hostile text cannot exhaust the stack; the same holds for writing and for
// destroying a tree. A failed parse leaves the node empty and throws
// EJsonException.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

enum TJsonNodeKind : std::uint8_t {
  nkObject = 0,
  nkArray = 1,
  nkBool = 2,
  nkNull = 3,
  nkNumber = 4,
  nkString = 5,
};

class EJsonException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kJsonParseError = "Error while parsing text";
inline constexpr const char* kJsonRootError = "Root node must be an array or object";

// Deepest nesting of objects and arrays that Parse accepts.
inline constexpr int kJsonMaxNesting = 1000;

class TJsonNode {
 public:
  TJsonNode() = default;
  ~TJsonNode();
  TJsonNode(const TJsonNode&) = delete;
  TJsonNode& operator=(const TJsonNode&) = delete;

  // Adds a string or number member. On a node that is not a container the
  // node first becomes an object (non-empty name) or an array (empty name).
  // An existing member of that name (in an array: the child at that index)
  // is reused in place: its kind and value are replaced, its position stays.
  // A number that is not finite is stored as null, so the text stays JSON.
  TJsonNode* Add(const std::string& name, const std::string& value);
  TJsonNode* Add(const std::string& name, const char* value);
  TJsonNode* Add(const std::string& name, double value);
  TJsonNode* Add(const std::string& name, int value) {
    return Add(name, static_cast<double>(value));
  }

  // Clears the node and rebuilds it from the text. A node without a parent
  // must be an object or an array; a child node may also be a single scalar.
  void Parse(std::string_view json);

  // "/" alone is the root; a leading "/" starts at the root, otherwise at
  // this node. Each part selects an object member by exact name or an array
  // child by decimal index. Answers nullptr when a part selects nothing.
  TJsonNode* Find(std::string_view path);
  const TJsonNode* Find(std::string_view path) const;

  // Containers: the indented JSON text. Strings: the stored text without its
  // surrounding quotes, escapes left as they are. Other scalars: the stored text.
  std::string Value() const;

  TJsonNodeKind Kind() const { return FKind; }
  const std::string& Name() const { return FName; }
  TJsonNode* Parent() const { return FParent; }
  std::size_t Count() const { return FList.size(); }
  TJsonNode* Child(std::size_t index) const { return FList[index].get(); }

  // A string in JSON form: quoted, with '"', '\\' and control characters escaped.
  static std::string EncodeString(std::string_view text);
  // The reverse for the text between the quotes: escapes undone, "\u"
  // escapes as UTF-8 with surrogate pairs combined and a lone surrogate as
  // U+FFFD. A malformed escape is kept as it stands.
  static std::string UnescapeString(std::string_view text);

 private:
  TJsonNode* AddNode(const std::string& name, TJsonNodeKind kind, std::string value);
  TJsonNode* ChildByName(std::string_view name) const;
  void Clear();
  void ParseText(std::string_view json);
  bool IsContainer() const { return FKind == nkObject || FKind == nkArray; }

  std::int32_t FStack = 0;
  TJsonNode* FParent = nullptr;
  std::string FName;
  TJsonNodeKind FKind = nkObject;
  std::string FValue;
  std::vector<std::unique_ptr<TJsonNode>> FList;
};
