// orbisk-trace, which the platform check builds with every compiler, writes exactly the trace
// orbisk-render --trace writes, and refuses bad input in one line.
#include "tools/trace/TraceCommand.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/cli/RenderCommandFixture.h"

namespace orbisk {
namespace {

std::string contentOf(std::FILE* f) {
  std::string text;
  std::rewind(f);
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
  std::fclose(f);
  return text;
}

class TraceCommand : public RenderCommandFixture {
 protected:
  // Runs orbisk-trace with args; returns the exit status and keeps stdout and stderr.
  int trace(std::vector<std::string> args) {
    args.insert(args.begin(), "orbisk-trace");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = traceCommand(static_cast<int>(argv.size()), argv.data(), out, err);
    out_ = contentOf(out);
    err_ = contentOf(err);
    return status;
  }

  std::string out_, err_;  // what the last trace run wrote
};

// Every frame (the canvas size reaches the shapes) and both details.
TEST_F(TraceCommand, WritesTheTraceOfOrbiskRender) {
  struct Case {
    const char* record;
    bool low;
  };
  const Case cases[] = {
      {"110,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1,25,25,0,0", false},
      {"40,4,3,1,11,10,11,7,20,9,15,20,1001,1001,10,-70,100,1001,12,5,0,0,0,0,0,2,5,1,10,30,0,0",
       true},
      {"30,2,6,2,5,3,2,5,8,3,7,6,1001,1001,40,40,48,1001,3,4,0,0,0,0,0,3,3,3,-20,40,50,-30", false},
  };
  for (const Case& c : cases) {
    const std::string data = writeData("picture.dat", std::string(c.record) + "\r\n");
    std::vector<std::string> args = {"--trace", path("render.trace"), data};
    if (c.low) args.insert(args.begin(), {"--detail", "low"});
    ASSERT_EQ(run(args), 0) << stderr_;
    std::vector<std::string> traceArgs = {data};
    if (c.low) traceArgs.insert(traceArgs.begin(), {"--detail", "low"});
    EXPECT_EQ(trace(traceArgs), 0) << err_;
    EXPECT_TRUE(out_ == bytesOf(path("render.trace"))) << c.record;
    EXPECT_EQ(err_, "");
  }
}

TEST_F(TraceCommand, RefusesBadInputInOneLine) {
  writeData("short.dat", "1,2,3\r\n");
  std::filesystem::create_directory(path("folder.dat"));
  struct Case {
    std::vector<std::string> args;
    const char* message;  // what the line says
  };
  const Case cases[] = {
      {{path("missing.dat")}, "cannot read "},
      {{path("folder.dat")}, "cannot read "},
      {{path("short.dat")},
       "is not an Orbisk data file: 3 numbers could be read; a data file needs at least 28"},
      {{}, "no data file"},
      {{"--detail", "medium", path("short.dat")}, "unexpected --detail"},
      {{"--golden", "nothing"}, "no golden picture named nothing"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(trace(c.args), 2) << c.message;
    EXPECT_EQ(out_, "");
    EXPECT_EQ(err_.rfind("orbisk-trace: ", 0), 0u) << err_;
    EXPECT_NE(err_.find(c.message), std::string::npos) << err_;
    EXPECT_EQ(err_.find('\n'), err_.size() - 1) << err_;
  }
}

}  // namespace
}  // namespace orbisk
