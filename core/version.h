#pragma once

// The program's one version and its addresses, set in CMakeLists.txt and nowhere else:
// project(VERSION ...) gives the version that the About window's rights line, the
// Windows file version, the installer, the package's name and the console program's
// --version show; the addresses are those the About window opens.

#include <QString>

namespace core {

// "1.0.0": major, minor and patch.
QString ProgramVersion();

// Empty where none is configured.
struct ProgramAddresses {
    QString website; // https://...
    QString download; // the page "更新" opens
    QString email;
};
const ProgramAddresses& ConfiguredAddresses();

// Shipped beside the program: the license texts of what the package carries.
inline constexpr char16_t NoticesFileName[] = u"THIRD-PARTY-NOTICES.txt";

} // namespace core
