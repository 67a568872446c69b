#include "launch/expand.h"

#include <cstdint>

namespace diduzo {

namespace {

// The longest command line CreateProcessW accepts; expansion never grows a text beyond it.
constexpr std::size_t kLongestExpansion = 32767;

// Every non-overlapping occurrence of `from`, left to right, replaced by `to`.
Text replaceAll(TextView text, TextView from, TextView to) {
  Text out;
  std::size_t pos = 0;
  for (std::size_t hit; (hit = text.find(from, pos)) != TextView::npos; pos = hit + from.size()) {
    out.append(text.substr(pos, hit - pos));
    out.append(to);
  }
  out.append(text.substr(pos));
  return out;
}

std::size_t countOf(TextView text, TextView what) {
  std::size_t n = 0;
  for (std::size_t pos = 0; (pos = text.find(what, pos)) != TextView::npos; pos += what.size()) ++n;
  return n;
}

}  // namespace

Text expandDrive(TextView text, TextView driveSpec) { return replaceAll(text, u"%drive%", driveSpec); }

Text expandEnvironment(TextView text, Environment& environment) {
  std::size_t signs = 0;
  for (char16_t c : text) signs += c == u'%';
  const auto n = static_cast<std::int8_t>(static_cast<std::uint8_t>(signs & 0xFF));
  if (n <= 0) return Text(text);

  Text result(text);
  TextView rest = text;
  for (int step = 1; step <= n; ++step) {
    const std::size_t sign = rest.find(u'%');
    const TextView name = rest.substr(0, sign);
    rest.remove_prefix(sign + 1);
    if (step == 1 || name.empty()) continue;
    const Text value = environment.get(Text(name));
    if (value.empty()) continue;
    const Text reference = u"%" + Text(name) + u"%";
    const std::size_t hits = countOf(result, reference);
    if (value.size() > reference.size() &&
        result.size() + hits * (value.size() - reference.size()) > kLongestExpansion)
      continue;  // a value that refers to itself would otherwise double the text at every step
    result = replaceAll(result, reference, value);
  }
  return result;
}

}  // namespace diduzo
