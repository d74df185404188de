#pragma once
// The engine's entries as the data layer calls them: one table of function pointers,
// `DbEngine`, with a member per entry of dbengine.h (DbEngine.EngOpenTable(...)).
//
// Every member starts out pointing at a resolver of its own. The first call of an entry takes
// the loader's lock, takes the library's handle (loading it if needed), looks the entry up by
// name and patches the member, so later calls go straight into the library. A resolution that
// fails answers a status instead of calling: $274F (no such entry), $2A06 (no lock) or $210A
// (library not loadable). When the library is freed, every member points at its resolver
// again.
//
// Start and stop (EngineInit, EngineExit) and the library's set-up (LIBINITFUNCTION) are not
// members: the loader calls them itself (engine_loader.h).

#include <cstddef>

#include "dbengine.h"

// The members are the work entries of dbengine.h's one list (ENG_WORK_ENTRIES).
struct TEngineEntries {
#define BREVANT_ENGINE_MEMBER(Name) decltype(&::Name) Name;
  ENG_WORK_ENTRIES(BREVANT_ENGINE_MEMBER)
#undef BREVANT_ENGINE_MEMBER
};

// The table every engine call of the data layer goes through. Tests may replace a member
// that has been resolved (ResolveEngineEntries) with a wrapper that calls the original, to
// count or shape the engine's answers; freeing the library restores the resolvers.
extern TEngineEntries DbEngine;

// The number of members and their entry names, in member order.
inline constexpr size_t kEngineEntryCount = 0
#define BREVANT_ENGINE_COUNT(Name) +1
    ENG_WORK_ENTRIES(BREVANT_ENGINE_COUNT)
#undef BREVANT_ENGINE_COUNT
    ;
const char* EngineEntryName(size_t Index);
