#include "runtime/run_error.h"

namespace sho {

std::string FillIn(std::string_view text, const std::vector<std::string>& parts) {
  std::string filled;
  filled.reserve(text.size());
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] == '%' && k + 1 < text.size() && text[k + 1] >= '1' && text[k + 1] <= '9') {
      const auto part = static_cast<std::size_t>(text[k + 1] - '1');
      if (part < parts.size()) {
        filled += parts[part];
        ++k;
        continue;
      }
    }
    filled += text[k];
  }
  return filled;
}

RunError::RunError(ErrorKind kind, ErrorPlace place, const RunMessage& message)
    : std::runtime_error(FillIn(message.text, message.parts)),
      kind_(kind),
      place_(std::move(place)),
      message_(std::make_shared<const RunMessage>(message)) {}

int RunError::entry() const noexcept {
  const auto* at_entry = std::get_if<EntryPlace>(&place_);
  return at_entry ? at_entry->index : -1;
}

const char* KindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::kTypeMismatch:
      return SHO_TRANSLATE_NOOP("RunError", "Type mismatch");
    case ErrorKind::kFileError:
      return SHO_TRANSLATE_NOOP("RunError", "File error");
    case ErrorKind::kOverflow:
      return SHO_TRANSLATE_NOOP("RunError", "Overflow");
  }
  return "Error";
}

RunMessage PlaceMessage(const ErrorPlace& place) {
  struct Visitor {
    RunMessage operator()(const EntryPlace& p) const {
      return {SHO_TRANSLATE_NOOP("RunError", "entry \"%1\""), {p.caption}};
    }
    RunMessage operator()(const FilePlace& p) const { return {"%1", {p.path}}; }
    RunMessage operator()(const StepPlace& p) const {
      return {SHO_TRANSLATE_NOOP("RunError", "step %1"), {std::to_string(p.step)}};
    }
  };
  return std::visit(Visitor{}, place);
}

}  // namespace sho
