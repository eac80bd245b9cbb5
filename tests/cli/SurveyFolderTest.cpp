// orbisk-render --random and the folder it writes into: a survey never replaces another's
// files, never follows a link planted among the names it chooses, checks its index files before
// drawing, and tells what it wrote as it goes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "RenderChildProcess.h"
#include "RenderCommandFixture.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;

class SurveyFolderTest : public RenderCommandFixture {
 protected:
  // Everything in a folder and its thumbnails, name -> bytes (folders as "<folder>").
  static std::map<std::string, std::string> contentOf(const std::string& folder) {
    std::map<std::string, std::string> content;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      const std::string name = fs::relative(entry.path(), folder).string();
      content[name] = entry.is_symlink()     ? "-> " + fs::read_symlink(entry.path()).string()
                      : entry.is_directory() ? "<folder>"
                                             : bytesOf(entry.path().string());
    }
    return content;
  }
  static std::size_t picturesIn(const std::string& folder) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
      count += entry.path().extension() == ".png";
    return count;
  }
  // The first picture a seed-42 survey of 8 candidates writes, by its index's first row.
  std::string firstPictureOfSeed42() {
    EXPECT_EQ(run({"--random", "8", "--seed", "42", "-o", path("reference")}), 0) << stderr_;
    std::istringstream index(bytesOf(path("reference/index.tsv")));
    std::string header, file;
    std::getline(index, header);
    std::getline(index, file, '\t');
    return file;
  }
};

// A folder holding another survey, or a survey's files without its mark, or one that another
// survey is writing into, is refused before anything in it changes; the same survey again
// (a piece of it, or a run that was cut short) may add to its own folder.
TEST_F(SurveyFolderTest, NeverReplacesAnotherSurveysFiles) {
  ASSERT_EQ(run({"--random", "6", "--seed", "4", "-o", path("expl")}), 0) << stderr_;
  fs::create_directories(path("old"));
  writeData("old/candidate-000003.png", "a picture of an older survey");
  fs::create_directories(path("thumbs/thumbnails"));
  writeData("thumbs/thumbnails/candidate-000003.png", "a thumbnail of an older survey");
  fs::create_directories(path("busy"));
  const int busy = ::open(path("busy").c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(busy, 0);
  ASSERT_EQ(::flock(busy, LOCK_EX | LOCK_NB), 0);

  const struct {
    std::vector<std::string> args;
    const char* mentions;
  } refused[] = {
      {{"--random", "10", "--seed", "99", "-o", path("expl")}, "holds another survey (seed 4)"},
      {{"--random", "3", "-o", path("expl")}, "holds another survey"},
      {{"--random", "3", "--seed", "4", "-o", path("old")}, "cannot be told apart"},
      {{"--random", "3", "--seed", "4", "-o", path("thumbs")}, "cannot be told apart"},
      {{"--random", "3", "--seed", "4", "-o", path("busy")}, "another survey is writing"},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.args.back() + " " + c.mentions);
    const auto before = contentOf(c.args.back());
    EXPECT_EQ(run(c.args), 2);
    EXPECT_NE(stderr_.find(c.mentions), std::string::npos) << stderr_;
    EXPECT_EQ(std::count(stderr_.begin(), stderr_.end(), '\n'), 1) << stderr_;
    EXPECT_EQ(contentOf(c.args.back()), before);
  }
  ::close(busy);

  // The same survey again, in a piece of its own: its pictures are byte for byte the ones there.
  const auto before = contentOf(path("expl"));
  ASSERT_EQ(run({"--random", "3", "--seed", "4", "--first", "2", "-o", path("expl")}), 0)
      << stderr_;
  for (const auto& [name, bytes] : contentOf(path("expl"))) {
    if (name.find("candidate-") != std::string::npos && before.count(name)) {
      EXPECT_EQ(bytes, before.at(name)) << name;
    }
  }
}

// Links planted where a survey writes are refused, and what they point to stays as it was;
// index files that cannot be written are found before any candidate is drawn.
TEST_F(SurveyFolderTest, RefusesPlantedLinksAndUnwritableIndexFilesBeforeDrawing) {
  const std::string first = firstPictureOfSeed42();
  ASSERT_FALSE(first.empty());
  writeData("private", "private bytes");
  fs::create_directories(path("elsewhere"));
  const struct {
    std::string planted;  // the name inside the survey's folder
    bool folder;          // a folder in its place instead of a link
    const char* mentions;
  } cases[] = {
      {first, false, "symbolic link"},
      {"thumbnails", false, "symbolic link"},
      {"thumbnails/" + first, false, "symbolic link"},
      {"index.html", false, "symbolic link"},
      {"index.tsv", false, "symbolic link"},
      {"index.html", true, "folder"},
  };
  int folders = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.planted);
    const std::string folder = path("survey-" + std::to_string(folders++));
    // A folder this survey ran in before, where someone else has planted a name since.
    fs::create_directories(folder + "/thumbnails");
    fs::copy_file(path("reference/.orbisk-survey"), folder + "/.orbisk-survey");
    if (c.planted == "thumbnails") fs::remove(folder + "/thumbnails");
    if (c.folder)
      fs::create_directories(folder + "/" + c.planted);
    else
      fs::create_symlink(c.planted == "thumbnails" ? path("elsewhere") : path("private"),
                         folder + "/" + c.planted);
    EXPECT_EQ(run({"--random", "8", "--seed", "42", "-o", folder}), 2);
    EXPECT_NE(stderr_.find(c.mentions), std::string::npos) << stderr_;
    EXPECT_EQ(bytesOf(path("private")), "private bytes");
    EXPECT_TRUE(fs::is_empty(path("elsewhere")));
    // A bad index file is found before drawing: no picture was written.
    if (c.planted.rfind("index", 0) == 0) {
      EXPECT_EQ(picturesIn(folder), 0u);
    }
  }
}

