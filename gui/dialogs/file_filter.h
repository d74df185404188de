#pragma once
// File filters as the open and save dialogs take them: "Rich Text Files (*.RTF)|*.RTF|
// Text Files (*.TXT)|*.TXT", a description and its patterns in turn, patterns separated
// by ";". File names here are case-sensitive but a pattern matches letters in either case,
// and "*.*" matches every name (with or without a dot).

#include <string>
#include <vector>

struct TFileFilter {
  std::string Description;
  std::vector<std::string> Patterns;
};

// Raises EInvalidArgument, naming the filter, for a description without a pattern (an odd
// number of parts) or an empty pattern. A filter without a description is described by its
// patterns. An empty text is no filter at all.
std::vector<TFileFilter> ParseFileFilter(const std::string& Filter);

// The pattern in the form of a case-sensitive matcher that still takes either case:
// "*.RTF" becomes "*.[rR][tT][fF]"; "*.*" becomes "*".
std::string EitherCasePattern(const std::string& Pattern);
