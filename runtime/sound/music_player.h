// sound: what the frame needs of the media window that plays music. The music
// command creates one with new and keeps it in RuntimeState::musicWindow; the
// frame restarts looping music through it and the shut-down stops and
// deletes it.
#pragma once

#include <cstdint>  // Required for: fixed-width fields

class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;

    // The length of the music in milliseconds.
    virtual int32_t lengthMs() = 0;
    virtual void play() = 0;
    virtual void seekToStart() = 0;
    virtual void stop() = 0;
};

// A loop period is never shorter than this.
constexpr double kMusicMinimumPeriodMs = 500.0;
