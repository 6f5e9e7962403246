#include <cctype>
#include <climits>

#include "sys/profile.h"

namespace zorva::sys {
namespace {

std::string Lower(std::string name) {
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

}  // namespace

const std::string* ProfileSection::Find(const std::string& name) const {
  const auto found = firstByName.find(Lower(name));
  return found != firstByName.end() ? &keys[found->second].value : nullptr;
}

void ProfileSection::Set(const std::string& name, const std::string& value) {
  const auto found = firstByName.find(Lower(name));
  if (found == firstByName.end()) return Append(name, value);
  ProfileKey& key = keys[found->second];
  if (key.value == value) return;
  key.value = value;
  key.line.clear();
}

void ProfileSection::Append(const std::string& name, const std::string& value, const std::string& line) {
  firstByName.emplace(Lower(name), keys.size());
  keys.push_back({name, value, line});
}

void ProfileSection::AppendComment(const std::string& line) { keys.push_back({"", "", line}); }

std::string LineOf(const ProfileKey& key) { return key.line.empty() ? key.name + "=" + key.value : key.line; }

// Saturates instead of wrapping, so that a huge number in the file stays huge.
int32_t ProfileInt(const ProfileSection& keys, const std::string& name, int32_t fallback) {
  const std::string* value = keys.Find(name);
  if (value == nullptr || value->empty()) return fallback;
  size_t at = value->find_first_not_of(" \t");
  if (at == std::string::npos) return fallback;
  const bool negative = (*value)[at] == '-';
  if ((*value)[at] == '-' || (*value)[at] == '+') at++;
  int64_t number = 0;
  for (; at < value->size() && std::isdigit(static_cast<unsigned char>((*value)[at])); at++) {
    number = number * 10 + ((*value)[at] - '0');
    if (number > int64_t{INT32_MAX} + 1) number = int64_t{INT32_MAX} + 1;
  }
  if (negative) return static_cast<int32_t>(-number);
  return static_cast<int32_t>(number > INT32_MAX ? INT32_MAX : number);
}

}  // namespace zorva::sys
