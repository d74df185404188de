#pragma once
// Messages of the sessions, databases and engine datasets.

#include "core/string_table.h"

// Sessions and databases
inline constexpr TResString SSessionNameMissing{"SSessionNameMissing", "Session name missing"};
inline constexpr TResString SDatabaseNameMissing{"SDatabaseNameMissing", "Database name missing"};
inline constexpr TResString SInvalidSessionName{"SInvalidSessionName", "Invalid session name %s"};
inline constexpr TResString SLoginError{"SLoginError", "Cannot connect to database '%s'"};
inline constexpr TResString SAutoSessionActive{"SAutoSessionActive",
                                               "Cannot modify SessionName while AutoSessionName is enabled"};
inline constexpr TResString SSessionActive{"SSessionActive",
                                           "Cannot perform this operation on an active session"};
inline constexpr TResString SDuplicateSessionName{"SDuplicateSessionName", "Duplicate session name '%s'"};
inline constexpr TResString SDatabaseOpen{"SDatabaseOpen",
                                          "Cannot perform this operation on an open database"};

// Engine errors
inline constexpr TResString SInitError{
    "SInitError", "An error occurred while attempting to initialize the database engine (error $%.4x)"};
inline constexpr TResString SEngineError{"SEngineError", "Engine error $%.4x"};

// Engine datasets
inline constexpr TResString SHandleError{"SHandleError", "Error creating cursor handle"};
inline constexpr TResString SNoFieldAccess{"SNoFieldAccess", "Cannot access field '%s' in a filter"};
inline constexpr TResString SNoTableName{"SNoTableName", "Missing TableName property"};
inline constexpr TResString SEmptySQLStatement{"SEmptySQLStatement", "No SQL statement available"};
inline constexpr TResString SParameterNotFound{"SParameterNotFound", "Parameter '%s' not found"};
