// render_layout: draws a stored layout offscreen into a PNG file.
//
//   render_layout LAYOUT_FILE OUTPUT.png [COMPONENT]
//
// Renders the window of LAYOUT_FILE (its client area) or, with COMPONENT, just that
// control as it appears in the window. Runs without a display (Qt's offscreen platform).

#include <cstdlib>
#include <iostream>

#include "core/registration_hooks.h"
#include "core/streams.h"
#include "gui/forms/application.h"
#include "gui/gui_module.h"
#include "registrations.h"
#include "render.h"

int main(int argc, char* argv[]) {
  if (argc < 3 || argc > 4) {
    std::cerr << "usage: render_layout LAYOUT_FILE OUTPUT.png [COMPONENT]\n";
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  TGuiModule gui(qtArgc, argv);
  for (TRegistration r : LayoutRegistrations())
    r();
  RunRegistrationHooks();
  try {
    TMemoryStream text;
    text.LoadFromFile(argv[1]);
    TRenderRequest request;
    request.LayoutText = std::string(text.View());
    request.LayoutName = argv[1];
    request.OutputFile = argv[2];
    if (argc == 4) request.Component = argv[3];
    RenderLayout(request);
  } catch (const std::exception& e) {
    std::cerr << "render_layout: " << e.what() << '\n';
    return 1;
  }
  std::cout << argv[2] << '\n';
  return 0;
}
