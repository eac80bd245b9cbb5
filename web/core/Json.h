// The little JSON the core hands the page: objects, arrays, numbers and strings, written only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orbisk::web {

// A string as a JSON string literal, quotes included, control characters escaped.
std::string jsonString(std::string_view text);

class JsonArray;

class JsonObject {
 public:
  JsonObject& add(std::string_view key, long long value);
  JsonObject& add(std::string_view key, int value) {
    return add(key, static_cast<long long>(value));
  }
  JsonObject& add(std::string_view key, double value);
  JsonObject& add(std::string_view key, bool value);
  JsonObject& add(std::string_view key, std::string_view value);
  JsonObject& add(std::string_view key, const char* value) {
    return add(key, std::string_view(value));
  }
  JsonObject& add(std::string_view key, const std::string& value) {
    return add(key, std::string_view(value));
  }
  JsonObject& add(std::string_view key, const JsonArray& value);
  JsonObject& add(std::string_view key, const JsonObject& value);
  std::string text() const { return "{" + body_ + "}"; }

 private:
  JsonObject& raw(std::string_view key, const std::string& json);
  std::string body_;
};

class JsonArray {
 public:
  JsonArray& add(long long value);
  JsonArray& add(int value) { return add(static_cast<long long>(value)); }
  JsonArray& add(std::string_view value);
  JsonArray& add(const char* value) { return add(std::string_view(value)); }
  JsonArray& add(const JsonObject& value);
  std::string text() const { return "[" + body_ + "]"; }

 private:
  JsonArray& raw(const std::string& json);
  std::string body_;
};

}  // namespace orbisk::web
