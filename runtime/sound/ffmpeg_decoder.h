// sound: the media decoders over FFmpeg's libraries, the only code that
// calls them (with media_input.cpp, which reads the files, and
// rate_converter.cpp, which resamples sounds). Audio is decoded whole into the mixer's format; pictures one
// at a time into RGBA.
#pragma once

#include <cstdint>  // Required for: fixed-width fields
#include <memory>   // Required for: std::shared_ptr, std::unique_ptr
#include <string>   // Required for: std::string
#include <vector>   // Required for: std::vector

#include "runtime/sound/pcm_sound.h"

// Longer audio is cut here (30 minutes at the mixer's rate).
constexpr uint32_t kMaxDecodedFrames = 22050u * 60u * 30u;
// Pictures larger than this on either side are refused.
constexpr int32_t kMaxPictureSide = 8192;

// The first audio stream of the file as 16-bit stereo at `rate`, at most
// `maxFrames` frames; null when the file has no decodable audio.
std::shared_ptr<PcmSound> decodeAudioFile(const std::string& path, uint32_t rate,
                                          uint32_t maxFrames = kMaxDecodedFrames);

// The length of a media file in milliseconds; 0 when unknown or unreadable.
int32_t mediaLengthMs(const std::string& path);

class VideoDecoder {
public:
    VideoDecoder();
    ~VideoDecoder();
    VideoDecoder(const VideoDecoder&) = delete;
    VideoDecoder& operator=(const VideoDecoder&) = delete;

    // Opens the first video stream; false when there is none or it cannot be decoded.
    bool open(const std::string& name);
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    // 0 when the file does not say (a raw stream).
    int32_t lengthMs() const { return length_; }
    // True once the last picture has been reached.
    bool finished() const { return ended; }

    // The picture due at `ms` (width x height RGBA, top row first): the last
    // one that starts at or before it, or the first one. Empty before any
    // picture could be decoded. Moving backward needs rewind().
    const std::vector<uint8_t>& pictureAt(int32_t ms);
    // Back to the first picture.
    void rewind();

private:
    struct Handles;
    bool openFile(const std::string& name);  // open() without its storage guard
    bool decodeNext();  // the next picture into the look-ahead; false at the end
    bool decodeNextWithin();  // decodeNext, false when the picture does not fit in memory
    // The step between pictures without a time when the file gives no rate.
    static constexpr int64_t kUntimedStepMs = 40;
    std::unique_ptr<Handles> h;
    std::string path;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t length_ = 0;
    std::vector<uint8_t> picture;
    std::vector<uint8_t> lookahead;
    int64_t lookaheadMs = 0;
    int64_t nextUntimedMs = 0;  // the time of the next picture that has none
    int64_t untimedStepMs = kUntimedStepMs;
    bool haveLookahead = false;
    bool ended = false;
};
