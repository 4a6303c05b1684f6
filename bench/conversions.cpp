// textToNumber against std::from_chars, and numberToText against std::to_chars
// (17 digits, scientific), on the same inputs in the same run.
#include <benchmark/benchmark.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "text.hpp"

namespace {

std::vector<double> randomDoubles() {
  std::mt19937_64 random(42);
  std::vector<double> numbers;
  while (numbers.size() < 4096) {
    const double d = std::bit_cast<double>(random());
    if (std::isfinite(d)) numbers.push_back(d);
  }
  return numbers;
}

// Prices as the quote page and the formulas produce them.
std::vector<double> quoteNumbers() {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> price(1.0, 20000.0);
  std::vector<double> numbers;
  for (int i = 0; i < 4096; ++i) {
    const double p = price(random);
    numbers.push_back(i % 2 ? std::round(p * 100) / 100 : p);
  }
  return numbers;
}

// Both readers get the same texts: what numberToText writes, with "e+" made "e"
// so that from_chars reads it too.
std::vector<std::string> textsOf(const std::vector<double>& numbers) {
  std::vector<std::string> texts;
  for (double d : numbers) {
    std::string t = tolvane::numberToText(d);
    if (auto e = t.find("e+"); e != std::string::npos) t.erase(e + 1, 1);
    texts.push_back(t);
  }
  return texts;
}

const std::vector<std::string>& inputTexts(int kind) {
  static const auto quotes = textsOf(quoteNumbers());
  static const auto random = textsOf(randomDoubles());
  return kind == 0 ? quotes : random;
}

const std::vector<double>& inputNumbers(int kind) {
  static const auto quotes = quoteNumbers();
  static const auto random = randomDoubles();
  return kind == 0 ? quotes : random;
}

void TextToNumber(benchmark::State& state) {
  const auto& texts = inputTexts(static_cast<int>(state.range(0)));
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tolvane::textToNumber(texts[i++ % texts.size()]));
  }
}

void FromChars(benchmark::State& state) {
  const auto& texts = inputTexts(static_cast<int>(state.range(0)));
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& t = texts[i++ % texts.size()];
    double d = 0;
    std::from_chars(t.data(), t.data() + t.size(), d);
    benchmark::DoNotOptimize(d);
  }
}

void NumberToText(benchmark::State& state) {
  const auto& numbers = inputNumbers(static_cast<int>(state.range(0)));
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tolvane::numberToText(numbers[i++ % numbers.size()]));
  }
}

void ToChars(benchmark::State& state) {
  const auto& numbers = inputNumbers(static_cast<int>(state.range(0)));
  std::size_t i = 0;
  char buffer[64];
  for (auto _ : state) {
    auto r = std::to_chars(buffer, buffer + sizeof buffer, numbers[i++ % numbers.size()],
                           std::chars_format::scientific, 17);
    benchmark::DoNotOptimize(r.ptr);
  }
}

// Argument 0: quote-like prices; 1: random doubles of every magnitude.
BENCHMARK(TextToNumber)->Arg(0)->Arg(1);
BENCHMARK(FromChars)->Arg(0)->Arg(1);
BENCHMARK(NumberToText)->Arg(0)->Arg(1);
BENCHMARK(ToChars)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
