// sound: what the frame and the music commands need of the player of the
// current music. playMusic makes one with new and keeps it in
// RuntimeState::musicWindow; the frame restarts looping music through it and
// stopMusic and the shut-down stop and delete it.
#pragma once

#include <cstdint>  // Required for: fixed-width fields

class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;

    // The length of the music in milliseconds.
    virtual int32_t lengthMs() = 0;
    virtual void play() = 0;
    // Stops and goes back to the start.
    virtual void seekToStart() = 0;
    virtual void stop() = 0;
    // 1000 is full volume, 0 silence.
    virtual void setVolume(int32_t volume) = 0;
};

// A loop period is never shorter than this.
constexpr double kMusicMinimumPeriodMs = 500.0;

// The time between two starts of looping music of that length.
constexpr double musicLoopPeriod(int32_t lengthMs) {
    return lengthMs >= kMusicMinimumPeriodMs ? static_cast<double>(lengthMs) : kMusicMinimumPeriodMs;
}
