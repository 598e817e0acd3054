#include "web/shared/json_text.h"

namespace sho {

void JsonWriter::Member(std::string_view name) {
  if (!first_) text_ += ',';
  first_ = false;
  if (!name.empty()) {
    AppendString(name);
    text_ += ':';
  }
}

void JsonWriter::AppendString(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  text_ += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text_ += '\\';
      text_ += c;
    } else if (byte < 0x20) {  // CR LF of the instructions, and any other control character
      text_ += "\\u00";
      text_ += kHex[byte >> 4];
      text_ += kHex[byte & 0xF];
    } else {
      text_ += c;  // UTF-8 passes as it is
    }
  }
  text_ += '"';
}

JsonWriter& JsonWriter::Open(std::string_view name) {
  Member(name);
  text_ += '{';
  first_ = true;
  return *this;
}

JsonWriter& JsonWriter::Close() {
  text_ += '}';
  first_ = false;
  return *this;
}

JsonWriter& JsonWriter::OpenList(std::string_view name) {
  Member(name);
  text_ += '[';
  first_ = true;
  return *this;
}

JsonWriter& JsonWriter::CloseList() {
  text_ += ']';
  first_ = false;
  return *this;
}

JsonWriter& JsonWriter::Add(std::string_view name, std::string_view text) {
  Member(name);
  AppendString(text);
  return *this;
}

JsonWriter& JsonWriter::Add(std::string_view name, int number) {
  Member(name);
  text_ += std::to_string(number);
  return *this;
}

JsonWriter& JsonWriter::Add(std::string_view name, bool truth) {
  Member(name);
  text_ += truth ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::AddNull(std::string_view name) {
  Member(name);
  text_ += "null";
  return *this;
}

}  // namespace sho
