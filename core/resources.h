#pragma once
// Files compiled into the program (stored layouts, pictures), found by file name
// regardless of case. brevant_embed_resources() in CMake fills the registry.

#include <cstddef>
#include <string>
#include <string_view>

class TResourceRegistry {
 public:
  static void Add(std::string_view Name, const unsigned char* Data, size_t Size);
  // The bytes of a resource, or an empty view when there is none.
  static std::string_view Find(std::string_view Name);
  static bool Exists(std::string_view Name);
  // Like Find, but a missing resource raises EResNotFound.
  static std::string_view Load(std::string_view Name);
};
