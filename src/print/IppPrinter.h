#pragma once
// Office printers through IPP (an ipp:// or ipps:// URI, or a CUPS queue's
// name): the printer asked what it takes, one job for the run sent as PDF or
// PWG raster, and followed to its end. Every request, upload and poll is held
// to the run's patience; failures name their real cause (refused, no answer,
// an HTTP status, an answer that is not IPP). The one file that speaks to libcups.
#include <string>
#include <string_view>
#include <vector>

#include "print/Patience.h"
#include "print/PrintJob.h"
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
IppPrinterInfo AskPrinter(const std::string& destination, const Patience& patience);

// Sends `job` (PDF, or PWG raster made from its P4 images) as one job and
// follows it until it ends: completed, every label; aborted or cancelled, the
// pages the printer says it printed. A busy printer is asked again, backing
// off, within the limit; a job that makes no progress for the limit, or an
// interrupted run, cancels the job at the printer. Throws PrintError when the
// printer cannot be reached or refuses the job before taking it.
Delivery SendIpp(const std::string& destination, const PrintJob& job, const Patience& patience);

// The size in mm of a PWG media name ("na_letter_8.5x11in" is 215.9 x 279.4);
// false for a name that is none.
bool MediaSize(const std::string& pwgName, double& width, double& height);

// The CUPS destinations of this machine, each as "NAME  state  formats  media";
// throws PrintError when CUPS cannot be reached.
std::vector<std::string> ListDestinations(const Patience& patience);

}  // namespace velmora::print
