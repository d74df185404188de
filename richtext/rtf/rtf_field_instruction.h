#pragma once
// Field instructions of hyperlinks: HYPERLINK "target" with its optional switches.

#include <string>
#include <string_view>

// The target of a HYPERLINK instruction (a \l "anchor" switch is appended as "#anchor"); empty when the
// instruction is no hyperlink.
std::string HyperlinkTargetOf(std::string_view instruction);

// The instruction that HyperlinkTargetOf reads back as the given target.
std::string HyperlinkInstructionOf(std::string_view target);
