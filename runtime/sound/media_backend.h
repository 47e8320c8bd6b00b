// sound: the media layer that plays music and movies. The FFmpeg backend is
// the default; tests install a scripted one.
#pragma once

#include <cstdint>  // Required for: fixed-width fields
#include <memory>   // Required for: std::unique_ptr
#include <string>   // Required for: std::string

#include "runtime/sound/music_player.h"

class SoundDevice;

struct MovieRect {
    int32_t x = 0, y = 0, w = 0, h = 0;
    bool operator==(const MovieRect&) const = default;
};

// A movie opened for playing: times in milliseconds; its pictures are drawn
// into the current frame at the destination rectangle.
class MoviePlayer {
public:
    virtual ~MoviePlayer() = default;
    virtual int32_t startMs() = 0;
    // 0 when the file does not say how long it is.
    virtual int32_t lengthMs() = 0;
    // For a movie of unknown length: true once its pictures and its sound
    // have played out.
    virtual bool atEnd() = 0;
    virtual int32_t positionMs() = 0;
    // False when it cannot play.
    virtual bool play() = 0;
    // Stops and goes back to the start.
    virtual void seekToStart() = 0;
    virtual void stop() = 0;
    // The picture's size; 0 for a file without one.
    virtual int32_t sourceWidth() = 0;
    virtual int32_t sourceHeight() = 0;
    virtual void setDestination(const MovieRect& rect) = 0;
    // Draws the picture due at the current position.
    virtual void drawFrame() = 0;
};

class MediaBackend {
public:
    virtual ~MediaBackend() = default;
    // Never null: a file that cannot be opened gives a player that plays
    // nothing and has length 0.
    virtual std::unique_ptr<MusicPlayer> openMusic(const std::string& path, SoundDevice* device) = 0;
    // Null when the file cannot be opened as a movie.
    virtual std::unique_ptr<MoviePlayer> openMovie(const std::string& path, SoundDevice* device) = 0;
};

// The backend in use; a null argument restores the FFmpeg one.
MediaBackend& mediaBackend();
void setMediaBackend(MediaBackend* backend);
