// sound: the containers and codecs that music and movies are meant to play.
// Every other demuxer and decoder FFmpeg has is refused, so that a file
// cannot pick the least-travelled parser by its contents.
#pragma once

#include <string>  // Required for: std::string

// The demuxer and decoder names, comma-separated, as FFmpeg's
// "format_whitelist" and "codec_whitelist" options take them.
extern const char* const kAllowedMediaDemuxers;
extern const char* const kAllowedMediaDecoders;

// True when one of the demuxer's names (FFmpeg lists aliases with commas,
// "mov,mp4,m4a,...") is allowed.
bool mediaDemuxerAllowed(const char* names);
bool mediaDecoderAllowed(const char* name);

// Logs that a media file was refused for using the named demuxer or decoder.
void logRefusedMedia(const std::string& kind, const char* name);
