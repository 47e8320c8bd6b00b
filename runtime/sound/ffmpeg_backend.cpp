// sound: the default media layer: music and movies decoded by ffmpeg_decoder,
// their sound played by the device's mixer, pictures drawn by render2d.
// The movie's clock is the platform's monotonic clock.
#include <algorithm>  // Required for: std::clamp, std::min
#include <limits>     // Required for: std::numeric_limits

#include "runtime/platform/clock.h"
#include "runtime/render2d/streamed_picture.h"
#include "runtime/sound/ffmpeg_decoder.h"
#include "runtime/sound/media_backend.h"
#include "runtime/sound/sound_device.h"

namespace {

constexpr int32_t kFullVolume = 1000;

double nowMs() { return static_cast<double>(platform::monotonicNanos()) / 1.0e6; }

// The sound of a music or movie file as one voice of the mixer; without a
// device or sound it does nothing.
class MediaVoice {
public:
    MediaVoice(SoundDevice* device, const std::string& path) : device(device) {
        if (device == nullptr || !device->isOpen()) return;
        std::shared_ptr<PcmSound> sound = decodeAudioFile(path, kOutputRate);
        if (sound == nullptr) return;
        frames = sound->frames();
        voice = device->lockMixer()->createVoice(std::move(sound));
    }
    ~MediaVoice() {
        if (active()) device->lockMixer()->releaseVoice(voice);
    }
    MediaVoice(const MediaVoice&) = delete;
    MediaVoice& operator=(const MediaVoice&) = delete;

    int32_t lengthMs() const { return static_cast<int32_t>(uint64_t{frames} * 1000 / kOutputRate); }
    void play() {
        if (active()) device->lockMixer()->play(voice, false);
    }
    void stop() {
        if (active()) device->lockMixer()->stop(voice);
    }
    void moveTo(int32_t ms) {
        if (active()) device->lockMixer()->setPosition(voice, static_cast<uint32_t>(int64_t{ms} * kOutputRate / 1000));
    }
    // 1000 is full volume; louder values are not amplified.
    void setVolume(int32_t volume) {
        const float gain = static_cast<float>(std::clamp(volume, 0, kFullVolume)) / kFullVolume;
        if (active()) device->lockMixer()->setGain(voice, {gain, gain});
    }

private:
    bool active() const { return voice >= 0 && device->isOpen(); }
    SoundDevice* device;
    int32_t voice = -1;
    uint32_t frames = 0;
};

class FfmpegMusic final : public MusicPlayer {
public:
    FfmpegMusic(const std::string& path, SoundDevice* device) : sound(device, path) {}
    int32_t lengthMs() override { return sound.lengthMs(); }
    void play() override { sound.play(); }
    void seekToStart() override {
        sound.stop();
        sound.moveTo(0);
    }
    void stop() override { sound.stop(); }
    void setVolume(int32_t volume) override { sound.setVolume(volume); }

private:
    MediaVoice sound;
};

class FfmpegMovie final : public MoviePlayer {
public:
    FfmpegMovie(const std::string& path, SoundDevice* device) : sound(device, path) { opened = video.open(path); }
    bool opened = false;

    int32_t startMs() override { return 0; }
    // The container's length; without one the movie plays until atEnd().
    int32_t lengthMs() override { return video.lengthMs(); }
    bool atEnd() override { return video.finished() && positionMs() >= sound.lengthMs(); }
    int32_t positionMs() override {
        if (!playing) return position;
        const double elapsed = nowMs() - startedAt;
        const double limit = lengthMs() > 0 ? lengthMs() : std::numeric_limits<int32_t>::max();
        return static_cast<int32_t>(std::min<double>(position + elapsed, limit));
    }
    bool play() override {
        if (playing) return true;
        startedAt = nowMs();
        playing = true;
        sound.moveTo(position);
        sound.play();
        return true;
    }
    void seekToStart() override {
        stop();
        position = 0;
        sound.moveTo(0);
        video.rewind();
    }
    void stop() override {
        position = positionMs();
        playing = false;
        sound.stop();
    }
    int32_t sourceWidth() override { return video.width(); }
    int32_t sourceHeight() override { return video.height(); }
    void setDestination(const MovieRect& rect) override { destination = rect; }
    void drawFrame() override {
        picture.draw(video.pictureAt(positionMs()), video.width(), video.height(), destination.x, destination.y,
                     destination.w, destination.h);
    }

private:
    VideoDecoder video;
    MediaVoice sound;
    StreamedPicture picture;
    MovieRect destination;
    int32_t position = 0;  // while stopped; the position at start while playing
    double startedAt = 0.0;
    bool playing = false;
};

class FfmpegBackend final : public MediaBackend {
public:
    std::unique_ptr<MusicPlayer> openMusic(const std::string& path, SoundDevice* device) override {
        return std::make_unique<FfmpegMusic>(path, device);
    }
    std::unique_ptr<MoviePlayer> openMovie(const std::string& path, SoundDevice* device) override {
        auto movie = std::make_unique<FfmpegMovie>(path, device);
        if (!movie->opened) return nullptr;
        return movie;
    }
};

MediaBackend*& installedBackend() {
    static MediaBackend* backend = nullptr;
    return backend;
}

}  // namespace

MediaBackend& mediaBackend() {
    static FfmpegBackend ffmpeg;
    MediaBackend* backend = installedBackend();
    return backend != nullptr ? *backend : ffmpeg;
}

void setMediaBackend(MediaBackend* backend) { installedBackend() = backend; }
