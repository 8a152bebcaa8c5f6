// Playback of a mail game's executed turn for the player who receives it: every corps and fleet is
// put back where the turn's movement began and walked again along its recorded steps by the same
// movement ticks, then the turn's field battles are shown again from the battle history.
// Playback only shows: when it ends, the game is exactly as it was received.
#pragma once

namespace kvt {

// The Playback command. Refused while a playback is running.
void StartPlayback();

// One playback tick (called by MovementTick while the game awaits playback).
void PlaybackTick();

// The end of a playback's movement: the game as received, the recorded battles shown again.
void FinishPlayback();

// No playback running (a new session).
void ResetPlayback();

}  // namespace kvt
