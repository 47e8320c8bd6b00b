// sound: the allowed media containers and codecs; pure text, no FFmpeg calls.
#include "runtime/sound/media_formats.h"

#include <string_view>  // Required for: std::string_view

#include "runtime/files/error_log.h"

// WAV, Ogg, MP3, FLAC and AAC music; AVI, MP4/QuickTime, Matroska/WebM,
// MPEG program and transport streams, raw H.264 and YUV4MPEG2 for movies.
const char* const kAllowedMediaDemuxers =
    "wav,ogg,mp3,flac,aac,avi,mov,mp4,matroska,webm,mpeg,mpegts,h264,yuv4mpegpipe";
const char* const kAllowedMediaDecoders =
    "pcm_u8,pcm_s16le,pcm_s16be,pcm_s24le,pcm_s32le,pcm_f32le,pcm_f64le,pcm_alaw,pcm_mulaw,adpcm_ms,adpcm_ima_wav,"
    "vorbis,libvorbis,opus,libopus,mp3float,mp3,mp2float,mp2,flac,aac,aac_fixed,ac3,ac3_fixed,"
    "rawvideo,h264,hevc,mpeg1video,mpeg2video,mpeg4,theora,vp8,vp9,libvpx,libvpx-vp9,av1,libdav1d";

namespace {

// True when one comma-separated name of `names` is in `list`.
bool anyListed(std::string_view names, std::string_view list) {
    for (;;) {
        const size_t comma = names.find(',');
        const std::string_view name = names.substr(0, comma);
        for (std::string_view rest = list; !name.empty();) {
            const size_t end = rest.find(',');
            if (rest.substr(0, end) == name) return true;
            if (end == std::string_view::npos) break;
            rest.remove_prefix(end + 1);
        }
        if (comma == std::string_view::npos) return false;
        names.remove_prefix(comma + 1);
    }
}

}  // namespace

bool mediaDemuxerAllowed(const char* names) { return names != nullptr && anyListed(names, kAllowedMediaDemuxers); }

bool mediaDecoderAllowed(const char* name) { return name != nullptr && anyListed(name, kAllowedMediaDecoders); }

void logRefusedMedia(const std::string& kind, const char* name) {
    appendErrorLog(("Media file refused: the " + kind + " " + (name ? name : "?") +
                    " is not one that music and movies play")
                       .c_str());
}
