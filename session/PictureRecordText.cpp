#include "session/PictureRecordText.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <utility>
#include <variant>

#include "OrbiskVersion.h"
#include "model/DataFile.h"

namespace orbisk {

namespace {

constexpr std::string_view kFirstLine = "Orbisk picture record 1";
constexpr std::string_view kProgramVersion = ORBISK_VERSION;
constexpr int16_t kMaxScale = 8;
// An origin names up to two parents' records (about 100 characters each) and what changed.
constexpr std::size_t kMaxOriginChars = 1024;

using StateField = std::variant<int16_t RenderState::*, int32_t RenderState::*,
                                double RenderState::*, float RenderState::*>;

struct StateEntry {
  const char* key;
  StateField field;
};

// Every working value of the renderer, in the order of its declaration.
const StateEntry kStateEntries[] = {
    {"state.colstart", &RenderState::colstart},
    {"state.colend", &RenderState::colend},
    {"state.progspan", &RenderState::progspan},
    {"state.col", &RenderState::col},
    {"state.row", &RenderState::row},
    {"state.N1", &RenderState::N1},
    {"state.N2", &RenderState::N2},
    {"state.catsign1", &RenderState::catsign1},
    {"state.catsign2", &RenderState::catsign2},
    {"state.catsign3", &RenderState::catsign3},
    {"state.galshiftx", &RenderState::galshiftx},
    {"state.galshifty", &RenderState::galshifty},
    {"state.coefa", &RenderState::coefa},
    {"state.coefb", &RenderState::coefb},
    {"state.coefc", &RenderState::coefc},
    {"state.coefd", &RenderState::coefd},
    {"state.v2val", &RenderState::v2val},
    {"state.v2rest", &RenderState::v2rest},
    {"state.galx", &RenderState::galx},
    {"state.galy", &RenderState::galy},
    {"state.det", &RenderState::det},
    {"state.spanx", &RenderState::spanx},
    {"state.spany", &RenderState::spany},
    {"state.orbp", &RenderState::orbp},
    {"state.orbq", &RenderState::orbq},
    {"state.orbr", &RenderState::orbr},
    {"state.nextp", &RenderState::nextp},
    {"state.nextq", &RenderState::nextq},
    {"state.levelcap", &RenderState::levelcap},
    {"state.typesign1", &RenderState::typesign1},
    {"state.typesign2", &RenderState::typesign2},
    {"state.iter", &RenderState::iter},
    {"state.itersq", &RenderState::itersq},
    {"state.red", &RenderState::red},
    {"state.green", &RenderState::green},
    {"state.blue", &RenderState::blue},
    {"state.halfwidth", &RenderState::halfwidth},
    {"state.halfheight", &RenderState::halfheight},
    {"state.endx", &RenderState::endx},
    {"state.endy", &RenderState::endy},
};

template <typename Float, typename Bits>
std::string hexBits(Float value) {
  Bits bits;
  static_assert(sizeof bits == sizeof value);
  std::memcpy(&bits, &value, sizeof bits);
  char text[24];
  std::snprintf(text, sizeof text, "%0*llx", static_cast<int>(2 * sizeof bits),
                static_cast<unsigned long long>(bits));
  return text;
}

std::string stateValue(const RenderState& state, const StateField& field) {
  return std::visit(
      [&](auto member) -> std::string {
        using T = std::remove_cvref_t<decltype(state.*member)>;
        if constexpr (std::is_same_v<T, double>)
          return hexBits<double, uint64_t>(state.*member);
        else if constexpr (std::is_same_v<T, float>)
          return hexBits<float, uint32_t>(state.*member);
        else
          return std::to_string(state.*member);
      },
      field);
}

// A decimal integer: an optional minus sign and 1 to 10 digits, no leading zeros, inside
// [low, high].
bool readInteger(std::string_view text, long long low, long long high, long long& value) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::string_view digits = negative ? text.substr(1) : text;
  if (digits.empty() || digits.size() > 10) return false;
  if (digits.size() > 1 && digits[0] == '0') return false;
  if (negative && digits == "0") return false;
  long long magnitude = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
  }
  value = negative ? -magnitude : magnitude;
  return value >= low && value <= high;
}

// Exactly 2 x sizeof(Bits) lower-case hex digits.
template <typename Bits>
bool readHexBits(std::string_view text, Bits& bits) {
  if (text.size() != 2 * sizeof(Bits)) return false;
  bits = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else
      return false;
    bits = static_cast<Bits>((bits << 4) | static_cast<Bits>(digit));
  }
  return true;
}

