#pragma once
// The two ways the executable runs the wizard: one run against a document file,
// or the automation server for a host.
#include <iosfwd>
#include <string>

namespace velmora {

// One Connect against the host document in `documentPath`, with `script`
// playing the user. Returns the exit status.
int RunDocument(const std::string& documentPath, const std::string& script, std::ostream& out, std::ostream& err);

// The automation server on `in` and `out`, `script` playing the user for the
// whole process (dumps go to `err`, since `out` carries the protocol).
int ServeHeadless(const std::string& script, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace velmora
