#include "base/text.h"

namespace diduzo {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

Text fromUtf8(std::string_view in) {
  Text out;
  out.reserve(in.size());
  const std::size_t n = in.size();
  std::size_t i = 0;
  while (i < n) {
    const auto c = static_cast<unsigned char>(in[i]);
    if (c < 0x80) {
      out.push_back(c);
      ++i;
      continue;
    }
    // Length and the allowed range of the second byte, as the Unicode standard's table 3-7 gives.
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    char32_t code = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
      code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      code = c & 0x0F;
      if (c == 0xE0) low = 0xA0;
      if (c == 0xED) high = 0x9F;  // no encoded surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      code = c & 0x07;
      if (c == 0xF0) low = 0x90;
      if (c == 0xF4) high = 0x8F;
    } else {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    std::size_t taken = 1;
    bool complete = true;
    for (; taken < length; ++taken) {
      if (i + taken >= n) {
        complete = false;
        break;
      }
      const auto d = static_cast<unsigned char>(in[i + taken]);
      const bool fits = taken == 1 ? (d >= low && d <= high) : isContinuation(d);
      if (!fits) {
        complete = false;
        break;
      }
      code = (code << 6) | (d & 0x3F);
    }
    i += taken;
    if (!complete) {
      out.push_back(kReplacement);
      continue;
    }
    if (code < 0x10000) {
      out.push_back(static_cast<char16_t>(code));
    } else {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
  }
  return out;
}

std::size_t encodeUtf8(TextView in, char* out) {
  char* p = out;
  const std::size_t n = in.size();
  for (std::size_t i = 0; i < n; ++i) {
    char32_t code = in[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < n && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (in[i + 1] - 0xDC00);
      ++i;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = kReplacement;
    }
    if (code < 0x80) {
      *p++ = static_cast<char>(code);
    } else if (code < 0x800) {
      *p++ = static_cast<char>(0xC0 | (code >> 6));
      *p++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      *p++ = static_cast<char>(0xE0 | (code >> 12));
      *p++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      *p++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
      *p++ = static_cast<char>(0xF0 | (code >> 18));
      *p++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      *p++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      *p++ = static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return static_cast<std::size_t>(p - out);
}

std::string toUtf8(TextView in) {
  std::string out(in.size() * 3, '\0');
  out.resize(encodeUtf8(in, out.data()));
  return out;
}

std::string latin1ToUtf8(std::string_view in) {
  std::size_t high = 0;
  for (char ch : in) high += static_cast<unsigned char>(ch) >> 7;
  std::string out(in.size() + high, '\0');
  char* p = out.data();
  for (char ch : in) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      *p++ = ch;
    } else {
      *p++ = static_cast<char>(0xC0 | (c >> 6));
      *p++ = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

Text fromAscii(std::string_view ascii) { return Text(ascii.begin(), ascii.end()); }

std::string decimal(std::int64_t value) {
  char buffer[24];
  char* end = buffer + sizeof buffer;
  char* p = end;
  // Work on the unsigned magnitude so that the smallest value does not overflow.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = '-';
  return std::string(p, end);
}

}  // namespace diduzo
