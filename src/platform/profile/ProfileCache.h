#pragma once
// Parsed settings files, kept by path and reread only when the file changes.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/ini/IniDocument.h"

namespace velmora {

struct CachedProfile {
  std::shared_ptr<const IniDocument> Document;  // null when the file is missing or unreadable
  std::int16_t Failure = 0;                     // run-time error number of an unreadable file
};

// The file is looked at (found, its size and times compared) once per epoch;
// within an epoch every read of it is served from memory.
CachedProfile LoadProfile(const std::string& path);

// Starts a new epoch: a file that another process rewrote is seen from now on.
void NextFileEpoch();

// A user action: a new epoch when the current one is older than a tenth of a
// second, so that a file rewritten while the wizard runs is seen at the next
// action, and the actions of a script, which follow each other at once, look
// at each file once.
void NoteUserAction();

// Drops the entry of `path`, after this process has written the file.
void ForgetProfile(const std::string& path);

// How many times a settings file was parsed since the process started.
std::uint64_t ProfileParses();

}  // namespace velmora
