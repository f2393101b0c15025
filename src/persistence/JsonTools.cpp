#include "persistence/JsonTools.h"

#include <charconv>
#include <cmath>
#include <utility>

#include "util/utf8.h"

namespace {

enum class TTokenKind {
  End,
  ObjectOpen,
  ObjectClose,
  ArrayOpen,
  ArrayClose,
  Colon,
  Comma,
  Null,
  False,
  True,
  String,
  Number,
  Invalid,
};

struct TToken {
  TTokenKind Kind = TTokenKind::End;
  std::string_view Text;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Splits JSON text into tokens, one per call. Every character from 1 to 32
// counts as white space; anything the grammar does not know is an Invalid
// token, which the parser turns into an error.
class TTokenizer {
 public:
  explicit TTokenizer(std::string_view text) : FText(text) {}

  TToken Next() {
    while (FPos < FText.size() && FText[FPos] >= 1 && FText[FPos] <= 32) ++FPos;
    if (FPos >= FText.size()) return {TTokenKind::End, {}};
    const std::size_t start = FPos;
    switch (FText[FPos]) {
      case '{':
        return Single(TTokenKind::ObjectOpen);
      case '}':
        return Single(TTokenKind::ObjectClose);
      case '[':
        return Single(TTokenKind::ArrayOpen);
      case ']':
        return Single(TTokenKind::ArrayClose);
      case ':':
        return Single(TTokenKind::Colon);
      case ',':
        return Single(TTokenKind::Comma);
      case '"':
        return StringToken(start);
      default:
        break;
    }
    const std::string_view rest = FText.substr(FPos);
    // The character after a keyword is not examined.
    if (rest.starts_with("null")) return Keyword(TTokenKind::Null, 4);
    if (rest.starts_with("false")) return Keyword(TTokenKind::False, 5);
    if (rest.starts_with("true")) return Keyword(TTokenKind::True, 4);
    if (FText[FPos] == '-' || IsDigit(FText[FPos])) return NumberToken(start);
    ++FPos;
    return {TTokenKind::Invalid, FText.substr(start, 1)};
  }

 private:
  TToken Single(TTokenKind kind) { return {kind, FText.substr(FPos++, 1)}; }

  TToken Keyword(TTokenKind kind, std::size_t length) {
    const TToken token{kind, FText.substr(FPos, length)};
    FPos += length;
    return token;
  }

  TToken StringToken(std::size_t start) {
    std::size_t i = start + 1;
    while (i < FText.size()) {
      const char c = FText[i];
      if (c == '"') {
        FPos = i + 1;
        return {TTokenKind::String, FText.substr(start, FPos - start)};
      }
      if (c == '\0' || c == '\n' || c == '\r') break;
      if (c == '\\') {
        if (i + 1 >= FText.size()) break;
        const auto escaped = static_cast<unsigned char>(FText[i + 1]);
        if (escaped < 32) break;
        if (escaped == 'u') {
          if (i + 6 > FText.size()) break;
          bool hex = true;
          for (std::size_t k = i + 2; k < i + 6; ++k) hex = hex && HexDigit(FText[k]) >= 0;
          if (!hex) break;
          i += 6;
        } else {
          i += 2;
        }
        continue;
      }
      ++i;
    }
    FPos = FText.size();
    return {TTokenKind::Invalid, FText.substr(start)};
  }

  TToken NumberToken(std::size_t start) {
    std::size_t i = start;
    const auto digits = [&] {
      const std::size_t from = i;
      while (i < FText.size() && IsDigit(FText[i])) ++i;
      return i > from;
    };
    if (FText[i] == '-') ++i;
    bool valid = digits();
    if (valid && i < FText.size() && FText[i] == '.') {
      ++i;
      valid = digits();
    }
    if (valid && i < FText.size() && (FText[i] == 'e' || FText[i] == 'E')) {
      ++i;
      if (i < FText.size() && (FText[i] == '+' || FText[i] == '-')) ++i;
      valid = digits();
    }
    FPos = i;
    return {valid ? TTokenKind::Number : TTokenKind::Invalid, FText.substr(start, i - start)};
  }

