#pragma once
// The caption bars' duration text of the song lists. The sum itself lives with the playing-songs
// queue (playlists/QueueDuration.h), which keeps it up to date row by row; the views share it.

#include "playlists/QueueDuration.h" // IWYU pragma: export
