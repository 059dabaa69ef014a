#pragma once
// The animation clock: milliseconds as a 32-bit value that wraps after about 49 days. Every
// difference between two ticks is taken in unsigned 32-bit arithmetic so that the wrap is harmless.
// The source is replaceable: the Windows start-up installs the performance counter, tests install
// a fake clock they advance by hand.
#include <cstdint>

namespace hvtick {

using Source = uint32_t (*)();

// The current tick from the installed source (a steady clock until another is installed).
uint32_t Now();

// Installs a tick source; nullptr restores the steady clock. Safe to call from any thread.
void SetSource(Source source);

// Milliseconds from b to a, correct across the 32-bit wrap.
inline uint32_t Elapsed(uint32_t a, uint32_t b) {
    return a - b;
}

}  // namespace hvtick
