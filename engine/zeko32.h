// The engine library's public interface: five functions over 32-bit integers.
//
// A Board is fourteen int32_t: cells 0-5 the bottom half's pits, 6-11 the top
// half's pits, 12 the top half's store, 13 the bottom half's store. The program
// loads the library by name and looks these functions up, so it uses the
// pointer types below rather than linking against them.
#pragma once

#include <stdint.h>

// The library hides every other symbol.
#define ZEKO_EXPORT __attribute__((visibility("default")))

// The deepest level findmove plays at; a level above it plays as this one.
#define ZEKO_MAX_LEVEL 28

#ifdef __cplusplus
extern "C" {
#endif

// 1 if the bottom half may play pit (0-5), else 0. opening: the opening flag.
ZEKO_EXPORT int32_t checkmove(const int32_t* board, int32_t pit, int32_t opening);

// Plays pit (0-11) for the side that owns it, keeping the pair of repetition
// trackers (six integers, bottom half first). 0: play on; 1: game over;
// 2: ended by repetition, remaining stones shared out.
ZEKO_EXPORT int32_t execmove(int32_t* board, int32_t pit, int32_t* trackers);

// The pit (6-11) the top half plays at level, or 0 when stopped.
ZEKO_EXPORT int32_t findmove(const int32_t* board, int32_t level);

// Codes every pit of the bottom half (six values) at depth; returns the best pit.
// work receives the search's progress and needs depth + 1 integers.
ZEKO_EXPORT int32_t analyze(const int32_t* board, int32_t depth, int32_t* values, int32_t* work);

// Writes the principal line from first (up to plies entries); returns its length.
ZEKO_EXPORT int32_t findline(const int32_t* board, int32_t plies, int32_t first, int32_t* line,
                             int32_t* work);

typedef int32_t (*checkmove_fn)(const int32_t*, int32_t, int32_t);
typedef int32_t (*execmove_fn)(int32_t*, int32_t, int32_t*);
typedef int32_t (*findmove_fn)(const int32_t*, int32_t);
typedef int32_t (*analyze_fn)(const int32_t*, int32_t, int32_t*, int32_t*);
typedef int32_t (*findline_fn)(const int32_t*, int32_t, int32_t, int32_t*, int32_t*);

#ifdef __cplusplus
}
#endif
