#include "tools/trace/TraceCommand.h"

#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "model/DataFile.h"
#include "tools/trace/FormulaTable.h"
#include "tools/trace/GoldenPictures.h"

namespace orbisk {

namespace {

constexpr const char* kUsage =
    "usage: orbisk-trace [--detail high|low] DATAFILE | --golden NAME | --golden-names | "
    "--formula-table";

int fail(std::FILE* err, const std::string& message) {
  std::fprintf(err, "orbisk-trace: %s\n", message.c_str());
  return 2;
}

bool write(std::FILE* out, const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), out) == text.size();
}

// The record of a data file, refused as orbisk-render refuses it: not a regular file, or fewer
// readable fields than a data file needs.
bool readDataFile(const std::string& path, DataRecord& record, std::string& error) {
  struct stat info {};
  std::ifstream in;
  // Only a regular file is opened, so that a FIFO or device cannot keep the command waiting.
  if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) in.open(path, std::ios::binary);
  if (!in.is_open()) {
    error = "cannot read " + path;
    return false;
  }
  record = parseRecord(in);
  if (record.count < kMinimumRecordFields) {
    const std::string found =
        record.count == 1 ? "1 number" : std::to_string(record.count) + " numbers";
    error = path + " is not an Orbisk data file: " + found +
            " could be read; a data file needs at least " + std::to_string(kMinimumRecordFields);
    return false;
  }
  return true;
}

int traceDataFile(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  int16_t detailstep = 1;
  std::string path;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--detail" && i + 1 < args.size() &&
        (args[i + 1] == "high" || args[i + 1] == "low")) {
      detailstep = args[++i] == "low" ? 4 : 1;
    } else if (path.empty() && !args[i].empty() && args[i][0] != '-') {
      path = args[i];
    } else {
      return fail(err, std::string("unexpected ") + (args[i].empty() ? "empty argument" : args[i]) +
                           " (" + kUsage + ")");
    }
  }
  if (path.empty()) return fail(err, std::string("no data file (") + kUsage + ")");
  DataRecord record;
  if (std::string error; !readDataFile(path, record, error)) return fail(err, error);
  // A fresh start, then Load data, as orbisk-render draws a data file.
  PictureParams params;
  applyRecord(record, params);
  params.detailstep = detailstep;
  return write(out, traceOfFreshRun(params)) ? 0 : fail(err, "cannot write the trace");
}

}  // namespace

int traceCommand(int argc, char** argv, std::FILE* out, std::FILE* err) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0] == "--golden-names") {
    std::string names;
    for (const GoldenPicture& g : goldenPictures()) names += std::string(g.name) + "\n";
    return write(out, names) ? 0 : fail(err, "cannot write the names");
  }
  if (args.size() == 1 && args[0] == "--formula-table") {
    std::string table;
    for (const std::string& line : formulaTableLines()) table += line + "\n";
    return write(out, table) ? 0 : fail(err, "cannot write the table");
  }
  if (args.size() == 2 && args[0] == "--golden") {
    const GoldenPicture* g = findGoldenPicture(args[1]);
    if (g == nullptr) return fail(err, "no golden picture named " + args[1]);
    return write(out, traceOfFreshRun(goldenParams(*g))) ? 0 : fail(err, "cannot write the trace");
  }
  return traceDataFile(args, out, err);
}

}  // namespace orbisk
