#pragma once

#include <cstdint>

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
    // The next `loseCommandTimes` operation frames of command `loseCommand` are spoilt on their
    // way in: the receiver neither applies nor answers them.
    int loseCommand = -1;
    int loseCommandTimes = 0;
    // Answers the first N frames it hears, then falls silent as `silent` does (a receiver
    // switched off at the wall half way through a transfer); negative: never.
    int silentAfterFrames = -1;
    // The status digit of every extended reply ('0' accepted; anything else refuses).
    char extendedStatus = '0';
    // The same for extended writes only: requests are still answered.
    char writeStatus = '0';

    // A noisy line, both ways: each byte heard and each byte sent has this chance (0..1) of
    // arriving with one bit flipped. A flipped bit can make a digit a control byte, so frames
    // may also break apart or run into each other.
    double corruptRate = 0.0;
    // The chance (0..1) that an answer is lost whole, and that a frame goes out in two or three
    // pieces with pauses between them.
    double dropRate = 0.0;
    double splitRate = 0.0;
    // Where the fault's random choices start, so that a run can be repeated.
    std::uint32_t seed = 1;
};

}  // namespace tra1::sim
