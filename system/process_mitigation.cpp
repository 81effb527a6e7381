#include "system/process_mitigation.h"

#include <windows.h>

namespace tidemark {

void EnableRedirectionTrust() {
  using SetProcessMitigationPolicyFn = BOOL(WINAPI*)(PROCESS_MITIGATION_POLICY, PVOID, SIZE_T);
  // Found at run time: a direct import would keep systems without it from
  // starting the installer at all.
  const auto set_policy = reinterpret_cast<SetProcessMitigationPolicyFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetProcessMitigationPolicy")));
  if (set_policy == nullptr) return;
  PROCESS_MITIGATION_REDIRECTION_TRUST_POLICY policy{};
  policy.EnforceRedirectionTrust = 1;
  // On purpose: the result is not looked at; systems that know the call but
  // not this policy refuse it, and the installer runs as before.
  set_policy(ProcessRedirectionTrustPolicy, &policy, sizeof(policy));
}

}  // namespace tidemark
