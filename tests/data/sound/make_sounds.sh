#!/usr/bin/env bash
# Makes the reference sounds and movie with sox and ffmpeg, so the readers are
# checked against files our own code did not write. Run from this folder.
set -euo pipefail

# Tones at rates other than the device's 22050 Hz: above half of it (must not
# come out folded back), below it, and an 8-bit one below the device's rate.
sox -n -r 44100 -b 16 -c 1 tone_15khz_44100.wav synth 0.25 sine 15000 vol 0.5
sox -n -r 44100 -b 16 -c 2 tone_1khz_44100_stereo.wav synth 0.1 sine 1000 vol 0.5
sox -n -r 11025 -b 8 -c 1 tone_440hz_11025_8bit.wav synth 0.25 sine 440 vol 0.5

# A raw H.264 stream: no container, no length, no picture times; 15 pictures
# at 10 per second.
ffmpeg -hide_banner -loglevel error -y -f lavfi -i testsrc=size=64x48:rate=10 -t 1.5 \
    -c:v libx264 -pix_fmt yuv420p -f h264 clip_10fps.h264
