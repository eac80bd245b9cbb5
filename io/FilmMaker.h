// A film between keyframes made whole: its frames drawn on one worker per core and written in
// order, for orbisk-render --animate and the program's "Make animation...".
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "io/FilmFormat.h"
#include "session/FilmText.h"

namespace orbisk {

// What makePathFilm returns after a cancel.
inline constexpr const char* kFilmCancelled = "the film was cancelled; nothing was written";

// Draws frames first .. first + count - 1 of film (a path checkFilmPath accepts) and writes
// them to path in format. frameDone, when given, hears how many frames are written so far;
// cancel, when given and set, stops the film between two frames. Returns "" once the output is
// in place, or one line (kFilmCancelled after a cancel) with nothing written.
std::string makePathFilm(const FilmDescription& film, FilmFormat format, const std::string& path,
                         int first, int count, const std::atomic<bool>* cancel,
                         const std::function<void(int)>& frameDone);

}  // namespace orbisk
