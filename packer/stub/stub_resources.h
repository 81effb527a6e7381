// The resources of a stub (a PE image without a container), read and
// replaced. Replacing rebuilds the resource section in place. The rule for
// the stub's layout, kept by its build (see cmake/StubSize.cmake): the
// resource section is the last section, or is followed only by the base
// relocation section, which nothing refers to and which is moved along.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packer/stub/resource_table.h"

namespace tidemark {

// The stub's resources. Raises Error naming `stub_name` when the stub is no
// PE image, is signed, or its layout cannot be rewritten as above.
ResourceTable ReadStubResources(const std::vector<uint8_t>& stub, const std::string& stub_name);

// The stub with its resource section replaced by `resources`: section
// sizes, the image size, the resource and relocation directories follow,
// and the PE checksum is cleared. The same checks as ReadStubResources.
std::vector<uint8_t> ReplaceStubResources(const std::vector<uint8_t>& stub,
                                          const std::string& stub_name,
                                          const ResourceTable& resources);

}  // namespace tidemark
