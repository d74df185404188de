#include "richtext/controls/rich_memory_stream.h"

#include <cstdint>

#include "core/core_strings.h"
#include "core/exceptions.h"
#include "core/rtti.h"

BREVANT_DEFINE_CLASS(TwwRichMemoryStream, TMemoryStream, )

char* TwwRichMemoryStream::Realloc(int64_t& NewCapacity) {
  if (NewCapacity < 0 || NewCapacity > INT64_MAX - kGrowthStep) {
    // Rounding up would overflow: no such block exists.
    throw EStreamError(LoadResString(SMemoryStreamError));
  }
  if (NewCapacity > 0) NewCapacity = (NewCapacity + kGrowthStep - 1) / kGrowthStep * kGrowthStep;
  if (NewCapacity == Capacity()) return Memory_;
  return ResizeMemory(NewCapacity);
}
