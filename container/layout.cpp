#include "container/layout.h"

namespace tidemark {
namespace {

// The pieces are reached through volatile pointers: the optimiser then cannot
// see their text and fold a join into one constant holding a whole marker.
const char* volatile marker_prefix = MarkerPrefix;
const char* volatile start_suffix = StartSuffix;
const char* volatile scrambled_suffix = ScrambledSuffix;
const char* volatile end_suffix = EndSuffix;

std::string Join(const char* prefix, const char* suffix) {
  std::string marker(prefix);
  marker += suffix;
  return marker;
}

}  // namespace

std::string StartMarker() { return Join(marker_prefix, start_suffix); }
std::string ScrambledStartMarker() { return Join(marker_prefix, scrambled_suffix); }
std::string EndMarker() { return Join(marker_prefix, end_suffix); }

}  // namespace tidemark
