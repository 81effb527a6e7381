// Names of the installer window's controls (btnShowLicense, tabIntro,
// Panel1, ...) and their identifiers. The table is generated at configure
// time from resources/control_ids.h, so it always matches the window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tidemark::e2e {

// The identifier of the control with this name; letter case does not count.
std::optional<int> ControlIdByName(std::string_view name);

// The name of the control with this identifier, or "#<id>" when unknown.
std::string ControlName(int id);

// Whether the identifier belongs to one of the wizard's pages.
bool IsPageId(int id);

}  // namespace tidemark::e2e
