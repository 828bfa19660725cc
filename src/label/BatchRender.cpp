#include "label/BatchRender.h"

#include "symbol/Gs1_128Limits.h"
#include "symbol/Gs1_128Split.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <thread>
#include <utility>

#include "label/LabelDrawing.h"
#include "label/RowOrderedFile.h"
#include "label/RowSource.h"
#include "label/SymbolScenes.h"
#include "label/ValueChecks.h"
#include "platform/FileAccess.h"
#include "render/LabelCanvas.h"
#include "symbol/Analysis.h"
#include "symbol/ScanBack.h"
#include "symbol/SymbolChoice.h"

namespace velmora::label {
namespace {

namespace fs = std::filesystem;

constexpr int kScanPixelsPerModule = 3;

struct RowResult {
  std::vector<std::string> problems;  // report lines, without the row
  std::string part;                   // the row's ZPL format or PBM image, for the run's file
  std::string writeError;             // why its file could not be written
  bool drawn = false;
  bool verified = true;
  // kept for the PDF, which is drawn in row order once all rows are done
  std::optional<render::LabelScene> scene;
  symbol::Elements elements;  // all the label's symbols carry, each exactly once
};

// The symbol that decides a label's width: its widest.
const render::LabelLayout& Widest(const render::LabelScene& scene) {
  return std::max_element(scene.symbols.begin(), scene.symbols.end(),
                          [](const auto& a, const auto& b) {
                            return a.layout.modules * a.layout.module < b.layout.modules * b.layout.module;
                          })
      ->layout;
}

// What would make a label `excess` mm too wide fit `room` mm: a smaller module
// when its symbol is what is too wide, else a smaller text.
std::string NarrowerBy(const render::LabelLayout& l, double room) {
  const double quiet = l.quiet * l.module;
  const double margin = l.barsLeft - quiet;  // the template's own, left and right
  if (l.barsLeft + l.modules * l.module + quiet + margin <= room + 1e-6) {
    return "; the text is what is wider: a smaller --text-size, or --no-text, makes it fit";
  }
  const double module = std::floor((room - 2 * margin) / (l.modules + 2 * l.quiet) * 100) / 100;
  if (module < 0.05) return "";
  char text[80];
  std::snprintf(text, sizeof text, "; --module %.2fmm makes it fit", module);
  return text;
}

// "the label is 88.5 x 19.0 mm: 8.5 mm wider than the 80 x 50 mm stock; --module 0.36mm makes it fit".
std::string Oversize(const render::LabelScene& l, double width, double height) {
  char text[80];
  std::string by;
  if (l.width - width > 1e-6) {
    std::snprintf(text, sizeof text, "%.1f mm wider", l.width - width);
    by = text;
  }
  if (l.height - height > 1e-6) {
    std::snprintf(text, sizeof text, "%.1f mm taller", l.height - height);
    by += (by.empty() ? "" : " and ") + std::string(text);
  }
  std::snprintf(text, sizeof text, "the label is %.1f x %.1f mm: ", l.width, l.height);
  std::string said = text + by;
  std::snprintf(text, sizeof text, " than the %g x %g mm stock", width, height);
  said += text;
  const render::LabelLayout& widest = Widest(l);
  if (l.width - width > 1e-6) said += NarrowerBy(widest, width);
  const double lower = widest.barsHeight - (l.height - height) / static_cast<double>(l.symbols.size());
  if (l.height - height > 1e-6 && widest.rows == 0 && lower >= 1) {
    std::snprintf(text, sizeof text, "; --bar-height %.1fmm makes it low enough", lower);
    said += text;
  }
  return said;
}

// "the label is 120.0 mm wide: 18.4 mm wider than the printer prints (101.6 mm, --print-width); ...".
// A logistics label is as wide as its stock: the stock is what to change.
std::string WiderThanPrinted(const render::LabelScene& l, double printWidth, bool turned, bool logistic) {
  const double across = turned ? l.height : l.width;
  char text[128];
  std::snprintf(text, sizeof text,
                "the label is %.1f mm wide: %.1f mm wider than the printer prints (%g mm, "
                "--print-width)",
                across, across - printWidth, printWidth);
  if (logistic)
    return text + std::string("; a logistics label is as wide as its --media: give stock the printer prints across");
  return text + (turned ? std::string("; turned, its height is its width: a lower --bar-height or --text-size")
                        : NarrowerBy(Widest(l), printWidth));
}

// The part of a label's image that holds a symbol and its quiet zone,
// with two modules more on each side for the rounding of modules to dots.
symbol::GreyImage SymbolRegion(const symbol::GreyImage& image, const render::LabelLayout& l, int dpi) {
  const double dots = dpi / 25.4;
  const double module = std::max(1.0, std::round(l.module * dots));
  const double margin = (l.quiet + 2) * module;
  const int left = std::max(0, static_cast<int>(l.barsLeft * dots - margin));
  const int top = std::max(0, static_cast<int>(l.barsTop * dots - margin));
  const int right = std::min(image.width, static_cast<int>(l.barsLeft * dots + l.modules * module + margin));
  const double height = l.rows > 0 ? l.rows * module : l.barsHeight * dots;
  const int bottom = std::min(image.height, static_cast<int>(l.barsTop * dots + height + margin));
  symbol::GreyImage region;
  if (right <= left || bottom <= top) return region;
  region.width = right - left;
  region.height = bottom - top;
  for (int y = top; y < bottom; ++y) {
    const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
    region.pixels.insert(region.pixels.end(), row + left, row + right);
  }
  return region;
}

class RowRenderer {
 public:
  RowRenderer(const LabelTemplate& t, const symbol::Gs1Data& gs1, const RenderOptions& o, int rows)
      : t_(t), g_(Geometry(t, o)), gs1_(gs1), o_(o), rows_(rows), padded_(t.barcode.Padded()) {}

