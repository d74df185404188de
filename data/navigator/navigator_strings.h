#pragma once
// Texts of the record navigator: the buttons' default hints and the delete question.

#include "core/string_table.h"

inline constexpr TResString SFirstRecord{"SFirstRecord", "First record"};
inline constexpr TResString SPriorRecord{"SPriorRecord", "Prior record"};
inline constexpr TResString SNextRecord{"SNextRecord", "Next record"};
inline constexpr TResString SLastRecord{"SLastRecord", "Last record"};
inline constexpr TResString SInsertRecord{"SInsertRecord", "Insert record"};
inline constexpr TResString SDeleteRecord{"SDeleteRecord", "Delete record"};
inline constexpr TResString SEditRecord{"SEditRecord", "Edit record"};
inline constexpr TResString SPostEdit{"SPostEdit", "Post edit"};
inline constexpr TResString SCancelEdit{"SCancelEdit", "Cancel edit"};
inline constexpr TResString SRefreshRecord{"SRefreshRecord", "Refresh data"};

inline constexpr TResString SDeleteRecordQuestion{"SDeleteRecordQuestion", "Delete record?"};
