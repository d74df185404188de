#include "data/navigator/nav_glyphs.h"

#include "gui/stdctrls/speed_button.h"

// Defined with the embedded pictures; calling it keeps them in every program that links
// this library.
void LinkResources_brevant_data_navigator();

const char* NavButtonName(TNavigateBtn Kind) {
  static constexpr const char* Names[NavButtonCount] = {"FIRST",  "PRIOR", "NEXT", "LAST",   "INSERT",
                                                        "DELETE", "EDIT",  "POST", "CANCEL", "REFRESH"};
  return Names[static_cast<int>(Kind)];
}

std::string NavGlyphResourceName(TNavigateBtn Kind) {
  return std::string("dbn_") + NavButtonName(Kind);
}

void LoadNavGlyph(TSpeedButton& Button, TNavigateBtn Kind) {
  LinkResources_brevant_data_navigator();
  // Pictures are compiled in as their PNG files.
  Button.Glyph()->LoadFromResource(NavGlyphResourceName(Kind) + ".png");
  Button.SetNumGlyphs(2);
}
