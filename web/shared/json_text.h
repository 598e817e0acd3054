#pragma once

#include <string>
#include <string_view>

namespace sho {

// Writes what the bridge hands to the page's script as JSON, one object at a time: the caller
// opens it, adds members and closes it. emscripten's embind (emscripten::val) could hand objects
// across instead, but that costs more than it saves: a small program linked with the page's flags
// that hands a text, an object and a list of texts across grows from 39 KB to 97 KB with it.
class JsonWriter {
 public:
  JsonWriter& Open(std::string_view name = {});
  JsonWriter& Close();
  JsonWriter& OpenList(std::string_view name);
  JsonWriter& CloseList();

  JsonWriter& Add(std::string_view name, std::string_view text);
  JsonWriter& Add(std::string_view name, const char* text) {
    return Add(name, std::string_view(text));
  }
  JsonWriter& Add(std::string_view name, int number);
  JsonWriter& Add(std::string_view name, bool truth);
  JsonWriter& AddNull(std::string_view name);

  const std::string& Text() const { return text_; }

 private:
  // The separator before a member, and its name where it has one.
  void Member(std::string_view name);
  void AppendString(std::string_view text);

  std::string text_;
  bool first_ = true;
};

}  // namespace sho
