#pragma once
// Office printers through IPP (an ipp:// or ipps:// URI, or a CUPS queue's
// name): the printer asked what it takes, one job for the run sent as PDF,
// and followed to its end. The one file that speaks to libcups.
#include <functional>
#include <string>
#include <vector>

#include "print/RawSocket.h"

namespace velmora::print {

struct IppPrinterInfo {
  std::string uri;    // the printer's ipp:// URI
  std::string state;  // "idle", "processing", "stopped"
  std::string stateMessage;
  std::vector<std::string> stateReasons;  // printer-state-reasons ("paused", "media-empty-error")
  std::vector<std::string> formats;       // document-format-supported
  std::string mediaDefault;               // media-default ("na_letter_8.5x11in")
  std::vector<std::string> media;         // media-supported
  int rasterDpi = 300;                    // the first of pwg-raster-document-resolution-supported
  bool Takes(const std::string& format) const;
  // Why a job sent now would not print ("the printer is paused"), or "".
  std::string Refusal() const;
};

// The printer at `destination` (an ipp:// or ipps:// URI, else a CUPS queue's
// name); throws PrintError when it cannot be reached or named.
IppPrinterInfo AskPrinter(const std::string& destination);

// Sends the file `path` in `format` ("application/pdf", "image/pwg-raster") as one job named `title`, then follows it
// until it is completed, aborted or cancelled (`cancelled()` asked now and then cancels it at the printer). Returns the
// job's number; throws PrintError naming the printer: one that is paused, stopped or does not take the format, a
// refused job, a job that ended without completing.
int PrintFile(const std::string& destination, const std::string& path, const std::string& format,
              const std::string& title, const std::function<bool()>& cancelled);

// The 1-bit P4 images of `pbm` (one a label, as render --format pbm writes
// them) as a PWG raster file at `path`, one page a label at `dpi`; throws
// PrintError for images it cannot read.
void WritePwgRaster(const std::string& pbm, int dpi, const std::string& path);

// The size in mm of a PWG media name ("na_letter_8.5x11in" is 215.9 x 279.4);
// false for a name that is none.
bool MediaSize(const std::string& pwgName, double& width, double& height);

// The CUPS destinations of this machine, each as "NAME  state  formats  media".
std::vector<std::string> ListDestinations();

}  // namespace velmora::print
