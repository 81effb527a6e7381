#include "packer/stub/stub_dressing.h"

#include "container/certificate_table.h"
#include "container/errors.h"
#include "packer/stub/icon_resources.h"
#include "packer/stub/stub_resources.h"

namespace tidemark {

std::vector<uint8_t> DressStub(std::vector<uint8_t> stub, const std::string& stub_name,
                               const SetupLook& look) {
  if (FindCertificateTable(stub.data(), stub.size())) {
    throw Error("stub \"" + stub_name +
                "\" is signed: sign the installer after packing, never the bare stub");
  }
  if (look.empty()) return stub;
  ResourceTable resources = ReadStubResources(stub, stub_name);
  if (!look.icon_path.empty()) ReplaceIcon(resources, look.icon, look.icon_path);
  if (look.version) ReplaceVersion(resources, BuildVersionResource(*look.version));
  return ReplaceStubResources(stub, stub_name, resources);
}

}  // namespace tidemark
