// The headless renderer: what the program does after a fresh start, Load data and one CREATE;
// or, for a PNG carrying its record, the run that drew that picture.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace orbisk {

struct RenderOptions {
  std::string dataFile;      // the data file to load, or a PNG carrying its record
  std::string tracePath;     // --trace FILE, empty for none
  std::string outputPath;    // -o OUT.bmp|OUT.png, empty for none
  bool lowDetail = false;    // --detail low
  bool detailGiven = false;  // --detail was given (a PNG's own detail applies otherwise)
  int scale = 1;             // --scale K: the same picture K times larger, 1..8
  bool scaleGiven = false;   // --scale was given (a PNG's own scale applies otherwise)
};

// Parses the arguments after the program name. Returns an empty string or a one-line error.
std::string parseRenderOptions(const std::vector<std::string>& args, RenderOptions& options);

// Renders; returns the exit status (0, or 2 after writing a one-line message to err).
int runRender(const RenderOptions& options, std::FILE* err);

// The whole command line: usage errors and render errors exit with status 2.
int renderCommand(int argc, char** argv, std::FILE* err);

}  // namespace orbisk
