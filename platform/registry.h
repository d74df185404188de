#pragma once
// A small settings registry in the shape the database engine's locator expects: keys such
// as "Software\Database Engine" holding named text values. It is backed by INI files:
//
//   current user:   $XDG_CONFIG_HOME/dbengine/registry.ini  (default ~/.config/dbengine/registry.ini)
//   local machine:  <dir>/dbengine/registry.ini for each dir of $XDG_CONFIG_DIRS (default /etc/xdg)
//
//   [Software\Database Engine]
//   DLLPATH=/opt/brevant/lib
//
// Section (key) and value names compare regardless of case; lines starting with '#' or ';'
// are comments. A missing or unreadable file simply holds no values.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TRegistryRoot { CurrentUser, LocalMachine };

// The files that back Root, in the order they are searched.
std::vector<std::string> RegistryFiles(TRegistryRoot Root);

std::optional<std::string> ReadRegistryString(TRegistryRoot Root, std::string_view Key,
                                              std::string_view Name);

// Looks a value up in the text of one registry file.
std::optional<std::string> FindRegistryValue(std::string_view FileText, std::string_view Key,
                                             std::string_view Name);

// Writes a value into the current user's file (creating it), keeping everything else.
void WriteRegistryString(std::string_view Key, std::string_view Name, std::string_view Value);
