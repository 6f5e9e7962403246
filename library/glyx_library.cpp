#include "library/glyx_library.h"

#include <cstring>
#include <new>

#include "library/builtin_glyxes.h"
#include "sys/clipboard.h"

namespace zorva {
namespace {

std::string KeyName(uint32_t index) { return "Glyx" + std::to_string(index); }

}  // namespace

const char* GlyxLibrary::Contains(const char* text) const {
  const auto found = texts.find(text);
  return found != texts.end() ? found->data() : nullptr;
}

int32_t GlyxLibrary::Add(const char* text) {
  if (Contains(text) != nullptr) return 1;
  const size_t size = std::strlen(text) + 1;
  std::unique_ptr<std::unique_ptr<char[]>> entry(new (std::nothrow) std::unique_ptr<char[]>);
  if (!entry) return 0;
  entry->reset(new (std::nothrow) char[size]);
  if (!*entry) return 0;
  std::memcpy(entry->get(), text, size);
  const char* copy = entry->get();
  if (entries.Append(entry) < 0) return 0;
  texts.emplace(copy, size - 1);
  return 1;
}

void GlyxLibrary::Load(const std::string& path) { LoadFrom(sys::LoadProfileSection(path, kSettingsSection)); }

// "Glyx0" is never read: entry 0 is always built-in 0. A value whose text
// ends at once (a NUL byte first) is not an entry but does not end the list.
void GlyxLibrary::LoadFrom(const sys::ProfileSection& keys) {
  for (const char* text : kBuiltinGlyxes) Add(text);
  for (uint32_t index = 1; Count() < kMostEntries; index++) {
    const std::string* value = keys.Find(KeyName(index));
    if (value == nullptr || value->empty()) break;
    if (value->c_str()[0] != '\0') Add(value->c_str());
  }
}

bool GlyxLibrary::Save(void* owner, const std::string& path) const {
  sys::WriteClipboardText(owner, ClipboardText());
  sys::ProfileSection keys = sys::LoadProfileSection(path, kSettingsSection);
  StoreIn(&keys);
  return sys::StoreProfileSection(path, kSettingsSection, keys);
}

void GlyxLibrary::StoreIn(sys::ProfileSection* keys) const {
  for (uint16_t index = 0; index < Count(); index++) keys->Set(KeyName(index), At(index));
  keys->Set(KeyName(Count()), "");
}

std::string GlyxLibrary::ClipboardText() const {
  size_t size = 0;
  for (uint16_t index = 0; index < Count(); index++) size += std::strlen(At(index)) + 1;
  std::string text;
  text.reserve(size);
  for (uint16_t index = 0; index < Count(); index++) (text += At(index)) += '\n';
  return text;
}

}  // namespace zorva