  // The row's data evaluated, checked, encoded and laid out; not drawn yet.
  RowResult Prepare(const symbol::VariableValues& given) const {
    RowResult r;
    r.problems = ValueProblems(given, padded_);
    if (!r.problems.empty()) return r;
    const symbol::VariableValues values = t_.ValuesWith(given);
    std::string data;
    std::string text;
    try {
      data = t_.barcode.Evaluate(values);
      text = t_.elementString || o_.noText ? std::string() : t_.readable.Evaluate(values);
    } catch (const symbol::FormulaError& e) {
      r.problems.push_back(std::string(e.what()));
      return r;
    }
    symbol::Analysis analysis;
    try {
      analysis = t_.elementString ? symbol::AnalyseElementString(data, gs1_) : symbol::AnalyseBarcodeData(data, gs1_);
      if (t_.elementString && !o_.noText) text = symbol::HumanReadable(analysis.elements);
    } catch (const symbol::ElementError& e) {
      r.problems.push_back(e.what());
      return r;
    }
    for (const symbol::Finding& f : analysis.findings) r.problems.push_back(symbol::FindingText(f));
    if (!analysis.Valid()) return r;
    symbol::EncodedSymbol encoded;
    try {
      encoded = symbol::EncodeAs(o_.symbol, analysis.elements, gs1_.dictionary, o_.dlDomain);
    } catch (const symbol::DigitalLinkError& e) {
      r.problems.push_back(std::string("no GS1 Digital Link URI: ") + e.what());
      return r;
    }
    if (!encoded.Ok()) {
      r.problems.push_back("the encoder refused the data: " + encoded.error);
      return r;
    }
    // The text wraps to the stock's width (or the printer's), where it would make the label wider.
    // A label turned a quarter runs its text down the printer, not across.
    const double across = render::QuarterTurn(o_.rotate) ? 0 : o_.printWidth;
    const double maxWidth = o_.mediaWidth > 0 ? o_.mediaWidth : across;
    if (o_.layout == LayoutKind::Gs1Logistic) {
      return Several(r, analysis.elements, [&] { return LogisticScene(analysis.elements, encoded, gs1_, o_); });
    }
    if (encoded.kind == symbol::SymbolKind::Gs1_128) {
      const symbol::Findings limits =
          symbol::Gs1_128LimitFindings(encoded.elements, gs1_.dictionary, &encoded, g_.moduleWidth);
      // An element string given without a template goes over as many symbols as it needs.
      if (!limits.empty() && t_.elementString) {
        return Several(r, analysis.elements, [&] { return StackedScene(analysis.elements, gs1_, g_, o_, maxWidth); });
      }
      for (const symbol::Finding& f : limits) r.problems.push_back(symbol::FindingText(f));
      if (!limits.empty()) return r;
    }
    render::LabelLayout layout = LayOutLabel(g_, encoded, text, o_.module, maxWidth);  // before `encoded` moves
    r.scene = render::OneSymbolScene(std::move(layout), std::move(encoded), g_);
    return r;
  }

