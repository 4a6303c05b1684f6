// The calculate command over an in-memory field store, the page handed in by
// a fake read: pages of growing size with an entry of each code every 100
// bytes, and hostile pages that a careless search would take the square of
// their size for.
#include <benchmark/benchmark.h>

#include <string>

#include "calculate.hpp"

namespace {

// 100 bytes: one entry of each code among GBK text, bits of markup and
// line breaks.
constexpr std::string_view kEntries =
    "HKG10005.50/\xb8\xdb\xd4\xaa <td class=quote>\r\n"
    "LLG1200.25/\xbb\xc6\xbd\xf0 <b>price</b\r\n"
    "LLS18.375/\xb0\xd7\xd2\xf8 <i>x</i            \r\n";
static_assert(kEntries.size() == 100);

std::string repeatedTo(std::string_view unit, std::size_t size) {
  std::string page;
  page.reserve(size + unit.size());
  while (page.size() < size) page += unit;
  page.resize(size);
  return page;
}

void runCalculate(benchmark::State& state, const tolvane::Bytes& page) {
  const tolvane::HttpRead read = [&page](std::string_view) { return page; };
  for (auto _ : state) {
    tolvane::MemoryFields fields = tolvane::MemoryFields::withInitialTexts();
    fields.setFieldText("编辑框12", "6.8");
    tolvane::calculate(fields, read);
    benchmark::DoNotOptimize(fields);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}

void BM_QuotePage(benchmark::State& state) {
  runCalculate(state, repeatedTo(kEntries, static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_QuotePage)->Arg(10 << 10)->Arg(100 << 10)->Arg(1 << 20)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

// A code every three bytes and no "/" anywhere.
void BM_CodesWithoutSlash(benchmark::State& state) { runCalculate(state, repeatedTo("HKG", 1 << 20)); }
BENCHMARK(BM_CodesWithoutSlash)->Unit(benchmark::kMillisecond);

// The same, with one "/" at the very end: a single match holding the whole page.
void BM_CodesThenOneSlash(benchmark::State& state) { runCalculate(state, repeatedTo("HKG", 1 << 20) + "/"); }
BENCHMARK(BM_CodesThenOneSlash)->Unit(benchmark::kMillisecond);

// Every code of each kind, with the last "/" at the start of the page.
void BM_OneSlashThenCodes(benchmark::State& state) {
  runCalculate(state, "LLG1/" + repeatedTo("HKGLLGLLS", 1 << 20));
}
BENCHMARK(BM_OneSlashThenCodes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
