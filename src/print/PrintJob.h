#pragma once
// A run's job as a printer receives it, and what the printer made of it: the
// run counts the labels the printer took whole, never the bytes written.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::print {

// What a printer is sent: ZPL for a label printer, PDF or PWG raster (made
// from the run's 1-bit images, P4) for an office printer.
enum class JobFormat { Zpl, Pdf, PwgRaster };

struct PrintJob {
  JobFormat format = JobFormat::Zpl;
  std::string_view bytes;              // ZPL, PDF, or the P4 images of PWG raster
  std::vector<std::size_t> labelEnds;  // ZPL: the offset just past each label's ^XZ
  int labels = 0;                      // in the job
  int labelsPerPage = 1;               // PDF: labels on one sheet
  int dpi = 203;                       // of the images (PWG raster)
  std::string title;                   // the job's name at the printer

  // The labels lying whole within the job's first `bytes` bytes (ZPL).
  int WholeLabelsWithin(std::size_t bytes) const;
};

struct Delivery {
  int labels = 0;                  // taken whole by the printer
  bool partial = false;            // the label after them reached it in part
  bool counted = true;             // false: the printer did not say how many it printed
  std::string problem;             // why the job stopped short; "" once the printer has it all
  int signal = 0;                  // the Ctrl-C (SIGINT) or SIGTERM that stopped it
  std::string said;                // for the summary: "job 17 completed"
  std::vector<std::string> notes;  // what the printer reported on the way (its host status)
};

}  // namespace velmora::print
