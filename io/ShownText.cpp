#include "io/ShownText.h"

#include <cstdint>
#include <cstdio>

namespace orbisk {

namespace {

void appendEscape(std::string& out, const char* format, unsigned value) {
  char escape[16];
  std::snprintf(escape, sizeof escape, format, value);
  out += escape;
}

// Code points that reorder or hide the text after them, or that terminals take as commands.
bool isShownEscaped(char32_t c) {
  return (c >= 0x80 && c <= 0x9f) || (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
}

// The length of the well-formed UTF-8 sequence at text[i] (shortest form, no surrogates, at most
// U+10FFFF) and its code point; 0 when the bytes there are not one.
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& c) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const unsigned lead = byte(0);
  std::size_t length = 0;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2, c = lead & 0x1f;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3, c = lead & 0x0f;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4, c = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xc0) != 0x80) return 0;
    c = (c << 6) | (byte(k) & 0x3f);
  }
  const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
  if (overlong || (c >= 0xd800 && c <= 0xdfff) || c > 0x10ffff) return 0;
  return length;
}

}  // namespace

std::string shownText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte < 0x7f) {
      out += text[i++];
    } else if (byte == '\n') {
      out += "\\n", ++i;
    } else if (byte == '\t') {
      out += "\\t", ++i;
    } else if (byte == '\r') {
      out += "\\r", ++i;
    } else if (byte < 0x80) {
      appendEscape(out, "\\x%02x", byte), ++i;
    } else if (char32_t c = 0; const std::size_t length = decodeUtf8(text, i, c)) {
      if (isShownEscaped(c))
        appendEscape(out, "\\u%04x", static_cast<unsigned>(c));
      else
        out.append(text.substr(i, length));
      i += length;
    } else {
      appendEscape(out, "\\x%02x", byte), ++i;
    }
  }
  return out;
}

std::string quotedName(std::string_view path) {
  std::string out = "\"";
  for (const char c : shownText(path)) {
    if (c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace orbisk