bool readStateValue(std::string_view text, RenderState& state, const StateField& field) {
  return std::visit(
      [&](auto member) -> bool {
        using T = std::remove_cvref_t<decltype(state.*member)>;
        if constexpr (std::is_same_v<T, double>) {
          uint64_t bits;
          if (!readHexBits(text, bits)) return false;
          std::memcpy(&(state.*member), &bits, sizeof bits);
          return true;
        } else if constexpr (std::is_same_v<T, float>) {
          uint32_t bits;
          if (!readHexBits(text, bits)) return false;
          std::memcpy(&(state.*member), &bits, sizeof bits);
          return true;
        } else {
          long long value;
          if (!readInteger(text, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(),
                           value))
            return false;
          state.*member = static_cast<T>(value);
          return true;
        }
      },
      field);
}

// The record line without its CR LF.
std::string recordLine(const PictureParams& params) {
  std::string line = formatRecord(params);
  line.resize(line.size() - 2);
  return line;
}

bool fail(std::string* error, std::string reason) {
  if (error) *error = std::move(reason);
  return false;
}

// Shown in a reason: printable ASCII only, and not too much of it.
std::string shown(std::string_view text) {
  std::string out;
  for (char c : text.substr(0, 40)) out += (c >= 0x20 && c < 0x7f) ? c : '?';
  if (text.size() > 40) out += "...";
  return out;
}

bool readLine(std::string_view key, std::string_view value, DrawnPicture& picture,
              std::string* error) {
  long long number = 0;
  if (key == "program") {
    if (value.empty() || value.size() > 64) return fail(error, "the program line is malformed");
    for (char c : value) {
      if (c < 0x20 || c >= 0x7f) return fail(error, "the program line is malformed");
    }
    return true;
  }
  if (key == "record") {
    const DataRecord record = parseRecord(value);
    PictureParams params;
    applyRecord(record, params);
    if (record.count != kRecordFields || recordLine(params) != value)
      return fail(error, "the record line is not a data-file record");
    params.detailstep = picture.params.detailstep;
    picture.params = params;
    return true;
  }
  if (key == "detailstep") {
    if (value != "1" && value != "4") return fail(error, "the detail must be 1 or 4");
    picture.detailstep = value == "1" ? 1 : 4;
    picture.params.detailstep = picture.detailstep;
    return true;
  }
  if (key == "background") {
    if (!readInteger(value, 0, 0xffffff, number))
      return fail(error, "the background is not a 24-bit colour");
    picture.background = static_cast<uint32_t>(number);
    return true;
  }
  if (key == "origin") {
    if (value.empty() || value.size() > kMaxOriginChars)
      return fail(error, "the origin line is empty or too long");
    for (char c : value) {
      if (c < 0x20 || c >= 0x7f) return fail(error, "the origin line is not printable text");
    }
    picture.origin = std::string(value);
    return true;
  }
  if (key == "scale") {
    if (!readInteger(value, 1, kMaxScale, number)) return fail(error, "the scale is not 1 to 8");
    picture.scale = static_cast<int16_t>(number);
    return true;
  }
  for (const StateEntry& entry : kStateEntries) {
    if (key == entry.key) {
      if (!readStateValue(value, picture.startState, entry.field))
        return fail(error, "the value of " + std::string(key) + " is malformed or out of range");
      return true;
    }
  }
  return fail(error, "unknown line \"" + shown(key) + "\"");
}

