#pragma once
// The small state the main window's handlers share. One set for the whole run; it lives in
// memory only. The points stay 0 until the main window's creation handler fills them in.

#include <cstdint>
#include <string>

struct TGameState {
  bool HintUsed = false;
  int32_t Score = 0;
  int32_t PointsPlain = 0;
  int32_t PointsWithHint = 0;
  int32_t QuestionsAnswered = 0;
};

extern TGameState Game;

// A game is this many scored answers; after that Next is not offered again.
inline constexpr int32_t GameLength = 10;

// The answer radio group's selection as the letter it stands for: 0 gives "A" up to 3 for
// "D"; anything else (-1 when nothing is selected) gives the empty string.
std::string AnswerLetter(int ItemIndex);
