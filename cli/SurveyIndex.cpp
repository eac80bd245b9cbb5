#include "cli/SurveyIndex.h"

#include <algorithm>
#include <cstdio>

namespace orbisk {

namespace {

// The drawn share as a percent with two decimals, from millionths: "12.34".
std::string drawnPercent(const PictureContent& content) {
  const uint64_t hundredths = content.drawnPpm() / 100;
  char text[32];
  std::snprintf(text, sizeof text, "%llu.%02llu", static_cast<unsigned long long>(hundredths / 100),
                static_cast<unsigned long long>(hundredths % 100));
  return text;
}

std::string escapeHtml(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// A relative link to a file in the folder: bytes outside the unreserved set are percent-encoded,
// so no name can leave the attribute or be read as a scheme or an absolute path.
std::string relativeLink(const std::string& name) {
  std::string out;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= '0' && byte <= '9') || c == '-' || c == '_' || c == '.' || c == '/') {
      out += c;
    } else {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", byte);
      out += escape;
    }
  }
  return "./" + out;
}

}  // namespace

void sortSurveyEntries(std::vector<SurveyEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return showsMoreThan(a.content, a.candidate, b.content, b.candidate);
  });
}

std::string surveyTsv(const std::vector<SurveyEntry>& entries, uint64_t seed) {
  std::string text = "file\tseed\tcandidate\trecord\tcolours\tdrawn area %\n";
  for (const SurveyEntry& e : entries) {
    text += e.file + '\t' + std::to_string(seed) + '\t' + std::to_string(e.candidate) + '\t' +
            e.record + '\t' + std::to_string(e.content.colours) + '\t' + drawnPercent(e.content) +
            '\n';
  }
  return text;
}

std::string surveyHtml(const std::vector<SurveyEntry>& entries, uint64_t seed) {
  const std::string title = "Orbisk random candidates, seed " + std::to_string(seed);
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
      "</title>\n<style>\nbody { font-family: sans-serif; background: #222; color: #ddd; }\n"
      "figure { display: inline-block; margin: 6px; text-align: center; }\n"
      "img { display: block; background: #000; }\n"
      "figcaption { font-size: small; }\na { color: #9cf; }\n</style>\n</head>\n<body>\n<h1>" +
      title + "</h1>\n<p>" + std::to_string(entries.size()) +
      " pictures, the richest first (colours times drawn area).</p>\n";
  for (const SurveyEntry& e : entries) {
    const std::string link = escapeHtml(relativeLink(e.file));
    html += "<figure><a href=\"" + link + "\"><img src=\"" + escapeHtml(relativeLink(e.thumbnail)) +
            "\" alt=\"candidate " + std::to_string(e.candidate) + "\" title=\"" +
            escapeHtml(e.record) + "\"></a><figcaption><a href=\"" + link + "\">" +
            escapeHtml(e.file) + "</a><br>" + std::to_string(e.content.colours) + " colours, " +
            drawnPercent(e.content) + " % drawn</figcaption></figure>\n";
  }
  html += "</body>\n</html>\n";
  return html;
}

}  // namespace orbisk
