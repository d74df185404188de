#pragma once
// Renders a stored layout offscreen: the whole window, or one component of it.

#include <string>

struct TRenderRequest {
  std::string LayoutText;
  std::string LayoutName;  // for error messages
  std::string Component;   // empty: the whole window (client area)
  std::string OutputFile;  // PNG
};

// Raises Exception (ELayoutError, EFCreateError, ...) with a message that says what failed.
void RenderLayout(const TRenderRequest& Request);