  // A label of several symbols, or the reason there is none.
  template <class Make>
  static RowResult Several(RowResult& r, const symbol::Elements& elements, Make make) {
    try {
      r.scene = make();
      r.elements = elements;
    } catch (const std::runtime_error& e) {
      r.problems.push_back(e.what());
    }
    return std::move(r);
  }

  // Draws a prepared row at the run's label size, writes it and, if asked, scans it back.
  void Draw(int row, RowResult& r, double width, double height) const {
    if (!r.scene) return;
    render::LabelScene& scene = *r.scene;
    const bool quarter = render::QuarterTurn(o_.rotate);               // turned, its height runs across the printer
    if (scene.width > width + 1e-6 || scene.height > height + 1e-6) {  // larger than the stock
      r.problems.push_back(Oversize(scene, width, height) +
                           (quarter ? " (turned a quarter: the label's width runs along the stock's height)" : ""));
      r.scene.reset();
      return;
    }
    if (o_.printWidth > 0 && (quarter ? scene.height : scene.width) > o_.printWidth + 1e-6) {
      r.problems.push_back(WiderThanPrinted(scene, o_.printWidth, quarter, o_.layout == LayoutKind::Gs1Logistic));
      r.scene.reset();
      return;
    }
    render::FitToSize(scene, width, height);
    try {
      symbol::GreyImage scanned;  // the PNG's very image, for the scan
      if (Write(row, r, scanned)) {
        r.drawn = true;
        if (o_.verify) Verify(r, std::move(scanned));
      }
    } catch (const std::runtime_error& e) {  // a label too large to draw
      r.problems.push_back(e.what());
      r.verified = !r.drawn;  // drawn as vectors; the scanner's image was too large
    }
    if (!Pages(o_.format) || !r.drawn) r.scene.reset();  // pages are drawn at the end
  }

 private:
  bool Write(int row, RowResult& r, symbol::GreyImage& scanned) const {
    const OutputFormatRow& format = RowOf(o_.format);
    if (format.write == nullptr) return true;  // pages, drawn at the run's end
    LabelBytes label = format.write(*r.scene, {o_.dpi, o_.copies, o_.verify, o_.rotate});
    scanned = std::move(label.drawn);
    if (format.oneFile) {
      r.part = std::move(label.bytes);
      return true;
    }
    const std::string path = (fs::path(o_.out) / LabelFileName(row, o_.format, rows_)).string();
    if (!ReplaceFile(path, label.bytes, Durability::HandOff)) {
      r.writeError = std::strerror(errno);
      r.problems.push_back(path + ": cannot be written: " + r.writeError);
      return false;
    }
    return true;
  }

  void Verify(RowResult& r, symbol::GreyImage image) const {
    const render::LabelScene& scene = *r.scene;
    int dpi = o_.dpi;
    if (image.pixels.empty()) {  // a vector format: drawn for the scanner at a few pixels a module
      double finest = scene.symbols.front().layout.module;
      for (const render::SceneSymbol& s : scene.symbols) finest = std::min(finest, s.layout.module);
      dpi = static_cast<int>(kScanPixelsPerModule * 25.4 / finest + 0.5);
      image = RenderRaster(scene, dpi, false, true).grey;
    }
    // A symbol among others, or a small 2D one, is found in its own region, as a scanner aimed at it finds it;
    // a label's only symbol is looked for in the whole label the second time.
    const bool alone = scene.symbols.size() == 1;
    for (std::size_t i = 0; i < scene.symbols.size(); ++i) {
      const render::SceneSymbol& s = scene.symbols[i];
      std::string problem = "the symbol could not be scanned";
      if (!alone || symbol::IsMatrix(s.symbol.kind)) {
        problem = symbol::VerifySymbol(SymbolRegion(image, s.layout, dpi), s.symbol, gs1_.dictionary);
      }
      if (!problem.empty() && alone) problem = symbol::VerifySymbol(image, s.symbol, gs1_.dictionary);
      if (problem.empty()) continue;
      r.verified = false;
      r.problems.push_back(alone ? problem
                                 : "symbol " + std::to_string(i + 1) + " of " + std::to_string(scene.symbols.size()) +
                                       ": " + problem);
    }
    if (alone || !r.verified) return;
    std::vector<symbol::Elements> carried;  // each as scanned: equal to what it encodes
    for (const render::SceneSymbol& s : scene.symbols) carried.push_back(s.symbol.elements);
    if (const std::string problem = symbol::CarriedOnce(r.elements, carried); !problem.empty()) {
      r.verified = false;
      r.problems.push_back(problem);
    }
  }

