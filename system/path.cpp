#include "system/path.h"

#include <windows.h>

#include "rules/path_rules.h"

namespace tidemark {

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

std::string AnsiFolderPart(const std::string& path) { return FolderPart(path, IsAnsiLeadByte); }

}  // namespace tidemark
