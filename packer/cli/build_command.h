// `tidemark build`: packs one installer and reports what it holds.
#pragma once

#include "packer/cli/command_arguments.h"
#include "packer/cli/pack.h"

namespace tidemark {

// The build's options as its arguments give them (PackOptions' defaults for
// what they leave out, and every processor for --jobs).
PackOptions BuildOptions(const Arguments& arguments);

// Packs; warnings, notes and progress go to standard error, the summary to
// standard output, and with --quiet only the warnings.
void RunBuild(const Arguments& arguments, const CommandStreams& streams);

}  // namespace tidemark
