#pragma once
// Messages of the core layer.

#include "core/string_table.h"

inline constexpr TResString SOperationAborted{"SOperationAborted", "Operation aborted"};
inline constexpr TResString SReadError{"SReadError", "Stream read error"};
inline constexpr TResString SWriteError{"SWriteError", "Stream write error"};
inline constexpr TResString SFOpenError{"SFOpenError", "Cannot open file \"%s\". %s"};
inline constexpr TResString SFCreateError{"SFCreateError", "Cannot create file \"%s\". %s"};
inline constexpr TResString SMemoryStreamError{"SMemoryStreamError",
                                               "Out of memory while expanding memory stream"};
inline constexpr TResString SListIndexError{"SListIndexError", "List index out of bounds (%d)"};
inline constexpr TResString SDuplicateString{"SDuplicateString", "String list does not allow duplicates"};
inline constexpr TResString SSortedListError{"SSortedListError",
                                             "Operation not allowed on sorted string list"};
inline constexpr TResString SDuplicateName{"SDuplicateName", "A component named %s already exists"};
inline constexpr TResString SInvalidName{"SInvalidName", "''%s'' is not a valid component name"};
inline constexpr TResString SAssignError{"SAssignError", "Cannot assign a %s to a %s"};
inline constexpr TResString SResNotFound{"SResNotFound", "Resource %s not found"};
