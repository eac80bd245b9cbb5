// The module's interface to the page: plain C functions over UTF-8 strings and byte buffers.
// Every answer is JSON ({"ok": true, "text": ..., "message": ...}) kept until the next call, so
// the page copies it at once; byte results are read through orbisk_bytes / orbisk_bytes_size.
// Each instance of the module (the page's own, one per worker) has its own state.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "io/RecordMessages.h"
#include "web/core/Json.h"
#include "web/core/PngRecordChunk.h"
#include "web/core/WebExplore.h"
#include "web/core/WebFields.h"
#include "web/core/WebFiles.h"
#include "web/core/WebGallery.h"
#include "web/core/WebHelpTexts.h"
#include "web/core/WebPicture.h"
#include "web/core/WebRender.h"
#include "web/core/ZlibHandoff.h"

using namespace orbisk::web;

namespace {

std::string answerText;  // the last answer, kept for the page to read
std::string bytes;       // the last byte result
WebRender render;        // the picture this instance draws

const char* give(const Answer& answer, const char* status = nullptr) {
  JsonObject json;
  json.add("ok", answer.ok).add("text", answer.text).add("message", answer.message);
  if (status) json.add("status", status);
  answerText = json.text();
  return answerText.c_str();
}

uint64_t seedOf(uint32_t high, uint32_t low) {
  return (uint64_t{high} << 32) | low;
}

// A size the page gave; a negative one counts as nothing.
std::size_t byteCount(int size) {
  return size > 0 ? static_cast<std::size_t>(size) : 0;
}

// A candidate number the page gave as a JavaScript number: whole numbers up to 2^53 are exact;
// anything else (negative, not a number) counts as 0.
uint64_t candidateNumber(double first) {
  return first >= 0 && first <= 9007199254740992.0 ? static_cast<uint64_t>(first) : 0;
}

}  // namespace

extern "C" {

const char* orbisk_fields() {
  answerText = webFieldsJson();
  return answerText.c_str();
}

const char* orbisk_help_texts() {
  answerText = helpTextsJson();
  return answerText.c_str();
}

const char* orbisk_start_picture() {
  return give({true, startPicture(), {}});
}

const char* orbisk_picture_values(const char* picture) {
  return give(pictureValues(picture));
}

const char* orbisk_set_value(const char* picture, int position, int value) {
  return give(setPictureValue(picture, position, value));
}

const char* orbisk_random(const char* picture, uint32_t seedHigh, uint32_t seedLow) {
  return give(randomPicture(picture, seedOf(seedHigh, seedLow)));
}

const char* orbisk_data_line(const char* picture) {
  return give(dataFileLine(picture));
}

const char* orbisk_link(const char* picture) {
  return give(linkOf(picture));
}

// The link text is size bytes at link: a NUL in it is the link's own, for the reader to judge.
const char* orbisk_link_picture(const char* link, int size) {
  return give(pictureOfLink(std::string_view(link, byteCount(size))));
}

const char* orbisk_with_working_values(const char* picture, const char* from) {
  return give(withWorkingValues(picture, from));
}

// kind 0: the colour preview, 1: the shape preview.
const char* orbisk_preview(const char* picture, int kind) {
  return give(previewPicture(picture, kind == 1 ? PreviewKind::Shape : PreviewKind::Colours));
}

// The page's bound on what of a file it hands over.
double orbisk_max_file_bytes() {
  return static_cast<double>(orbisk::kMaxPictureFileBytes);
}

// Opens the file the page wrote at path. status "inflate": the record is compressed; the page
// reads its bytes with orbisk_bytes, inflates them, gives the result to orbisk_inflated and
// calls this again.
const char* orbisk_open_file(const char* picture, const char* path) {
  const Opened opened = openFile(picture, path);
  if (opened.outcome == OpenOutcome::NeedsInflate) {
    bytes = *compressedRecord();
    return give({false, {}, {}}, "inflate");
  }
  setInflatedRecord(std::nullopt);
  Answer answer = opened.answer;
  // Menu values no entry shows are named with what they count as.
  if (const std::string note = answer.ok ? offMenuNote(answer.text) : std::string(); !note.empty())
    answer.message += (answer.message.empty() ? "" : " ") + note;
  return give(answer, opened.outcome == OpenOutcome::Opened ? "opened" : "refused");
}

// What the browser inflated (size bytes at text), or failed when it could not.
void orbisk_inflated(const char* text, int size, int failed) {
  setInflatedRecord(std::string(text, byteCount(size)), failed != 0);
}

// The canvas's RGBA pixels (size bytes at rgba, width x height of them) as PNG scanlines, in
// orbisk_bytes, for the browser to deflate; nothing when the size does not match.
void orbisk_png_scanlines(const uint8_t* rgba, int size, int width, int height) {
  const bool matches = width > 0 && height > 0 && width <= kMaxSavedSide &&
                       height <= kMaxSavedSide &&
                       byteCount(size) == std::size_t(width) * std::size_t(height) * 4;
  bytes = matches ? pngScanlines(rgba, width, height) : std::string();
}

// The RGB PNG around the deflated scanlines (size bytes at compressed), with picture's record
// unless picture is ""; the result in orbisk_bytes.
const char* orbisk_rgb_png(int width, int height, const char* compressed, int size,
                           const char* picture) {
  Answer answer = rgbPng(width, height, std::string_view(compressed, byteCount(size)), picture);
  bytes = std::move(answer.text);
  answer.text.clear();
  return give(answer);
}

const char* orbisk_bytes() {
  return bytes.data();
}
int orbisk_bytes_size() {
  return static_cast<int>(bytes.size());
}

const char* orbisk_gallery(const char* picture, uint32_t seedHigh, uint32_t seedLow, double first,
                           int wanted) {
  return give(galleryCandidates(picture, seedOf(seedHigh, seedLow), candidateNumber(first),
                                std::clamp(wanted, 1, 100)));
}

// Variations of picture (step 0 a little, 1 more, 2 a lot), or children of it and other when
// other is not empty.
const char* orbisk_explore(const char* picture, const char* other, int step, uint32_t seedHigh,
                           uint32_t seedLow, int wanted) {
  return give(exploreOffspring(picture, other, step, seedOf(seedHigh, seedLow),
                               std::clamp(wanted, 1, 100)));
}

const char* orbisk_render_begin(const char* picture) {
  const std::string error = render.begin(picture);
  return give({error.empty(), {}, error});
}
int orbisk_render_step(int columns) {
  return render.step(columns) ? 1 : 0;
}
void orbisk_render_take_values(const char* picture) {
  render.takeValues(picture);
}
int orbisk_render_exact() {
  return render.exact() ? 1 : 0;
}
double orbisk_render_progress() {
  return render.progress();
}
int orbisk_render_width() {
  return render.width();
}
int orbisk_render_height() {
  return render.height();
}
const uint8_t* orbisk_render_rgba() {
  return render.rgba();
}
const char* orbisk_render_following() {
  return give({true, render.following(), {}});
}

// {"richness", "left", "top", "width", "height"}: how rich the picture is and the part of the
// canvas it was drawn on.
const char* orbisk_render_content() {
  const orbisk::PictureContent content = render.content();
  answerText = JsonObject()
                   .add("richness", static_cast<long long>(content.richness()))
                   .add("left", content.left)
                   .add("top", content.top)
                   .add("width", content.width)
                   .add("height", content.height)
                   .text();
  return answerText.c_str();
}

}  // extern "C"
