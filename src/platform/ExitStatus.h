#pragma once
// The exit statuses of both programs, as their manual pages list them.

namespace velmora {

inline constexpr int kStatusOk = 0;

// velmora-wizard run and serve
inline constexpr int kStatusRunTimeError = 1;  // a run-time error, or the window program cannot start
inline constexpr int kStatusUsage = 2;         // a usage, document or script error
inline constexpr int kStatusNoDisplay = 3;     // no display, or one that cannot be opened
inline constexpr int kStatusCancelled = 4;     // the window closed without done
inline constexpr int kStatusNoTemplate = 5;    // done, but no file could be written

// velmora-label
inline constexpr int kStatusFindings = 1;  // GS1 findings, rows not drawn or labels not scanned back equal
inline constexpr int kStatusBadInput = 2;  // an input, output place or data file that cannot be used

}  // namespace velmora
