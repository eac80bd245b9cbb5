#include "web/core/Json.h"

#include <cstdio>

namespace orbisk::web {

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7f) {
      // Bytes beyond ASCII pass as they are: messages spell out any that are not UTF-8.
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

JsonObject& JsonObject::raw(std::string_view key, const std::string& json) {
  if (!body_.empty()) body_ += ',';
  body_ += jsonString(key) + ":" + json;
  return *this;
}
JsonObject& JsonObject::add(std::string_view key, long long value) {
  return raw(key, std::to_string(value));
}
JsonObject& JsonObject::add(std::string_view key, double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return raw(key, text);
}
JsonObject& JsonObject::add(std::string_view key, bool value) {
  return raw(key, value ? "true" : "false");
}
JsonObject& JsonObject::add(std::string_view key, std::string_view value) {
  return raw(key, jsonString(value));
}
JsonObject& JsonObject::add(std::string_view key, const JsonArray& value) {
  return raw(key, value.text());
}

JsonObject& JsonObject::add(std::string_view key, const JsonObject& value) {
  return raw(key, value.text());
}

JsonArray& JsonArray::raw(const std::string& json) {
  if (!body_.empty()) body_ += ',';
  body_ += json;
  return *this;
}
JsonArray& JsonArray::add(long long value) {
  return raw(std::to_string(value));
}
JsonArray& JsonArray::add(std::string_view value) {
  return raw(jsonString(value));
}
JsonArray& JsonArray::add(const JsonObject& value) {
  return raw(value.text());
}

}  // namespace orbisk::web
