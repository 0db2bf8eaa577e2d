#!/usr/bin/env bash
# Regenerates Zingboard's built-in clips in data/sounds/ from espeak-ng voice lines and sox-synthesised effects.
# The clips are committed, so this only needs to run when a clip changes; building, running and testing do not
# need espeak-ng or sox.
#
# Needs: espeak-ng, sox with Ogg Vorbis output (Debian: apt-get install espeak-ng sox libsox-fmt-base).
# Usage: scripts/make-sounds.sh [output folder]   (default: data/sounds beside this script)
#
# Every clip is mono Ogg Vorbis (decoded by GStreamer's base plugins), shorter than two seconds, and levelled
# to the same RMS loudness so no pack is louder than another. File names start with their pack's prefix.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../data/sounds"}

for tool in espeak-ng sox; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "make-sounds: '$tool' is missing (Debian: apt-get install espeak-ng sox libsox-fmt-base)" >&2
    exit 1
  fi
done
if ! sox -h 2>/dev/null | grep -q '^AUDIO FILE FORMATS:.* vorbis'; then
  echo "make-sounds: this sox cannot write Ogg Vorbis (Debian: apt-get install libsox-fmt-base)" >&2
  exit 1
fi

rate=22050
target_rms_db=-16   # common loudness of every clip
max_seconds=1.9     # hard cap, comfortably under two seconds
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# synth <file> <sox synth/effect arguments...>: a mono clip from sox's generators.
synth() {
  local file=$1
  shift
  sox -q -n -r "$rate" -c 1 -b 16 "$work/$file" "$@"
}

# say <file> <espeak-ng options...> -- <text>: a voice line resampled to the common rate.
say() {
  local file=$1
  shift
  local opts=()
  while [ "$1" != "--" ]; do
    opts+=("$1")
    shift
  done
  shift
  espeak-ng "${opts[@]}" -w "$work/raw-$file" "$*"
  sox -q "$work/raw-$file" -r "$rate" -c 1 -b 16 "$work/$file"
}

# finish <work file> <clip name>: trims silence, caps the length, levels the loudness and writes the .ogg.
finish() {
  local src="$work/$1" name=$2
  local trimmed="$work/trim-$1"
  sox -q -V1 "$src" "$work/cut-$1" silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse trim 0 "$max_seconds"
  sox -q "$work/cut-$1" "$trimmed" fade t 0.005 "$(soxi -D "$work/cut-$1")" 0.05
  local rms
  rms=$(sox "$trimmed" -n stats 2>&1 | awk '/^RMS lev dB/ {print $4}')
  local gain
  gain=$(awk -v t="$target_rms_db" -v r="$rms" 'BEGIN {printf "%.2f", t - r}')
  # -l limits the peaks instead of clipping when the gain is large.
  sox -q "$trimmed" -C 3 "$out/$name.ogg" gain -l "$gain"
  printf '%-24s %5ss  rms %6s dB -> %s dB\n' "$name.ogg" "$(soxi -D "$out/$name.ogg" | cut -c1-4)" "$rms" "$target_rms_db"
}

# moan: long, low groans.
say moan1.wav -v en-us+m3 -s 90 -p 15 -- "Ohhhhh yeahhh"
finish moan1.wav moan_oh_yeah
say moan2.wav -v en+m7 -s 80 -p 5 -- "Mmmmmmm, yesss"
finish moan2.wav moan_mmm_yes

# scream: high, fast and loud.
say scream1.wav -v en+f4 -s 120 -p 99 -a 100 -- "Noooooo!"
finish scream1.wav scream_noooo
say scream2.wav -v en+m4 -s 140 -p 90 -a 100 -- "Aaaaaaah!"
finish scream2.wav scream_aaaah

