#include "tests/e2e/driver/control_names.h"

#include <cctype>

#include "resources/control_ids.h"

namespace tidemark::e2e {
namespace {

struct NamedControl {
  const char* name;
  int id;
};

constexpr NamedControl kControls[] = {
#include "control_names.inc"
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<int> ControlIdByName(std::string_view name) {
  for (const NamedControl& control : kControls) {
    if (SameIgnoringCase(control.name, name)) return control.id;
  }
  return std::nullopt;
}

std::string ControlName(int id) {
  for (const NamedControl& control : kControls) {
    if (control.id == id) return control.name;
  }
  return "#" + std::to_string(id);
}

bool IsPageId(int id) { return id >= ids::kTabIntro && id <= ids::kTabUninstalled; }

}  // namespace tidemark::e2e
