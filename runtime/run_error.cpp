#include "runtime/run_error.h"

namespace sho {

RunError::RunError(ErrorKind kind, ErrorPlace place, const std::string& message)
    : std::runtime_error(message), kind_(kind), place_(std::move(place)) {}

int RunError::entry() const noexcept {
  const auto* at_entry = std::get_if<EntryPlace>(&place_);
  return at_entry ? at_entry->index : -1;
}

const char* KindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::kTypeMismatch:
      return "Type mismatch";
    case ErrorKind::kFileError:
      return "File error";
    case ErrorKind::kOverflow:
      return "Overflow";
  }
  return "Error";
}

std::string PlaceText(const ErrorPlace& place) {
  struct Visitor {
    std::string operator()(const EntryPlace& p) const { return "entry \"" + p.caption + "\""; }
    std::string operator()(const FilePlace& p) const { return p.path; }
    std::string operator()(const StepPlace& p) const { return "step " + std::to_string(p.step); }
  };
  return std::visit(Visitor{}, place);
}

}  // namespace sho