  std::string_view FText;
  std::size_t FPos = 0;
};

// A member name from its string token (already checked by the tokenizer).
std::string DecodeName(std::string_view token) {
  return TJsonNode::UnescapeString(token.substr(1, token.size() - 2));
}

bool ScalarKind(TTokenKind token, TJsonNodeKind& kind) {
  switch (token) {
    case TTokenKind::Null:
      kind = nkNull;
      return true;
    case TTokenKind::False:
    case TTokenKind::True:
      kind = nkBool;
      return true;
    case TTokenKind::String:
      kind = nkString;
      return true;
    case TTokenKind::Number:
      kind = nkNumber;
      return true;
    default:
      return false;
  }
}

// Decimal text of an array index; false for anything else.
bool IndexOf(std::string_view text, std::size_t& index) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
  return error == std::errc() && end == text.data() + text.size();
}

std::string NumberText(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

char Closer(TJsonNodeKind kind) {
  return kind == nkObject ? '}' : ']';
}

[[noreturn]] void Fail() {
  throw EJsonException(kJsonParseError);
}

}  // namespace

TJsonNode::~TJsonNode() {
  Clear();
}

// Frees the children without recursion: deep trees must not exhaust the stack.
void TJsonNode::Clear() {
  std::vector<std::unique_ptr<TJsonNode>> pending = std::move(FList);
  FList.clear();
  while (!pending.empty()) {
    std::unique_ptr<TJsonNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->FList) pending.push_back(std::move(child));
    node->FList.clear();
  }
  FKind = nkObject;
  FValue.clear();
  FStack = 0;
}

TJsonNode* TJsonNode::Add(const std::string& name, const std::string& value) {
  return AddNode(name, nkString, EncodeString(value));
}

TJsonNode* TJsonNode::Add(const std::string& name, const char* value) {
  return Add(name, std::string(value));
}

TJsonNode* TJsonNode::Add(const std::string& name, double value) {
  if (!std::isfinite(value)) return AddNode(name, nkNull, "null");
  return AddNode(name, nkNumber, NumberText(value));
}

TJsonNode* TJsonNode::AddNode(const std::string& name, TJsonNodeKind kind, std::string value) {
  if (!IsContainer()) {
    FKind = name.empty() ? nkArray : nkObject;
    FValue.clear();
  }
  if (TJsonNode* existing = ChildByName(name)) {
    existing->Clear();
    existing->FKind = kind;
    existing->FValue = std::move(value);
    return existing;
  }
  auto node = std::make_unique<TJsonNode>();
  node->FParent = this;
  node->FName = FKind == nkArray ? std::to_string(FList.size()) : name;
  node->FKind = kind;
  node->FValue = std::move(value);
  FList.push_back(std::move(node));
  return FList.back().get();
}

TJsonNode* TJsonNode::ChildByName(std::string_view name) const {
  if (FKind == nkObject) {
    for (const auto& child : FList)
      if (child->FName == name) return child.get();
  } else if (FKind == nkArray) {
    std::size_t index = 0;
    if (IndexOf(name, index) && index < FList.size()) return FList[index].get();
  }
  return nullptr;
}

void TJsonNode::Parse(std::string_view json) {
  Clear();
  try {
    ParseText(json);
  } catch (...) {
    Clear();
    throw;
  }
}

// An explicit stack of open containers stands in for recursion, so the
// nesting limit is the only bound on how deep a text may go.
void TJsonNode::ParseText(std::string_view json) {
  TTokenizer tokens(json);
  struct TFrame {
    TJsonNode* Node;
    bool AfterValue;
  };
  std::vector<TFrame> open;
  const auto enter = [&](TJsonNode* node, TTokenKind bracket) {
    if (open.size() >= static_cast<std::size_t>(kJsonMaxNesting)) Fail();
    node->FKind = bracket == TTokenKind::ObjectOpen ? nkObject : nkArray;
    open.push_back({node, false});
    FStack = static_cast<std::int32_t>(open.size());
  };
  const auto isContainerStart = [](TTokenKind kind) {
    return kind == TTokenKind::ObjectOpen || kind == TTokenKind::ArrayOpen;
  };

  TToken token = tokens.Next();
  if (isContainerStart(token.Kind)) {
    enter(this, token.Kind);
  } else {
    if (FParent == nullptr) throw EJsonException(kJsonRootError);
    if (!ScalarKind(token.Kind, FKind)) Fail();
    FValue = token.Text;
  }

  while (!open.empty()) {
    TFrame& frame = open.back();
    TJsonNode* const holder = frame.Node;
    const TTokenKind closer =
        holder->FKind == nkObject ? TTokenKind::ObjectClose : TTokenKind::ArrayClose;
    token = tokens.Next();
    if (token.Kind == closer) {
      open.pop_back();
      FStack = static_cast<std::int32_t>(open.size());
      continue;
    }
    if (frame.AfterValue) {
      if (token.Kind != TTokenKind::Comma) Fail();
      frame.AfterValue = false;
      continue;
    }
    frame.AfterValue = true;
    std::string name;
    if (holder->FKind == nkObject) {
      if (token.Kind != TTokenKind::String) Fail();
      name = DecodeName(token.Text);
      if (tokens.Next().Kind != TTokenKind::Colon) Fail();
      token = tokens.Next();
    }
    if (isContainerStart(token.Kind)) {
      enter(holder->AddNode(name, nkObject, std::string()), token.Kind);
    } else {
      TJsonNodeKind kind = nkNull;
      if (!ScalarKind(token.Kind, kind)) Fail();
      holder->AddNode(name, kind, std::string(token.Text));
    }
  }
  if (tokens.Next().Kind != TTokenKind::End) Fail();
}