# cha_ching: a cash-register bell and two money lines.
synth cha.wav synth 0.07 whitenoise vol 0.5 highpass 3000 fade q 0.002 0.07 0.05
synth ching.wav synth 1.1 sine 2093 sine mix 2637 sine mix 3136 sine mix 4186 fade q 0.003 1.1 1.05 vol 0.5
synth gap.wav trim 0 0.04
sox -q "$work/cha.wav" "$work/gap.wav" "$work/cha.wav" "$work/gap.wav" "$work/ching.wav" "$work/register.wav"
finish register.wav cha_ching_register
say rich.wav -v en-us+m1 -s 165 -p 60 -- "Cha-ching! We're rich!"
finish rich.wav cha_ching_rich
say money.wav -v en-us+m3 -s 160 -p 45 -- "Show me the money!"
finish money.wav cha_ching_money

# whoosh: a swept rush of air and the rocket line.
synth air.wav synth 1.4 pinknoise fade h 0.8 1.4 0.6 bandpass 1200 0.8q flanger 0 4 0 90 0.4 sine 50 lin
finish air.wav whoosh_rocket
say moon.wav -v en-us+m2 -s 150 -p 70 -- "To the moon!"
synth moonair.wav synth 1.2 pinknoise fade h 0.9 1.2 0.3 bandpass 900 1q vol 0.25
sox -q -G -m "$work/moon.wav" "$work/moonair.wav" "$work/moonmix.wav"
finish moonmix.wav whoosh_to_the_moon

# sad: a descending muted trombone and the womp line.
note() { synth "$1" synth "$2" sawtooth "$3" sawtooth mix "$4" lowpass 900 fade q 0.03 "$2" 0.08; }
note t1.wav 0.32 293.66 294.5
note t2.wav 0.32 277.18 278.0
note t3.wav 0.32 261.63 262.4
synth t4.wav synth 0.8 sawtooth 246.94 sawtooth fmod 246.94-236 lowpass 900 tremolo 6 40 fade q 0.03 0.8 0.3
sox -q "$work/t1.wav" "$work/t2.wav" "$work/t3.wav" "$work/t4.wav" "$work/trombone.wav"
finish trombone.wav sad_trombone
say womp.wav -v en-us+m7 -s 70 -p 10 -- "Womp womp"
finish womp.wav sad_womp_womp

# applause: clapping crowd textures from modulated noise; one with a cheer.
synth clap1.wav synth 1.7 whitenoise bandpass 1800 1q tremolo 13 90 fade h 0.15 1.7 0.5
synth clap2.wav synth 1.7 whitenoise bandpass 2600 1.2q tremolo 19 85 fade h 0.2 1.7 0.4
synth clap3.wav synth 1.7 whitenoise bandpass 1200 1q tremolo 23 80 fade h 0.1 1.7 0.6
sox -q -G -m "$work/clap1.wav" "$work/clap2.wav" "$work/clap3.wav" "$work/crowd.wav"
finish crowd.wav applause_crowd
say letsgo.wav -v en-us+m1 -s 160 -p 70 -a 180 -- "Let's go!"
sox -q -G -m "$work/letsgo.wav" -v 0.4 "$work/crowd.wav" "$work/cheer.wav"
finish cheer.wav applause_lets_go

# airhorn: overdriven detuned sawtooth blasts.
blast() { synth "$1" synth "$2" sawtooth 466 sawtooth mix 470 square mix 233 overdrive 12 vol 0.5 lowpass 3200 fade q 0.01 "$2" 0.04; }
blast long.wav 1.1
finish long.wav airhorn_blast
blast short.wav 0.22
synth rest.wav trim 0 0.07
blast last.wav 0.7
sox -q "$work/short.wav" "$work/rest.wav" "$work/short.wav" "$work/rest.wav" "$work/last.wav" "$work/triple.wav"
finish triple.wav airhorn_triple

# whisper: breathy secrets.
say bag.wav -v en+whisper -s 130 -- "Psst... bag secured."
finish bag.wav whisper_bag_secured
say psst.wav -v en+whisper -s 140 -- "Psst... money's in."
finish psst.wav whisper_moneys_in

du -ch "$out"/*.ogg | tail -n 1
