#include "label/LabelCommands.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "label/CommandSupport.h"
#include "platform/FileAccess.h"

namespace velmora::label {
namespace {

namespace fs = std::filesystem;

// A file of the program's own in the temporary folder, removed when done.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& suffix) {
    std::string pattern = (fs::temp_directory_path() / ("velmora-job-XXXXXX" + suffix)).string();
    const int fd = ::mkstemps(pattern.data(), static_cast<int>(suffix.size()));
    if (fd < 0) throw std::runtime_error("cannot make a temporary file for the job");
    ::close(fd);
    path_ = pattern;
  }
  ~TemporaryFile() { ::unlink(path_.c_str()); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

int RunPrint(const PrintRequest& p, const std::string& dataDir, std::ostream& out, std::ostream& err) {
  return Guarded(out, err, [&] {
    const auto gs1 = symbol::LoadGs1Data(dataDir);
    const RenderRequest& r = p.render;
    const LabelTemplate t = ReadCheckedTemplate(r.templatePath);
    std::unique_ptr<RowSource> rows;
    try {
      rows = ValueRows(t, r, err);
    } catch (const NoRows& e) {
      err << "velmora-label: " << e.what() << std::endl;
      return kStatusFindings;
    }
    const TemporaryFile job(p.job == OutputFormat::Pdf ? ".pdf" : p.job == OutputFormat::Pbm ? ".pbm" : ".zpl");
    RenderOptions o = r.options;
    o.out = job.Path();
    o.format = p.job;
    const RenderSummary s = RenderLabels(t, gs1, *rows, o, err, r.progressBar ? ProgressBar(err) : nullptr);
    if (r.progressBar) err << "\r\033[K" << std::flush;
    std::string bytes;
    if (s.drawn > 0 && ReadWholeFile(job.Path(), bytes) != ReadStatus::Ok)
      throw std::runtime_error("the job's file is gone");
    std::string said;
    if (s.drawn > 0) {
      try {
        said = p.send(bytes, job.Path());
      } catch (const std::runtime_error& e) {
        out << "0 of " << s.rows << " labels printed to " << p.printer << '\n';
        err << "velmora-label: " << e.what() << std::endl;
        return kStatusFindings;
      }
    }
    out << s.drawn << " of " << s.rows << " labels printed to " << p.printer;
    if (s.drawn > 0)
      out << " (" << (said.empty() ? "" : said + ", ") << bytes.size() / static_cast<std::size_t>(s.drawn)
          << " bytes a label)";
    if (s.rejected > 0) out << ", " << s.rejected << (s.rejected == 1 ? " row rejected" : " rows rejected");
    if (o.verify) out << ", " << s.drawn - s.unverified << " scanned back equal";
    out << '\n';
    return s.AllGood() ? 0 : kStatusFindings;
  });
}

}  // namespace velmora::label
