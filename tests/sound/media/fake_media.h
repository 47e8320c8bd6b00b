// Test helper: a media layer that logs what it is asked and plays by script.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "runtime/sound/media_backend.h"

class FakeMedia : public MediaBackend {
public:
    std::vector<std::string> log;
    int32_t musicLength = 1000;
    bool movieOpens = true;
    int32_t movieWidth = 320, movieHeight = 240, movieLength = 100;
    int32_t streamEnd = 100;  // where a movie of length 0 ends
    int32_t positionStep = 30;                  // ms the movie moves on each position read
    std::function<void(int read)> onPosition;  // runs at each position read

    class Music : public MusicPlayer {
    public:
        Music(FakeMedia& media) : media(media) {}
        ~Music() override { media.log.push_back("close"); }
        int32_t lengthMs() override {
            media.log.push_back("length");
            return media.musicLength;
        }
        void play() override { media.log.push_back("play"); }
        void seekToStart() override { media.log.push_back("seek"); }
        void stop() override { media.log.push_back("stop"); }
        void setVolume(int32_t v) override { media.log.push_back("volume " + std::to_string(v)); }

    private:
        FakeMedia& media;
    };

    class Movie : public MoviePlayer {
    public:
        Movie(FakeMedia& media) : media(media) {}
        ~Movie() override { media.log.push_back("close"); }
        int32_t startMs() override { return 0; }
        int32_t lengthMs() override { return media.movieLength; }
        bool atEnd() override { return position >= media.streamEnd; }
        int32_t positionMs() override {
            if (media.onPosition) media.onPosition(++reads);
            if (playing) position += media.positionStep;
            return position;
        }
        bool play() override {
            media.log.push_back("play");
            playing = true;
            return true;
        }
        void seekToStart() override {
            media.log.push_back("seek");
            playing = false;
            position = 0;
        }
        void stop() override {
            media.log.push_back("stop");
            playing = false;
        }
        int32_t sourceWidth() override { return media.movieWidth; }
        int32_t sourceHeight() override { return media.movieHeight; }
        void setDestination(const MovieRect& r) override {
            media.log.push_back("dest " + std::to_string(r.x) + " " + std::to_string(r.y) + " " +
                                std::to_string(r.w) + " " + std::to_string(r.h));
        }
        void drawFrame() override { ++media.framesDrawn; }

    private:
        FakeMedia& media;
        int reads = 0;
        int32_t position = 0;
        bool playing = false;
    };

    int framesDrawn = 0;

    std::unique_ptr<MusicPlayer> openMusic(const std::string& path, SoundDevice*) override {
        log.push_back("open music " + path.substr(path.rfind('/') + 1));
        return std::make_unique<Music>(*this);
    }
    std::unique_ptr<MoviePlayer> openMovie(const std::string& path, SoundDevice*) override {
        log.push_back("open movie " + path.substr(path.rfind('/') + 1));
        if (!movieOpens) return nullptr;
        return std::make_unique<Movie>(*this);
    }
    size_t count(const std::string& entry) const { return std::count(log.begin(), log.end(), entry); }
};
