// Mitigations the process turns on for itself at start.
#pragma once

namespace tidemark {

// Turns on the redirection-trust mitigation: the system then follows no
// junction or other redirection that a user without administrator rights
// made, for this process. Where the system does not offer it (older Windows,
// Wine), nothing happens; a failure passes silently.
void EnableRedirectionTrust();

}  // namespace tidemark
