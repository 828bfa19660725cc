#pragma once
// Labels for a run of data rows: each row's formulas evaluated, checked against
// GS1's rules, encoded, drawn to its file or page and, if asked, scanned back.
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "label/OutputFormats.h"
#include "label/TemplateReader.h"
#include "symbol/Gs1Data.h"
#include "symbol/ZintSymbol.h"

namespace velmora::label {

// The resolution of every image a run draws unless told otherwise, render's
// and print's alike: the most common label printer's, so that a file rendered
// is the very job print sends.
inline constexpr int kLabelPrinterDpi = 203;

// How a label places what it shows: one table, which the command line's
// choices and help are made from.
enum class LayoutKind : std::uint8_t { Symbol, Gs1Logistic };
struct LayoutRow {
  LayoutKind kind;
  const char* name;
  const char* help;
};
inline constexpr LayoutRow kLayouts[] = {
    {LayoutKind::Symbol, "symbol", "the symbol and its text where the template puts them"},
    {LayoutKind::Gs1Logistic, "gs1-logistic",
     "the GS1 logistics label: free text, data titles and values, symbols (the SSCC's lowest)"},
};

struct RenderOptions {
  std::string out;  // the folder (PNG, SVG) or the file (PDF, ZPL)
  OutputFormat format = OutputFormat::Png;
  int dpi = kLabelPrinterDpi;
  bool verify = false;
  unsigned threads = 0;  // 0: one per core
  int copies = 1;        // of each label (ZPL's ^PQ)
  symbol::SymbolKind symbol = symbol::SymbolKind::Gs1_128;
  double module = 0;     // mm; 0: the template's bar width (1.5 times it for 2D symbols)
  double barHeight = 0;  // mm; 0: the template's
  double textSize = 0;   // mm; 0: the template's
  bool noText = false;
  LayoutKind layout = LayoutKind::Symbol;
  std::vector<std::string> freeText;  // the logistics label's top section, line by line
  int rotate = 0;                     // the labels turned clockwise, in degrees: 0, 90, 180 or 270
  std::string dlDomain = symbol::kDefaultDigitalLinkDomain;  // of the Digital Link forms' URI
  double mediaWidth = 0;  // the label stock, in mm: every label this size; 0: the content's
  double mediaHeight = 0;
  double printWidth = 0;  // mm the printer prints across; a wider label is refused; 0: no limit
  // Sheets of label stock (PDF): labels in a grid of `columns` x `rows` on
  // sheets of `width` x `height` mm, `gap` mm apart, the grid centred.
  struct Sheet {
    double width = 0;
    double height = 0;
    int columns = 0;
    int rows = 0;
    double gap = 0;
  } sheet;
  int jobFd = -1;                   // a one-file format written to this open file instead of `out` (a print job)
  int firstRow = 1;                 // the number of the rows' first row, for reports (a resumed print run)
  std::function<bool()> cancelled;  // asked between labels: true stops drawing
};

struct RenderSummary {
  int rows = 0;
  int drawn = 0;
  int rejected = 0;            // GS1 or the formulas refused the row's data: not drawn
  int unwritten = 0;           // drawn, but its file could not be written
  std::string writeError;      // the first reason a file could not be written
  int unverified = 0;          // drawn, but not scanned back equal
  std::vector<int> drawnRows;  // the row of each label drawn, in order
  bool interrupted = false;    // `cancelled` stopped the run before its last row
  bool AllGood() const { return drawn == rows && unverified == 0; }
};

// Throws std::runtime_error, before drawing anything, when the output cannot be written.
void PrepareOutput(const RenderOptions& options);

// The rows are read in batches (twice when the labels take the largest
// content's size: once to find it), drawn over the cores and written as they
// are done, so a run holds one batch in memory whatever its length. Reports
// come in row order; `progress(done, total)` is called now and then from a
// thread of its own.
RenderSummary RenderLabels(const LabelTemplate& label, const symbol::Gs1Data& gs1, class RowSource& rows,
                           const RenderOptions& options, std::ostream& report,
                           const std::function<void(int, int)>& progress = {});
RenderSummary RenderLabels(const LabelTemplate& label, const symbol::Gs1Data& gs1,
                           const std::vector<symbol::VariableValues>& rows, const RenderOptions& options,
                           std::ostream& report, const std::function<void(int, int)>& progress = {});

// "label-00017.png": the file of row 17 in a run of `rows`, numbered with as
// many digits as the run needs (five at least), so that the names sort in order.
std::string LabelFileName(int row, OutputFormat format, int rows);

}  // namespace velmora::label
