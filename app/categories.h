#pragma once
// The three quiz categories: the statement that selects each one's rows and its five rank
// words, lowest first. Each statement is a fixed text of its own.

#include <array>

struct TCategory {
  const char* Sql;
  std::array<const char*, 5> Ranks;
};

inline constexpr TCategory ClassicTelevisionCategory = {
    "Select * from vezedezavuza where QuizName = \"Classic Television 2\"",
    {"Library Card", "Basic Cable", "Pay Per View", "Satellite Dish", "Couch Potato"}};

inline constexpr TCategory OscarsCategory = {"Select * from vezedezavuza where QuizName = \"ET1\"",
                                             {"Accountant", "Chorus Boy/Girl", "Star", "Producer", "Angel"}};

inline constexpr TCategory RightsCategory = {
    "Select * from vezedezavuza where QuizName = \"Banana Splits 1\"",
    {"One banana", "Two banana", "Plus ice cream", "More ice cream", "Banana buggy driver"}};

// The quiz table's password, given to the default session before the table opens.
inline constexpr const char* QuizTablePassword = "pelmut";

// The database alias and table of the main window's Table1 (its stored layout names them too):
// the start-up warm-up opens the same table before the window exists.
inline constexpr const char* QuizDatabaseName = "vozaza";
inline constexpr const char* QuizTableName = "vezedezavuza.db";
