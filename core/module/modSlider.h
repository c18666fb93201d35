#pragma once

#include "platform/headless/Region.h"

#include <QString>

// The module shared by every window: the application directory, region files and the program's end.
namespace modSlider {

// The application directory, always ending in the path separator. Set by the main window's load routine and read
// by every window's load routine to find its region file.
extern QString AppDir;

// The application directory from the directory the platform reports: a separator is appended unless it ends in one.
QString appDirFrom(const QString& reportedDirectory);

// The word database's path: the raw reported directory followed by "/db2.mdb" (so the root gives "//db2.mdb").
QString databasePathFrom(const QString& reportedDirectory);

// Reads a region file. A missing file is reported in a message box, "<path> not found!", and gives no region.
// Any other failure is raised again with the executable's name as its source, the file closed.
platform::RegionHandle LoadRegionFile(const QString& fileName);

// Unloads every loaded window, then ends the program at once.
[[noreturn]] void UnloadAllForms();

} // namespace modSlider
