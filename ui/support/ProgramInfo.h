// The program's title, version texts and its maker's contact details, shown by the main
// window's status bar, its Help menu and the About window.
#pragma once

#include "ops/Shortcuts.h"

#include <QString>
#include <QUrl>

namespace hv {

// The program's title (About window, support mail subject) and its window caption.
inline constexpr char kProgramTitle[] = "Halvora 5 Administrator";
inline constexpr char kMainWindowCaption[] = "HV Admin";
// The console's reverse-domain name: its Desktop Entry is kDesktopId.desktop and its icon in
// the icon theme is named kDesktopId (packaging/ installs both under this name).
inline constexpr const char *kDesktopId = kConsoleIconName;

// The version of this build: "V1.0.1" in the status bar.
QString statusBarVersionText();
// The version as the About window shows it: "1.0 Build 1".
QString aboutVersionText();

// The maker's contact block and addresses. Every web address of the program lies under
// kMakerWebSite.
inline constexpr char kMakerWebSite[] = "https://www.corvasse.example";
inline constexpr char kMakerSupportEmail[] = "support@corvasse.example";

// The maker's name, postal address, telephone and fax lines, one per line.
QString makerContactLines();

// The pages the Help menu opens.
enum class MakerPage { Products, Training, Tips, Home };
QUrl makerPageUrl(MakerPage page);

// The support mail the About window starts: mailto:<address>?Subject=<title>&Body=
QUrl supportMailUrl();

} // namespace hv
