#pragma once
// What the game asked the mixer to play, recorded from the audio request
// observer (engine/audio/AudioRequests.h) from the moment the probe is added.
// Expectations on these lines hold however far the mixer has played in real
// time: a short effect still sounding on a slow machine changes nothing.
//
// Dump lines:
//   audio.loops   the files of the sounds the game started to repeat until
//                 stopped and has neither halted, faded out nor freed since,
//                 sorted, blank-separated; empty for none (a sound started
//                 twice that way counts twice)
//   audio.music   the file of the music track the game started last, until
//                 it is freed or another start replaces it; "none" without
//                 one (also after a start the mixer refused)
class GameDriver;

void addAudioRecord(GameDriver& driver);
