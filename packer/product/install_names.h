// Names as the installer uses them below the install folder: byte strings
// in its code page, "\" between parts, matched by Windows regardless of the
// case of ASCII letters. A "\" or letter that is the second byte of a
// double-byte character is part of that character.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "packer/product/product_files.h"
#include "rules/path_rules.h"

namespace tidemark {

// `text` in double quotes, for messages.
std::string Quoted(const std::string& text);

// Whether `text` holds a byte below 0x20, which the installer drops.
bool HasControlCharacter(const std::string& text);

// `text` with ASCII letters folded to lower case, as Windows matches names.
std::string FoldCase(std::string text, LeadBytePredicate is_lead_byte);

// The "\"-separated parts of a name.
std::vector<std::string> SplitParts(const std::string& name, LeadBytePredicate is_lead_byte);

// The folders that hold the files, each as a folded name below the install folder.
std::set<std::string> FoldersOf(const std::vector<ProductFile>& files,
                                LeadBytePredicate is_lead_byte);

// Why a file name cannot be installed below the install folder as it
// stands; empty when it can. Applied by build to the product's files and by
// verify and extract to the file lines of an installer, with the number of
// the code page the names are in.
std::string FileNameFault(const std::string& name, LeadBytePredicate is_lead_byte,
                          int code_page = kAnyCodePage);

}  // namespace tidemark
