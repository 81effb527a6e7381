// The control information the packer writes for a product.
#pragma once

#include <string>
#include <vector>

#include "packer/product/product.h"

namespace tidemark {

// The lines between the two markers, in the installer's customary order:
// [Settings], Splash, Icon, Filecount, Filebytes, ExeName, ExeShortcut, the
// shortcut pairs, TargetFolder, AppName, AppCompany, the uninstall entry's keys (unless
// UninstallEntry=plain), InfoAbout, InfoInstall,
// the packer's record of the code page, [Files], f1 ... fN. Vendor keys
// appear only when the description sets them.
std::vector<std::string> BuildControlLines(const Product& product);

// What follows the start marker up to the first item: CR LF, each line with
// CR LF, the end marker and CR LF.
std::string ControlText(const std::vector<std::string>& lines);

}  // namespace tidemark
