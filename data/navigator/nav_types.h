#pragma once
// The buttons of the record navigator and the types its users see.

#include <array>
#include <functional>

#include "core/types.h"

class TObject;

enum TNavigateBtn {
  nbFirst,
  nbPrior,
  nbNext,
  nbLast,
  nbInsert,
  nbDelete,
  nbEdit,
  nbPost,
  nbCancel,
  nbRefresh
};
BREVANT_ENUM_NAMES(TNavigateBtn, "nbFirst", "nbPrior", "nbNext", "nbLast", "nbInsert", "nbDelete", "nbEdit",
                   "nbPost", "nbCancel", "nbRefresh");
using TButtonSet = TSet<TNavigateBtn>;

inline constexpr int NavButtonCount = 10;
inline constexpr TButtonSet AllNavButtons{nbFirst,  nbPrior, nbNext, nbLast,   nbInsert,
                                          nbDelete, nbEdit,  nbPost, nbCancel, nbRefresh};

// Every button in order, for range-for loops.
inline constexpr std::array<TNavigateBtn, NavButtonCount> NavButtonKinds{
    nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh};

// Called with the navigator and the button clicked (BeforeAction and OnClick).
using ENavClick = std::function<void(TObject* Sender, TNavigateBtn Button)>;