// The working values a run starts from but does not set itself, checked against what runs can
// leave: a run sets colstart to minus Length x size (never -32768) and colend to 0 when drawing
// Inward, colstart to 0 and colend to Length x size when drawing Outward, and leaves both for any
// other direction, so one of them is always 0; a crafted pair such as -32768 and 32767 would
// keep a run going through 65,536 columns. The rest are set at every run's start from the
// size, the category and the galaxy, and by the iterations. Returns "" or the reason.
std::string unreachableValue(const RenderState& s) {
  const auto outside = [](long long value, long long low, long long high) {
    return value < low || value > high;
  };
  const auto naming = [](const char* key, long long value) {
    return std::string("the value ") + std::to_string(value) + " of " + key +
           " is not one a run can leave";
  };
  if (s.colstart == INT16_MIN) return naming("state.colstart", s.colstart);
  if (s.colstart != 0 && s.colend != 0)
    return "state.colstart " + std::to_string(s.colstart) + " and state.colend " +
           std::to_string(s.colend) + " are not values a run can leave together";
  if (outside(s.progspan, INT16_MIN, INT16_MAX)) return naming("state.progspan", s.progspan);
  // The size is 10 to 1000; before the first run N1 is 110 and N2 is 0.
  if (outside(s.N1, 10, 1000)) return naming("state.N1", s.N1);
  if (outside(s.N2, 0, 750)) return naming("state.N2", s.N2);
  for (const auto& [key, sign] : {std::pair{"state.catsign1", s.catsign1},
                                  {"state.catsign2", s.catsign2},
                                  {"state.catsign3", s.catsign3}}) {
    if (outside(sign, -1, 1)) return naming(key, sign);
  }
  for (const auto& [key, shift] :
       {std::pair{"state.galshiftx", s.galshiftx}, {"state.galshifty", s.galshifty}}) {
    if (outside(shift, -4, 4)) return naming(key, shift);
  }
  if (s.spanx != 3.0f) return "the value of state.spanx is not one a run can leave";
  if (s.spany != 2.25f) return "the value of state.spany is not one a run can leave";
  // The escape counter: 0 before any escape, 1 to 25 at one, 26 after a whole loop.
  if (outside(s.iter, 0, 26)) return naming("state.iter", s.iter);
  if (outside(s.itersq, 0, 625)) return naming("state.itersq", s.itersq);
  return {};
}

}  // namespace

std::string formatPictureRecord(const DrawnPicture& picture) {
  std::string text;
  text += kFirstLine;
  text += "\nprogram ";
  text += kProgramVersion;
  text += "\nrecord " + recordLine(picture.params);
  text += "\ndetailstep " + std::to_string(picture.detailstep);
  text += "\nbackground " + std::to_string(picture.background & 0xffffffu);
  text += "\nscale " + std::to_string(picture.scale);
  if (!picture.origin.empty()) text += "\norigin " + picture.origin;
  for (const StateEntry& entry : kStateEntries)
    text += "\n" + std::string(entry.key) + " " + stateValue(picture.startState, entry.field);
  text += "\n";
  return text;
}

std::optional<DrawnPicture> parsePictureRecord(std::string_view text, std::string* error) {
  if (text.size() > kMaxPictureRecordChars) {
    fail(error, "the record is too long");
    return std::nullopt;
  }
  if (text.substr(0, kFirstLine.size() + 1) != std::string(kFirstLine) + "\n") {
    fail(error, "it does not start with \"" + std::string(kFirstLine) + "\"");
    return std::nullopt;
  }
  DrawnPicture picture;
  // Every line but scale and origin must come exactly once; those two at most once. The detail is
  // read before the record so the record can carry it, whatever their order.
  std::map<std::string, int, std::less<>> seen;
  std::string_view rest = text.substr(kFirstLine.size() + 1);
  std::string_view recordValue;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    if (end == std::string_view::npos) {
      fail(error, "the last line has no line end");
      return std::nullopt;
    }
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos || blank == 0) {
      fail(error, "line \"" + shown(line) + "\" is not a key and a value");
      return std::nullopt;
    }
    const std::string_view key = line.substr(0, blank);
    const std::string_view value = line.substr(blank + 1);
    if (++seen[std::string(key)] > 1) {
      fail(error, "line \"" + shown(key) + "\" comes twice");
      return std::nullopt;
    }
    if (key == "record") {
      recordValue = value;
      continue;
    }
    if (!readLine(key, value, picture, error)) return std::nullopt;
  }
  const auto missing = [&](const std::string& key) { return seen.find(key) == seen.end(); };
  std::string absent;
  for (const char* key : {"program", "record", "detailstep", "background"}) {
    if (missing(key)) absent = key;
  }
  for (const StateEntry& entry : kStateEntries) {
    if (missing(entry.key)) absent = entry.key;
  }
  if (!absent.empty()) {
    fail(error, "the line \"" + absent + "\" is missing");
    return std::nullopt;
  }
  if (!readLine("record", recordValue, picture, error)) return std::nullopt;
  if (const std::string reason = unreachableValue(picture.startState); !reason.empty()) {
    fail(error, reason);
    return std::nullopt;
  }
  return picture;
}

}  // namespace orbisk
