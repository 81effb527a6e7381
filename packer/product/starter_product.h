// `tidemark init`: a starter product that builds as it stands, for a vendor
// to fill in.
#pragma once

#include <string>

namespace tidemark {

// Writes into `folder` (new, or an empty folder): a commented product.ini,
// a splash picture of 128 x 296 and an icon of 32 x 32 pixels (the sizes the
// installer shows them at), about and licence texts, and a files folder
// holding one placeholder file, which ExeName names (an installer needs at
// least one file, and ExeName must be one of them). Raises Error naming
// what could not be written, or a folder that holds something already.
void WriteStarterProduct(const std::string& folder);

}  // namespace tidemark