  // The template's geometry, with the bar width of --module for GS1-128.
  static render::TemplateGeometry Geometry(const LabelTemplate& t, const RenderOptions& o) {
    render::TemplateGeometry g = t.geometry;
    if (o.module > 0 && o.symbol == symbol::SymbolKind::Gs1_128) g.moduleWidth = o.module;
    if (o.barHeight > 0) {  // the text keeps its distance below the bars
      g.textY += o.barHeight - g.barcodeHeight;
      g.barcodeHeight = o.barHeight;
    }
    if (o.textSize > 0) g.fontHeight = o.textSize;
    return g;
  }

  const LabelTemplate& t_;
  const render::TemplateGeometry g_;
  const symbol::Gs1Data& gs1_;
  const RenderOptions& o_;
  const int rows_;  // in the run: the width of the files' numbers
  const std::vector<symbol::Formula::Padded> padded_;
};

// Is `name` a label file of a run in `format` ("label-00017.png")?
bool IsLabelFile(const std::string& name, OutputFormat format) {
  const std::string suffix = std::string(".") + Extension(format);
  if (!name.starts_with("label-") || !name.ends_with(suffix) || name.size() <= 6 + suffix.size()) return false;
  const std::string number = name.substr(6, name.size() - 6 - suffix.size());
  return number.find_first_not_of("0123456789") == std::string::npos;
}

// A folder of labels holds this run's labels only: an earlier run's, and the
// temporaries of a run that was killed, go first (and are counted on `report`).
void ClearEarlierRun(const RenderOptions& o, std::ostream& report) {
  if (OneFile(o.format)) return;
  const int removed =
      RemoveStaleTemporariesIn(o.out, [&o](const std::string& name) { return IsLabelFile(name, o.format); });
  if (removed > 0) {
    report << "velmora-label: " + o.out + ": " + std::to_string(removed) + (removed == 1 ? " label" : " labels") +
                  " of an earlier run removed\n";  // one write, as a line
  }
}

// Calls `work(i)` for every row index over `cores` threads (this one among
// them), `progress(done, total)` now and then from a thread of its own. The
// first exception a row throws reaches the caller once every thread has ended.
void ForEachRow(int total, unsigned cores, const std::function<void(int, int)>& progress,
                const std::function<void(int)>& work, const std::function<bool()>& cancelled = {}) {
  std::atomic<int> next{0};
  std::atomic<int> done{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  const auto loop = [&] {
    try {
      for (int i = next++; i < total; i = next++) {
        if (cancelled && cancelled()) break;
        work(i);
        ++done;
      }
    } catch (...) {
      const std::lock_guard<std::mutex> lock(failureLock);
      if (!failure) failure = std::current_exception();
      next = total;  // the others stop too
    }
  };
  std::vector<std::thread> workers;
  for (unsigned i = 1; i < std::min<unsigned>(cores, static_cast<unsigned>(std::max(total, 1))); ++i) {
    workers.emplace_back(loop);
  }
  std::thread reporter;
  std::atomic<bool> finished{false};
  if (progress) {
    reporter = std::thread([&] {
      while (!finished) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        progress(done, total);
      }
    });
  }
  loop();
  for (std::thread& w : workers) w.join();
  finished = true;
  if (reporter.joinable()) reporter.join();
  if (failure) std::rethrow_exception(failure);
}

// The grid's top left corner on a sheet, centred; throws when the grid does
// not fit, saying by how much.
std::pair<double, double> GridOrigin(const RenderOptions::Sheet& s, double width, double height) {
  const double gridWidth = s.columns * width + (s.columns - 1) * s.gap;
  const double gridHeight = s.rows * height + (s.rows - 1) * s.gap;
  if (gridWidth > s.width + 1e-6 || gridHeight > s.height + 1e-6) {
    char text[220];
    std::snprintf(text, sizeof text,
                  "a grid of %d x %d labels of %.1f x %.1f mm, %g mm apart, is %.1f x %.1f mm: larger than the "
                  "%g x %g mm sheet",
                  s.columns, s.rows, width, height, s.gap, gridWidth, gridHeight, s.width, s.height);
    throw std::runtime_error(text);
  }
  return {(s.width - gridWidth) / 2, (s.height - gridHeight) / 2};
}

// The run's PDF, its pages added in row order batch by batch and written to
// the file as cairo finishes them; no label, no file.
class PdfPages {
 public:
  PdfPages(const LabelTemplate& t, const RenderOptions& o)
      : t_(t), o_(o), file_(o.out, o.jobFd), pdf_([this](std::string_view bytes) { Buffer(bytes); }) {}

