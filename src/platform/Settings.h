// The object directory: where the simulation keeps its database files. Only the file-open
// dialog for a missing file starts there; the files themselves are looked up in the working
// directory.
//
// Looked up, first found wins:
//   1. the environment variable TABLON_OBJECT_DIR;
//   2. the per-user settings file $XDG_CONFIG_HOME/tablon/tablon.conf (~/.config/... when
//      XDG_CONFIG_HOME is unset);
//   3. the machine-wide settings file /etc/xdg/tablon/tablon.conf (each directory of
//      $XDG_CONFIG_DIRS in turn when that is set).
// A settings file holds lines "key=value"; the key is objectDir, under the section
// [Software\Stonegate\Vantor\4.0] or outside any section.
#pragma once

#include <optional>
#include <string>

namespace tablon {

constexpr const char* kObjectDirEnv = "TABLON_OBJECT_DIR";
constexpr const char* kObjectDirKey = "objectDir";
constexpr const char* kObjectDirSection = "Software\\Stonegate\\Vantor\\4.0";

// Reads objectDir from one settings file; nothing when the file or key is absent.
std::optional<std::string> ReadObjectDirFrom(const std::string& settingsPath);

// The object directory by the precedence above; at most 1023 characters are kept.
std::optional<std::string> ObjectDirectory();

}  // namespace tablon
