#pragma once
// Reading RTF into the document model.
//
// The reader never fails on RTF input: damaged input (truncated, unbalanced, binary garbage, nesting
// deeper than the reader follows) yields what could be read, with `damaged` set. Input that is not RTF at
// all is refused with rsNotRtf, so that a caller can read it as plain text instead (ReadPlainText).
// Reading is linear in the size of the input.

#include <string_view>

#include "rtf_document.h"

enum class TRtfReadStatus { rsOk, rsNotRtf };

struct TRtfReadResult {
  TRtfReadStatus status = TRtfReadStatus::rsNotRtf;
  TRtfDocument document;  // empty when refused
  // The input ended inside a group, carried more than white space after its last brace, or nested
  // deeper than the reader follows (those groups are read as part of their outer group).
  bool damaged = false;
};

// True when the bytes start with "{\rtf" after optional white space.
bool LooksLikeRtf(std::string_view bytes);

TRtfReadResult ReadRtf(std::string_view bytes);
