#pragma once
// A host document kept in a JSON file, for runs without a host:
// {"variables":[{"name":"LOT","kind":5}, ...],"number":42}.
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>

#include "automation/Dispatch.h"
#include "platform/FileAccess.h"

namespace velmora {

// A document file that cannot be used; the message names the file.
class DocumentFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The document as an automation object. Its import member (DISPID 23) prints
// "imported: PATH" on `out` when PATH is a file written since `start` (a host
// imports nothing from a name alone). Each value read leaves where it stands
// in the file ("document.json: variables[2].kind is \"x\"") in `lastRead`, when given.
std::shared_ptr<Dispatch> LoadHostDocument(const std::string& path, std::ostream& out,
                                           std::shared_ptr<std::string> lastRead = nullptr,
                                           FileClock start = FileSystemNow());

}  // namespace velmora
