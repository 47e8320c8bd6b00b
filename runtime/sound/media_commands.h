// sound: the music and movie commands over the media layer (media_backend.h).
// Looping music is restarted by serviceMusicLoop.
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_string.h"
#include "runtime/sound/media_backend.h"

// Plays music from its start, looping when `loop` is set, at full volume;
// the previous music is closed first. A name that cannot be resolved is ignored.
void playMusic(const RtString& path, int32_t loop);
// Closes the music; 0.
int32_t stopMusic();
// 1.0 is full volume; only a value that differs from the last one is sent.
void setMusicVolume(double volume);

// Plays a movie fitted into the window until it ends or a key or mouse
// button is pressed (with `loop`, until then); 0 when it was shown, 3 when
// the file was not found or cannot be played as a movie.
int32_t playMovie(const RtString& path, int32_t loop);
int32_t playMovieLoop(const RtString& path);
int32_t playMovieOnce(const RtString& path);

// The largest rectangle of the source's shape inside the client area,
// centred; nothing (all 0) for an empty source or client.
MovieRect fitMovie(int32_t sourceWidth, int32_t sourceHeight, int32_t clientWidth, int32_t clientHeight);
