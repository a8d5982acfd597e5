#pragma once

#include "core/generator/AlbumRun.h"

// Makes the album as runAlbumBuild does, but never touches the album already in its place
// until the new one is complete: the new album is written into a staging folder beside it
// (".kadrela-update-…" in the album's location), taking over the earlier album's copies and
// pictures of every unchanged photo, and only when it is whole is it swapped in — the album
// folder in one step, then the main page. A stop, a failure or a full disk leaves the earlier
// album exactly as it was and nothing of the attempt behind (the result has nothing to erase).
//
// Files in the earlier album folder that no album run made there (the user's own) are moved
// into the new folder, never deleted; files the earlier album had and the new one does not
// need are gone, so names do not pile up.
RunResult runAlbumUpdate(const RunInput& input, RunObserver& observer);

// Whether the album of the input (its folder or its main page) exists already.
bool albumExists(const RunInput& input);