  void Add(std::vector<RowResult>& results) {
    const RenderOptions::Sheet& sheet = o_.sheet;
    for (RowResult& r : results) {
      if (!r.drawn) continue;
      if (sheet.columns == 0) {
        pdf_.AddPage(*r.scene, o_.rotate);
      } else {
        const render::LabelScene& scene = *r.scene;
        const auto [left, top] = GridOrigin(sheet, scene.width, scene.height);
        const int cell = placed_ % (sheet.columns * sheet.rows);
        const double x = left + (cell % sheet.columns) * (scene.width + sheet.gap);
        const double y = top + (cell / sheet.columns) * (scene.height + sheet.gap);
        pdf_.AddToSheet(scene, sheet.width, sheet.height, x, y, cell == 0);
        ++placed_;
      }
      r.scene.reset();
    }
  }

  void Finish() {
    const bool any = pdf_.Pages() > 0;
    pdf_.Finish();
    file_.Append(pending_);
    file_.Finish(any);
  }

 private:
  // cairo hands its bytes over a few at a time: written in blocks, not a call each.
  void Buffer(std::string_view bytes) {
    pending_ += bytes;
    if (pending_.size() < (1 << 16)) return;
    file_.Append(pending_);
    pending_.clear();
  }

  const LabelTemplate& t_;
  const RenderOptions& o_;
  RunFile file_;
  std::string pending_;
  PdfDocument pdf_;
  int placed_ = 0;
};

constexpr std::size_t kBatch = 4096;  // rows in memory at once

// Every label of a run has one size: the stock's, else the largest content's.
// The rows are prepared once to find it; the first batch is kept for drawing.
std::pair<double, double> RunSize(RowSource& rows, const RowRenderer& renderer, const RenderOptions& o, unsigned cores,
                                  std::vector<RowResult>& firstBatch) {
  if (o.mediaWidth > 0) return {o.mediaWidth, o.mediaHeight};
  double width = 0;
  double height = 0;
  std::vector<symbol::VariableValues> batch;
  for (bool first = true; rows.Next(batch, kBatch); first = false) {
    // The first batch is kept whole; of the others only each label's size.
    std::vector<RowResult> prepared(first ? batch.size() : 0);
    std::vector<std::pair<double, double>> sizes(batch.size());
    ForEachRow(static_cast<int>(batch.size()), cores, {}, [&](int i) {
      const auto at = static_cast<std::size_t>(i);
      RowResult r = renderer.Prepare(batch[at]);
      if (r.scene) sizes[at] = {r.scene->width, r.scene->height};
      if (first) prepared[at] = std::move(r);
    });
    for (const auto& [w, h] : sizes) {
      width = std::max(width, w);
      height = std::max(height, h);
    }
    if (first) firstBatch = std::move(prepared);
  }
  rows.Rewind();
  return {width, height};
}

}  // namespace

std::string LabelFileName(int row, OutputFormat format, int rows) {
  const int width = std::max<int>(5, static_cast<int>(std::to_string(rows).size()));
  char name[48];
  std::snprintf(name, sizeof name, "label-%0*d.", width, row);
  return std::string(name) + Extension(format);
}

void PrepareOutput(const RenderOptions& o) {
  if (OneFile(o.format)) {
    const fs::path folder = fs::absolute(o.out).parent_path();
    if (!fs::is_directory(folder))
      throw std::runtime_error(o.out + ": the folder " + folder.string() + " does not exist");
    if (fs::is_directory(o.out))
      throw std::runtime_error(o.out + ": is a folder; a " + std::string(Extension(o.format)) +
                               " file needs a file name");
    if (::access(folder.c_str(), W_OK) != 0) throw std::runtime_error(o.out + ": the folder cannot be written");
    return;
  }
  std::error_code error;
  fs::create_directories(o.out, error);
  if (error || !fs::is_directory(o.out)) {
    throw std::runtime_error(o.out + ": cannot make the output folder" + (error ? " (" + error.message() + ")" : ""));
  }
  if (::access(o.out.c_str(), W_OK) != 0) throw std::runtime_error(o.out + ": the output folder cannot be written");
}

RenderSummary RenderLabels(const LabelTemplate& label, const symbol::Gs1Data& gs1, RowSource& rows,
                           const RenderOptions& given, std::ostream& report,
                           const std::function<void(int, int)>& progress) {
  // A label turned a quarter is laid out across the stock's height, then turned onto it.
  RenderOptions options = given;
  if (render::QuarterTurn(options.rotate)) std::swap(options.mediaWidth, options.mediaHeight);
  const int total = rows.Count();
  ClearEarlierRun(options, report);
  const RowRenderer renderer(label, gs1, options, total);
  const unsigned cores = options.threads != 0 ? options.threads
                         : total > 1          ? std::max(1u, std::thread::hardware_concurrency())
                                              : 1;
  std::vector<RowResult> kept;
  const auto [width, height] = RunSize(rows, renderer, options, cores, kept);
  // One-file formats get their labels as rows finish, in row order; pages batch by batch.
  std::optional<RowOrderedFile> parts;
  if (OneFile(options.format) && !Pages(options.format)) parts.emplace(options.out, options.jobFd);
  std::optional<PdfPages> pdf;
  if (Pages(options.format)) pdf.emplace(label, options);
  RenderSummary s;
  s.rows = total;
  std::vector<symbol::VariableValues> batch;
  const int first = options.firstRow - 1;  // rows before the run's first
  for (int base = 0; !s.interrupted && rows.Next(batch, kBatch); base += static_cast<int>(batch.size())) {
    const bool prepared = base == 0 && !kept.empty();  // the first batch, prepared to size the run
    std::vector<RowResult> results = prepared ? std::move(kept) : std::vector<RowResult>(batch.size());
    const auto batchProgress = progress
                                   ? std::function<void(int, int)>([&](int done, int) { progress(base + done, total); })
                                   : std::function<void(int, int)>();
    ForEachRow(
        static_cast<int>(batch.size()), cores, batchProgress,
        [&](int i) {
          RowResult& r = results[static_cast<std::size_t>(i)];
          if (!prepared) r = renderer.Prepare(batch[static_cast<std::size_t>(i)]);
          renderer.Draw(first + base + i + 1, r, width, height);
          if (parts) parts->Add(base + i, r.drawn ? std::move(r.part) : std::string());
        },
        options.cancelled);
    // An interrupted batch keeps the rows before the first one not drawn: the file holds no gap.
    s.interrupted = options.cancelled && options.cancelled();
    for (std::size_t i = 0; i < results.size(); ++i) {
      const RowResult& r = results[i];
      if (s.interrupted && !r.drawn && r.problems.empty()) break;
      for (const std::string& problem : r.problems)
        report << "row " << first + base + static_cast<int>(i) + 1 << ", " << problem << '\n';
      if (r.drawn) s.drawnRows.push_back(first + base + static_cast<int>(i) + 1);
      s.drawn += r.drawn ? 1 : 0;
      s.unwritten += r.writeError.empty() ? 0 : 1;
      s.rejected += r.drawn || !r.writeError.empty() ? 0 : 1;
      if (s.writeError.empty()) s.writeError = r.writeError;
      s.unverified += r.drawn && !r.verified ? 1 : 0;
    }
    if (pdf) pdf->Add(results);
  }
  if (parts) parts->Finish();
  if (pdf) pdf->Finish();
  return s;
}

RenderSummary RenderLabels(const LabelTemplate& label, const symbol::Gs1Data& gs1,
                           const std::vector<symbol::VariableValues>& rows, const RenderOptions& options,
                           std::ostream& report, const std::function<void(int, int)>& progress) {
  FixedRows source(rows);
  return RenderLabels(label, gs1, source, options, report, progress);
}

}  // namespace velmora::label