// --timeout bounds each candidate: one that takes longer is left out with a line saying so and
// the survey goes on. Where stderr is no terminal, each picture written gets a line; the last
// line counts in words that agree with the numbers.
TEST_F(SurveyFolderTest, TimeoutBoundsEachCandidateAndProgressIsOneLinePerPicture) {
  const std::string first = firstPictureOfSeed42();
  const std::string number = first.substr(10, 6);
  ASSERT_EQ(run({"--random", "1", "--seed", "42", "--first", std::to_string(std::stoi(number)),
                 "--timeout", "600", "-o", path("one")}),
            0)
      << stderr_;
  EXPECT_EQ(stderr_, "orbisk-render: 1 of 1 candidates: wrote \"" + path("one/" + first) +
                         "\".\norbisk-render: wrote 1 picture of 1 candidate to \"" + path("one") +
                         "\".\n");

  const std::string heavy = writeData("endless.dat", kEndless);
  ASSERT_EQ(run({"--random", "2", "--seed", "1", "--start", heavy, "--timeout", "1", "-o",
                 path("heavy")}),
            0)
      << stderr_;
  // Each candidate is written or left out, then the last line counts.
  std::istringstream lines(stderr_);
  std::vector<std::string> said;
  for (std::string line; std::getline(lines, line);) said.push_back(line);
  ASSERT_FALSE(said.empty());
  EXPECT_LE(said.size(), 3u) << stderr_;
  for (std::size_t i = 0; i + 1 < said.size(); ++i)
    EXPECT_TRUE(said[i].find(": wrote \"") != std::string::npos ||
                said[i].find("took longer than --timeout 1 seconds; left out.") !=
                    std::string::npos)
        << said[i];
}

// Ctrl+C in the middle of a survey into a folder holding an earlier run of it: the temporary
// files go, and the index left is the earlier one, naming only its pictures, all there.
TEST_F(SurveyFolderTest, CtrlCLeavesATruthfulIndexAndNoTemporaryFile) {
  const std::string heavy = writeData("endless.dat", kEndless);
  const std::vector<std::string> survey = {"--random", "3",         "--seed", "1",  "--start",
                                           heavy,      "--timeout", "1",      "-o", path("s")};
  ASSERT_EQ(run(survey), 0) << stderr_;
  const auto before = contentOf(path("s"));
  // The same survey without its bound: a run of hours.
  const pid_t pid = startRender({"--random", "3", "--seed", "1", "--start", heavy, "-o", path("s")},
                                path("stderr.txt"));
  // The index files' temporary names appear once they were opened, before the first candidate.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  auto temporaries = [&] {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(path("s")))
      count += entry.path().filename().string().rfind(".orbisk-", 0) == 0 &&
               entry.path().filename() != ".orbisk-survey";
    return count;
  };
  while (temporaries() < 2 && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(temporaries(), 2u);
  ::kill(pid, SIGINT);
  const ChildResult child = finishRender(pid, path("stderr.txt"));
  fs::remove(path("stderr.txt"));
  ASSERT_TRUE(WIFSIGNALED(child.status)) << child.status << " " << child.stderr_;
  EXPECT_EQ(WTERMSIG(child.status), SIGINT);
  EXPECT_EQ(contentOf(path("s")), before);
}

// The README's recipe that joins the pieces of a survey orders them as the whole run's index
// does: the richest first, ties by candidate number.
TEST_F(SurveyFolderTest, TheReadmesJoinRecipeBreaksTiesByCandidateNumber) {
  std::ifstream readme(std::string(ORBISK_TEST_DATA) + "/../../README.md");
  std::string line, recipe;
  while (std::getline(readme, line) && line.find("Then one table of the whole survey") != 0) {
  }
  for (bool in = false; std::getline(readme, line);) {
    if (line.rfind("    awk ", 0) == 0) in = true;
    if (!in) continue;
    if (line.empty()) break;
    recipe += line.substr(4) + "\n";
  }
  ASSERT_NE(recipe.find("sort"), std::string::npos) << "no recipe found in the README";
  const std::string header = "file\tseed\tcandidate\trecord\tcolours\tdrawn area %\n";
  fs::create_directories(path("survey/part-0"));
  fs::create_directories(path("survey/part-10"));
  writeData("survey/part-0/index.tsv", header +
                                           "candidate-000009.png\t7\t9\tr\t3\t10.00\n"
                                           "candidate-000002.png\t7\t2\tr\t3\t10.00\n");
  writeData("survey/part-10/index.tsv", header +
                                            "candidate-000011.png\t7\t11\tr\t3\t10.00\n"
                                            "candidate-000010.png\t7\t10\tr\t4\t10.00\n");
  const std::string script = path("join.sh");
  writeData("join.sh", "cd '" + dir_.string() + "' || exit 1\n" + recipe);
  ASSERT_EQ(std::system(("sh " + script).c_str()), 0) << recipe;
  std::istringstream joined(bytesOf(path("survey.tsv")));
  std::vector<std::string> order;
  for (std::string row; std::getline(joined, row);) order.push_back(row.substr(0, 20));
  EXPECT_EQ(order, (std::vector<std::string>{"candidate-000010.png", "candidate-000002.png",
                                             "candidate-000009.png", "candidate-000011.png"}));
}

}  // namespace
}  // namespace orbisk
