// The two index files of orbisk-render --random: index.tsv for tools and index.html, a contact
// sheet of the thumbnails linking to the pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/run/PictureContent.h"

namespace orbisk {

// One picture the survey wrote.
struct SurveyEntry {
  std::string file;        // the picture's name in the folder
  std::string thumbnail;   // its thumbnail's path relative to the folder
  uint64_t candidate = 0;  // its number in the candidate sequence
  std::string record;      // the data-file line of its record, without CR LF
  PictureContent content;  // what the full picture holds
};

// Puts the entries in the gallery's order: the richest first.
void sortSurveyEntries(std::vector<SurveyEntry>& entries);

// A header line, then one line per entry: file, seed, candidate, record, colours and the drawn
// share of the area in percent, separated by tabs.
std::string surveyTsv(const std::vector<SurveyEntry>& entries, uint64_t seed);

// A plain HTML page: one thumbnail per entry, each linking to its picture, with its candidate
// number, colours and drawn area. Names are escaped and links are relative to the folder.
std::string surveyHtml(const std::vector<SurveyEntry>& entries, uint64_t seed);

}  // namespace orbisk
