#include "app/game_state.h"

TGameState Game;

std::string AnswerLetter(int ItemIndex) {
  if (ItemIndex < 0 || ItemIndex > 3) return {};
  return std::string(1, static_cast<char>('A' + ItemIndex));
}
