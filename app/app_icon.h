#pragma once

#include <QIcon>

// The program's own icon, a pigeon under the fork of a pedigree chart, at 16 to 256 pixels. It
// comes from the program's resources, so it shows without an icon theme and uninstalled; every
// window uses it (set it once on the application).
QIcon applicationIcon();

// The pixel sizes the icon is drawn at, smallest first.
inline constexpr int applicationIconSizes[] = { 16, 32, 48, 64, 128, 256 };
