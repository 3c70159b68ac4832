"""Placeholder sounds: sox synthesises, oggenc encodes Ogg Vorbis.

Kinds:
  tone   a short effect.  style: ms (length), synth (the arguments of sox's
         "synth" effect after the length, e.g. "sine 880:1320"), gain (dB,
         default -6), fade_ms (fade-out, default 30), rate (Hz, default
         44100)
  music  a loop of equal steps.  style: bpm, steps (list of
         "MELODY/BASS" note pairs such as "A4/A2"), gain (dB peak, default -3)
  wav    a plain 16-bit PCM WAV.  style: seconds, synth, rate, channels
         (the file is a 44-byte header plus exactly the sample data)

Everything is reproducible: sox runs in repeatable mode (-R, fixed seeds for
its noise and pluck generators) without dither (-D), and oggenc gets a fixed
stream serial number derived from the file name (-s).
"""

import re
import subprocess
import tempfile
import wave
import zlib
from pathlib import Path

RATE = 44100
CHANNELS = 2
OGG_QUALITY = "3"
SOX = ["sox", "-R", "-D"]


def _run(cmd):
    res = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if res.returncode != 0:
        raise RuntimeError("%s failed:\n%s" % (" ".join(cmd), res.stderr))


def _serial(path):
    return str(zlib.crc32(Path(path).name.encode()) & 0x7FFFFFFF)


def _oggenc(wav, path):
    _run(["oggenc", "-Q", "-q", OGG_QUALITY, "-s", _serial(path), "-o", str(path), str(wav)])


def _pcm_out(path, channels=CHANNELS, rate=RATE):
    return ["-r", str(rate), "-c", str(channels), "-b", "16", "-e", "signed-integer", str(path)]


_NOTE = re.compile(r"^([A-G])([#b]?)(-?\d)$")
_SEMITONE = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}


def note_hz(name):
    """'A4' -> 440.0; sharps '#', flats 'b'."""
    m = _NOTE.match(name)
    if not m:
        raise ValueError("bad note %r" % name)
    letter, acc, octave = m.groups()
    n = _SEMITONE[letter] + {"": 0, "#": 1, "b": -1}[acc] + 12 * (int(octave) - 4)
    return 440.0 * 2 ** (n / 12)


def write_tone(path, size, kind, style):
    sec = style["ms"] / 1000.0
    fade = style.get("fade_ms", 30) / 1000.0
    with tempfile.TemporaryDirectory() as tmp:
        wav = Path(tmp) / "tone.wav"
        _run(SOX + ["-n"] + _pcm_out(wav, rate=style.get("rate", RATE)) + ["synth", "%g" % sec]
             + style["synth"].split()
             + ["fade", "q", "0.004", "%g" % sec, "%g" % fade,
                "gain", str(style.get("gain", -6))])
        _oggenc(wav, path)
    return [Path(path)]


def write_music(path, size, kind, style):
    beat = 60.0 / style["bpm"]
    with tempfile.TemporaryDirectory() as tmp:
        steps = []
        for i, step in enumerate(style["steps"]):
            melody, bass = step.split("/")
            out = Path(tmp) / ("step%03d.wav" % i)
            # Left channel the melody, right channel the bass; mixed below.
            _run(SOX + ["-n"] + _pcm_out(out) + ["synth", "%g" % beat,
                 "pluck", "%.3f" % note_hz(melody), "pluck", "%.3f" % note_hz(bass)])
            steps.append(str(out))
        wav = Path(tmp) / "loop.wav"
        _run(SOX + steps + _pcm_out(wav) + ["remix", "1v0.7,2v0.4", "1v0.4,2v0.7",
                                            "gain", "-n", str(style.get("gain", -3))])
        _oggenc(wav, path)
    return [Path(path)]


def write_wav(path, size, kind, style):
    rate = style.get("rate", RATE)
    channels = style.get("channels", CHANNELS)
    seconds = style["seconds"]
    _run(SOX + ["-n"] + _pcm_out(path, channels, rate)
         + ["synth", "%g" % seconds] + style["synth"].split() + ["gain", "-6"])
    data = int(seconds * rate) * channels * 2
    with wave.open(str(path), "rb") as w:
        frames = w.getnframes() * w.getnchannels() * w.getsampwidth()
    if frames != data or Path(path).stat().st_size != 44 + data:
        raise RuntimeError("%s: expected a 44-byte header and %d data bytes" % (path, data))
    return [Path(path)]


WRITERS = {"tone": write_tone, "music": write_music, "wav": write_wav}
