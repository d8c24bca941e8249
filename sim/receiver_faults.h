#pragma once

namespace tra1::sim {

// Misbehaviour on demand, for tests of the editor's error paths and for trying it by hand.
struct ReceiverFaults {
    // Parses and applies what it hears but never answers.
    bool silent = false;
    // Puts a few bytes of line noise (printable garbage, never a control byte) on the line
    // before each answer.
    bool lineNoise = false;
    // Sends each frame in this many pieces with a pause between them (0 or 1: in one piece), so
    // that the editor reads one frame in several batches.
    int splitPieces = 0;
    // The pause between the pieces of a split frame, longer than the editor's 10 ms poll.
    int splitGapMs = 25;
    // The answers to the next N frames are dropped (counts down).
    int dropNextAnswers = 0;
    // Answers the first N frames it hears, then falls silent as `silent` does (a receiver
    // switched off at the wall half way through a transfer); negative: never.
    int silentAfterFrames = -1;
    // The status digit of every extended reply ('0' accepted; anything else refuses).
    char extendedStatus = '0';
};

}  // namespace tra1::sim
