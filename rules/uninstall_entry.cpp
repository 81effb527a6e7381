#include "rules/uninstall_entry.h"

#include "container/control_keys.h"
#include "rules/installed_files.h"
#include "rules/path_rules.h"

namespace tidemark {
namespace {

std::string Quoted(std::string_view text) { return '"' + std::string(text) + '"'; }

// The leading decimal digits of `text`; none when there are none or they
// do not fit 32 bits.
std::optional<uint32_t> LeadingNumber(std::string_view text) {
  uint64_t number = 0;
  size_t digits = 0;
  for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
    number = number * 10 + static_cast<uint64_t>(text[digits] - '0');
    if (number > UINT32_MAX) return std::nullopt;
  }
  if (digits == 0) return std::nullopt;
  return static_cast<uint32_t>(number);
}

}  // namespace

std::vector<EntryValue> PlanUninstallDetails(const ControlInfo& control_info,
                                             std::string_view install_folder,
                                             std::string_view install_date) {
  std::vector<EntryValue> values;
  const auto text = [&](const char* name, std::string value) {
    if (!value.empty()) values.push_back({name, std::move(value), std::nullopt});
  };
  const auto number = [&](const char* name, std::optional<uint32_t> value) {
    if (value) values.push_back({name, std::string(), value});
  };
  const std::string version = control_info.Value(keys::kAppVersion);
  text("DisplayVersion", version);
  text("Publisher", control_info.Value(keys::kAppPublisher));
  const std::string icon_file = control_info.Value(keys::kAppIconFile);
  if (!icon_file.empty()) text("DisplayIcon", IconReference(JoinPath(install_folder, icon_file)));
  number("EstimatedSize", LeadingNumber(control_info.Value(keys::kAppSize)));
  if (KeyNamesEqual(control_info.Value(keys::kUninstallEntry), keys::kUninstallEntryFull)) {
    text("InstallLocation", std::string(install_folder));
    text("InstallDate", std::string(install_date));
    text("QuietUninstallString", QuietUninstallCommand(install_folder));
    number("NoModify", 1);
    number("NoRepair", 1);
  }
  text("URLInfoAbout", control_info.Value(keys::kAppAboutUrl));
  text("HelpLink", control_info.Value(keys::kAppHelpUrl));
  number("VersionMajor", VersionPart(version, 0));
  number("VersionMinor", VersionPart(version, 1));
  return values;
}

std::string InstallDateText(int year, int month, int day) {
  std::string text(8, '0');
  for (int i = 3; i >= 0; --i, year /= 10) text[i] = static_cast<char>('0' + year % 10);
  for (int i = 5; i >= 4; --i, month /= 10) text[i] = static_cast<char>('0' + month % 10);
  for (int i = 7; i >= 6; --i, day /= 10) text[i] = static_cast<char>('0' + day % 10);
  return text;
}

std::optional<uint32_t> VersionPart(std::string_view version, int index) {
  for (; index > 0; --index) {
    const size_t dot = version.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    version.remove_prefix(dot + 1);
  }
  return LeadingNumber(version);
}

std::string QuietUninstallCommand(std::string_view install_folder) {
  return Quoted(UninstallerPathIn(install_folder)) + " /S";
}

std::string IconReference(std::string_view path) { return Quoted(path) + ",0"; }

}  // namespace tidemark
