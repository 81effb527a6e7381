// The names of the control information's keys, spelled as containers
// write them. Lookups compare names without regard to ASCII case, so a
// container may spell them otherwise.
#pragma once

namespace tidemark::keys {

// The head items' sizes, in the order the items follow the control
// information (container/head_items.h).
inline constexpr char kSplash[] = "Splash";
inline constexpr char kIcon[] = "Icon";
inline constexpr char kInfoAbout[] = "InfoAbout";
inline constexpr char kInfoInstall[] = "InfoInstall";

// The product.
inline constexpr char kAppName[] = "AppName";
inline constexpr char kAppCompany[] = "AppCompany";
inline constexpr char kTargetFolder[] = "TargetFolder";

// The installation.
inline constexpr char kFilecount[] = "Filecount";
inline constexpr char kFilebytes[] = "Filebytes";
inline constexpr char kExeName[] = "ExeName";
inline constexpr char kExeShortcut[] = "ExeShortcut";

// The uninstall entry beyond "DisplayName" and "UninstallString". Each is
// read only when a line gives it a value; a container without them
// registers exactly the two (rules/uninstall_entry.h).
inline constexpr char kAppVersion[] = "AppVersion";      // DisplayVersion, VersionMajor/Minor
inline constexpr char kAppPublisher[] = "AppPublisher";  // Publisher
inline constexpr char kAppIconFile[] =
    "AppIconFile";                             // DisplayIcon, relative to the install folder
inline constexpr char kAppSize[] = "AppSize";  // EstimatedSize, KiB of the installed files
inline constexpr char kAppAboutUrl[] = "AppAboutUrl";  // URLInfoAbout
inline constexpr char kAppHelpUrl[] = "AppHelpUrl";    // HelpLink
// "full": InstallLocation, InstallDate, QuietUninstallString, NoModify and
// NoRepair as well.
inline constexpr char kUninstallEntry[] = "UninstallEntry";
inline constexpr char kUninstallEntryFull[] = "full";

// Numbered keys: the prefix followed by the number in decimal, from 1 on.
inline constexpr char kShortcutNamePrefix[] = "ShortcutName";
inline constexpr char kShortcutPathPrefix[] = "ShortcutPath";
inline constexpr char kFileEntryPrefix[] = "f";

}  // namespace tidemark::keys
