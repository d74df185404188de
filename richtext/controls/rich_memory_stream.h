#pragma once
// TwwRichMemoryStream: the memory stream of the rich text controls' transfers (a blob on its way
// into a control, a control's content on its way out or kept across a window re-creation). It
// grows its capacity in steps of 128 KiB, so that streaming a large document in chunks
// reallocates rarely.

#include "core/streams.h"

class TwwRichMemoryStream : public TMemoryStream {
 public:
  BREVANT_CLASS(TwwRichMemoryStream)
  static constexpr int64_t kGrowthStep = 0x20000;

  TwwRichMemoryStream() = default;

 protected:
  // Rounds a requested capacity up to the next multiple of the step; 0 frees the memory. A
  // capacity that cannot be had raises EStreamError "Out of memory while expanding memory stream".
  char* Realloc(int64_t& NewCapacity) override;
};