TJsonNode* TJsonNode::Find(std::string_view path) {
  return const_cast<TJsonNode*>(std::as_const(*this).Find(path));
}

const TJsonNode* TJsonNode::Find(std::string_view path) const {
  const TJsonNode* node = this;
  if (path.starts_with('/')) {
    while (node->FParent != nullptr) node = node->FParent;
    path.remove_prefix(1);
    if (path.empty()) return node;
  }
  if (path.empty()) return node;
  while (node != nullptr) {
    const std::size_t slash = path.find('/');
    node = node->ChildByName(path.substr(0, slash));
    if (slash == std::string_view::npos) break;
    path.remove_prefix(slash + 1);
  }
  return node;
}

std::string TJsonNode::Value() const {
  if (FKind == nkString) {
    std::string_view text = FValue;
    if (text.starts_with('"')) text.remove_prefix(1);
    if (text.ends_with('"')) text.remove_suffix(1);
    return std::string(text);
  }
  if (!IsContainer()) return FValue;

  // Written without recursion, like parsing, so any tree can be written.
  std::string out;
  const auto open = [&out](const TJsonNode* node, const std::string& indent) {
    out += indent;
    if (node->FParent != nullptr && node->FParent->FKind == nkObject) {
      out += EncodeString(node->FName);
      out += ": ";
    }
    if (!node->IsContainer()) {
      out += node->FValue;
      return false;
    }
    out += node->FKind == nkObject ? '{' : '[';
    if (node->FList.empty()) {
      out += ' ';
      out += Closer(node->FKind);
      return false;
    }
    out += '\n';
    return true;
  };
  struct TFrame {
    const TJsonNode* Node;
    std::size_t Next;
    std::string Indent;
  };
  std::vector<TFrame> stack;
  if (open(this, std::string())) stack.push_back({this, 0, std::string()});
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    if (frame.Next < frame.Node->FList.size()) {
      if (frame.Next > 0) out += ",\n";
      const TJsonNode* child = frame.Node->FList[frame.Next++].get();
      std::string indent = frame.Indent + '\t';
      if (open(child, indent)) stack.push_back({child, 0, std::move(indent)});
    } else {
      out += '\n';
      out += frame.Indent;
      out += Closer(frame.Node->FKind);
      stack.pop_back();
    }
  }
  return out;
}

std::string TJsonNode::EncodeString(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\v':
        out += "\\v";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (static_cast<unsigned char>(c) < 32) {
          out += "\\u00";
          out += kHex[(c >> 4) & 0xF];
          out += kHex[c & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

std::string TJsonNode::UnescapeString(std::string_view text) {
  const auto unitAt = [text](std::size_t pos, std::uint32_t& unit) {
    if (pos + 4 > text.size()) return false;
    unit = 0;
    for (std::size_t k = pos; k < pos + 4; ++k) {
      const int digit = HexDigit(text[k]);
      if (digit < 0) return false;
      unit = unit * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
  };
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char escaped = text[++i];
    std::uint32_t code = 0;
    switch (escaped) {
      case 'b':
        out += '\b';
        break;
      case 'f':
        out += '\f';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'v':
        out += '\v';
        break;
      case 'u':
        if (!unitAt(i + 1, code)) {
          out += "\\u";
          break;
        }
        i += 4;
        if (std::uint32_t low = 0; IsHighSurrogate(code) && i + 2 < text.size() &&
                                   text[i + 1] == '\\' && text[i + 2] == 'u' &&
                                   unitAt(i + 3, low) && IsLowSurrogate(low)) {
          code = CombineSurrogates(code, low);
          i += 6;
        } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
          code = kReplacementCharacter;
        }
        AppendUtf8(out, code);
        break;
      default:
        out += escaped;
        break;
    }
  }
  return out;
}
