#pragma once
// The two ways the executable runs the wizard: one run against a document file,
// or the automation server for a host. The view is the window's face: the Qt
// window, or a HeadlessView with its action script.
#include <iosfwd>
#include <string>

#include "platform/ExitStatus.h"
#include "wizard/WindowView.h"

namespace velmora {

// One Connect against the host document in `documentPath`. Returns the exit status.
int RunDocument(const std::string& documentPath, WindowView& view, std::ostream& out, std::ostream& err);

// The automation server on `in` and `out` until the input ends.
int Serve(WindowView& view, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace velmora
