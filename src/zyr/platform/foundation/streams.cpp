// SPDX-License-Identifier: MIT
#include <zyr/platform/foundation/streams.h>

namespace zyr {

void WriteLnStream(std::ostream& os, const std::string& s) {
  std::string line;
  line.reserve(s.size() + 2);
  for (char c : s) {
    switch (c) {
      case '\\':
        line += "\\\\";
        break;
      case '\n':
        line += "\\n";
        break;
      case '\r':
        line += "\\r";
        break;
      case '\0':
        line += "\\0";
        break;
      default:
        line += c;
    }
  }
  line += "\r\n";
  os.write(line.data(), std::streamsize(line.size()));
}

namespace {

std::string Unescape(const std::string& raw) {
  std::string out;
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    char c = raw[i];
    if (c != '\\' || i + 1 >= raw.size()) {
      out += c;
      continue;
    }
    char n = raw[i + 1];
    switch (n) {
      case '\\':
        out += '\\';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case '0':
        out += '\0';
        break;
      default:  // not ours: keep both characters
        out += c;
        out += n;
    }
    ++i;
  }
  return out;
}

}  // namespace

std::string ReadLnStream(std::istream& is, int EolMode, bool& EndOfStream) {
  std::string raw;
  EndOfStream = false;
  std::streambuf* sb = is.rdbuf();
  if (!is.good() || !sb || sb->sgetc() == std::char_traits<char>::eof()) {
    EndOfStream = true;
    is.setstate(std::ios::eofbit);
    return {};
  }
  const auto eof = std::char_traits<char>::eof();
  for (;;) {
    int c = sb->sbumpc();
    if (c == eof) {
      is.setstate(std::ios::eofbit);
      break;
    }
    if (c == '\n') {
      if (EolMode == lemCRLF) {
        if (!raw.empty() && raw.back() == '\r') {
          raw.pop_back();
          break;
        }
        raw += '\n';
        continue;
      }
      if (!raw.empty() && raw.back() == '\r') raw.pop_back();
      break;
    }
    if (c == '\r' && EolMode != lemLF && EolMode != lemCRLF) {
      // A lone CR ends the line as well; swallow the LF of a CR LF pair.
      if (sb->sgetc() == '\n') sb->sbumpc();
      break;
    }
    raw += char(c);
  }
  return Unescape(raw);
}

}  // namespace zyr
