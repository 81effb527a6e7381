// The names Windows takes for devices in every folder: "NUL", "COM1",
// "aux.txt" and their kin open the device, never a file of that name.
#pragma once

#include <string_view>

#include "rules/path_rules.h"

namespace tidemark {

// Whether `component`, one part of a path without separators, names a
// device: CON, PRN, AUX, NUL, CONIN$, CONOUT$, CLOCK$, COM0 to COM9 and LPT0
// to LPT9, or COM and LPT followed by a superscript one, two or three, in
// any letter case, alone or followed by blanks and by an extension ("nul",
// "Com1.txt", "AUX .log", "lpt1.tar.gz").
//
// The superscript digits are the characters U+00B9, U+00B2 and U+00B3,
// whose bytes depend on the code page the name is read in (`code_page`, a
// Windows code page number as GetACP gives it): single bytes B9, B2 and B3
// in 1252 and most of its kin, two bytes in 949 and in UTF-8 (65001), none
// at all in 1250, 1251, 874, 932, 936 and 950. kAnyCodePage, and any number
// not known here, takes every one of those byte sequences for a superscript
// digit: it may refuse a name the system would have taken, never the other
// way round.
bool IsDeviceName(std::string_view component, LeadBytePredicate is_lead_byte = nullptr,
                  int code_page = kAnyCodePage);

}  // namespace tidemark
