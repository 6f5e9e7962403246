// The library as the plug-in loads and saves it, on sections held in memory.
#include "library/glyx_library.h"

#include <gtest/gtest.h>

#include <string>

#include "image/glyx_image.h"
#include "library/builtin_glyxes.h"

namespace zorva {
namespace {

std::string KeyName(int index) { return "Glyx" + std::to_string(index); }

sys::ProfileSection Keys(std::initializer_list<sys::ProfileKey> keys) {
  sys::ProfileSection section;
  for (const sys::ProfileKey& key : keys) section.Append(key.name, key.value);
  return section;
}

TEST(GlyxLibrary, BuiltinsFirstThenTheSavedEntriesUpToTheFirstEmptyOne) {
  GlyxLibrary library;
  library.LoadFrom(Keys({{"Glyx0", "never read"}, {"glyx1", "x"}, {"Glyx2", "p=pal(8,-t*3); decay(rad(x,y))%snd(sin(theta(x,y))%51)"},
                         {"GLYX3", "X"}, {"Glyx4", ""}, {"Glyx5", "y"}}));
  ASSERT_EQ(library.Count(), 64);
  for (int index = 0; index < kBuiltinGlyxCount; index++) EXPECT_STREQ(library.At(index), kBuiltinGlyxes[index]);
  EXPECT_STREQ(library.At(62), "x");
  EXPECT_STREQ(library.At(63), "X");  // case counts; the built-in in Glyx2 was there already

  library.LoadFrom(Keys({{"Glyx1", "x"}, {"Glyx2", " x"}}));
  EXPECT_EQ(library.Count(), 65);  // loading again adds only what is new
  EXPECT_STREQ(library.At(64), " x");
  EXPECT_EQ(library.Contains("x"), library.At(62));
  EXPECT_EQ(library.Contains("x "), nullptr);
}

// Compiled, as the library's entries are: the text shows the compiler's
// rewrites (MutationDifferential.ProductWithZero*), and the built-ins have none.
TEST(GlyxLibrary, BuiltinsBuildAndPrintBackUnchanged) {
  for (const char* text : kBuiltinGlyxes) {
    GlyxImage glyx;
    ErrorRecord errors;
    ASSERT_TRUE(glyx.CreateFromText(text, errors)) << text << ": " << MessageOf(errors);
    EXPECT_EQ(glyx.ExpressionString("; "), text);
  }
}

// Every entry and the empty end go to "Glyx0" ... "Glyx<n>"; other keys stay,
// and so do the keys of a longer library saved before.
TEST(GlyxLibrary, SavesEveryEntryAndAnEmptyEnd) {
  GlyxLibrary library;
  library.LoadFrom(Keys({{"Glyx1", "x"}}));
  sys::ProfileSection keys = Keys({{"AutoMutate", "5"}, {"GLYX2", "old"}, {"Glyx70", "older"}});
  library.StoreIn(&keys);
  ASSERT_EQ(keys.Keys().size(), 3u + 64u - 1u);
  EXPECT_EQ(*keys.Find("AutoMutate"), "5");
  for (int index = 0; index < kBuiltinGlyxCount; index++) EXPECT_EQ(*keys.Find(KeyName(index)), kBuiltinGlyxes[index]);
  EXPECT_EQ(keys.Keys()[1].name, "GLYX2");  // replaced where it stood
  EXPECT_EQ(*keys.Find("Glyx62"), "x");
  EXPECT_EQ(*keys.Find("Glyx63"), "");
  EXPECT_EQ(*keys.Find("Glyx70"), "older");

  std::string lines;
  for (int index = 0; index < library.Count(); index++) lines += library.At(index) + std::string("\n");
  EXPECT_EQ(library.ClipboardText(), lines);
}

// Values of any length and any bytes load whole; one that starts with a NUL
// byte is no entry but does not end the list. The library holds 65,530 entries
// at most, and Add says so when an entry does not fit.
TEST(GlyxLibrary, HostileValuesAndAFullLibrary) {
  const std::string big(5000000, 'q');
  std::string junk;
  for (int byte = 1; byte < 256; byte++) junk += static_cast<char>(byte);
  sys::ProfileSection keys = Keys({{"Glyx1", big}, {"Glyx2", std::string("\0z", 2)}, {"Glyx3", junk}});
  for (int index = 4; index <= 70000; index++) keys.Append(KeyName(index), std::to_string(index));
  GlyxLibrary library;
  library.LoadFrom(keys);
  ASSERT_EQ(library.Count(), GlyxLibrary::kMostEntries);
  EXPECT_EQ(library.At(62), big);
  EXPECT_EQ(library.At(63), junk);
  EXPECT_STREQ(library.At(GlyxLibrary::kMostEntries - 1), "65469");
  EXPECT_EQ(library.Add("not yet there"), 0);
  EXPECT_EQ(library.Add("65469"), 1);
  EXPECT_EQ(library.Count(), GlyxLibrary::kMostEntries);
  EXPECT_EQ(library.Contains("not yet there"), nullptr);
}

}  // namespace
}  // namespace zorva
