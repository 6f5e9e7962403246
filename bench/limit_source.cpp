// Prints the limit's translation unit for the 62 built-in expressions: the
// routines' source and every statement printed as C++, with the table
// unitBuiltins of their passes (palette, channels 0 to 2, pixel; null where
// there is none). The browser bench compiles it with em++ -O2.
#include <cstdio>
#include <string>

#include "bench/static_emitter.h"
#include "image/glyx_image.h"
#include "library/builtin_glyxes.h"

int main() {
  using namespace zorva;
  std::string text = bench::StaticPrologue(bench::Linkage::kOneUnit);
  std::string table =
      "typedef void (*UnitPass)(int32_t* context, const StaticEnvironment* env);\n"
      "struct UnitPasses {\n  UnitPass pass[5];\n};\n\n"
      "extern \"C\" __attribute__((visibility(\"default\"))) const UnitPasses unitBuiltins[] = {\n";
  for (int i = 0; i < kBuiltinGlyxCount; ++i) {
    GlyxImage glyx;
    ErrorRecord errors;
    if (!glyx.CreateFromText(kBuiltinGlyxes[i], errors)) return 1;
    const GlyxStatements<Statement>& s = glyx.statements;
    const Statement* passes[5] = {s.palette.get(), s.channels[0].get(), s.channels[1].get(), s.channels[2].get(),
                                  s.pixel.get()};
    table += "    {{";
    for (int p = 0; p < 5; ++p) {
      const std::string name = "unit_" + std::to_string(i) + "_" + std::to_string(p);
      if (passes[p]) text += bench::StaticPass(*passes[p], name, bench::Linkage::kOneUnit);
      table += (passes[p] ? name : std::string("nullptr")) + (p < 4 ? ", " : "");
    }
    table += "}},\n";
  }
  std::fputs((text + table + "};\n").c_str(), stdout);
  return 0;
}
