#include "packer/product/key_hints.h"

#include <algorithm>

#include "container/control_info.h"

namespace tidemark {
namespace {

// Keys that name a thing the product file calls otherwise.
struct Synonym {
  const char* key;
  const char* hint;
};
constexpr Synonym kSynonyms[] = {
    {"Version",
     "AppVersion (the uninstall entry's version) or SetupVersion (the installer's version "
     "information)"},
    {"DisplayVersion", "AppVersion (the uninstall entry's version)"},
    {"ProductVersion", "SetupVersion (the installer's version information)"},
    {"FileVersion", "SetupVersion (the installer's version information)"},
    {"Company", "AppCompany (the line under the window's title) or SetupCompanyName"},
    {"CompanyName",
     "AppCompany (the line under the window's title), AppPublisher (the uninstall entry's "
     "publisher) or SetupCompanyName (the installer's version information)"},
    {"Publisher", "AppPublisher (the uninstall entry's publisher)"},
    {"ProductName",
     "AppName (the product's name) or SetupProductName (the installer's "
     "version information)"},
    {"FileDescription", "SetupDescription (the installer's version information)"},
    {"Description", "SetupDescription (the installer's version information)"},
    {"Copyright", "SetupCopyright (the installer's version information)"},
    {"LegalCopyright", "SetupCopyright (the installer's version information)"},
    {"SetupIcon", "SetupIconFile (the installer's file icon, a .ico file)"},
    {"ShortcutName", "ShortcutName1, ShortcutName2, ... (numbered from 1)"},
    {"ShortcutPath", "ShortcutPath1, ShortcutPath2, ... (numbered from 1)"},
};

constexpr size_t kMaxSlips = 2;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Letters to change, add or drop to turn `a` into `b`, letter case aside.
size_t Distance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min(
          {row[j] + 1, row[j - 1] + 1, diagonal + (Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string KeyHint(std::string_view key, const std::vector<std::string>& known) {
  for (const Synonym& synonym : kSynonyms) {
    if (KeyNamesEqual(key, synonym.key)) return std::string("; did you mean ") + synonym.hint + "?";
  }
  // On purpose: short keys are left alone, where two letters make another word.
  if (key.size() <= 2 * kMaxSlips) return {};
  const std::string* nearest = nullptr;
  size_t nearest_distance = kMaxSlips + 1;
  for (const std::string& candidate : known) {
    const size_t distance = Distance(key, candidate);
    if (distance < nearest_distance) {
      nearest = &candidate;
      nearest_distance = distance;
    }
  }
  return nearest ? "; did you mean " + *nearest + "?" : std::string();
}

}  // namespace tidemark
