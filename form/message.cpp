#include "form/message.h"

#include <utility>

namespace sho {

Message Literal(std::string text) { return Message{nullptr, std::move(text), {}}; }

Message Translatable(const char* context, const char* text, std::vector<Message> parts) {
  return Message{context, text, std::move(parts)};
}

Message FromRunMessage(const RunMessage& message) {
  std::vector<Message> parts;
  parts.reserve(message.parts.size());
  for (const std::string& part : message.parts) parts.push_back(Literal(part));
  return Translatable("RunError", message.text, std::move(parts));
}

std::string Render(const Message& message, const Translate& translate) {
  std::vector<std::string> parts;
  parts.reserve(message.parts.size());
  for (const Message& part : message.parts) parts.push_back(Render(part, translate));
  const std::string text =
      message.context ? translate(message.context, message.text.c_str()) : message.text;
  return FillIn(text, parts);
}

}  // namespace sho
