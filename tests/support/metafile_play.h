// A metafile played back where a test can look at it: into a white bitmap of its own, through
// the library's metafile player.
#ifndef TESTS_SUPPORT_METAFILE_PLAY_H
#define TESTS_SUPPORT_METAFILE_PLAY_H

#include <windows.h>

#include <string>
#include <vector>

// Plays FILE, a metafile of FORMAT (0 plain, 1 placeable, 2 enhanced), over the whole of a
// WIDTH x HEIGHT white bitmap made the drawing target for the while; STATUS is the player's
// status. Returns the pixels in RGB, top row first. The player must leave no clip region
// behind on the target (a failure of the running test otherwise).
std::vector<COLORREF> PlayMetafile(int format, const std::string &file, int width, int height,
                                   int *status);

#endif
