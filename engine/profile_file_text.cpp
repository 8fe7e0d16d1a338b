// The text of profile files: writing and the strict reader that refuses whatever an export
// would not have written.
#include <mbstring.h>
#include <stdio.h>

#include "engine/profile_file.h"
#include "engine/profile_rules.h"

namespace {

const char kHeader[] = "REGEDIT4";
const char kProfilesRoot[] = "HKEY_CURRENT_USER\\Profiles\\";
const char kLineEnd[] = "\r\n";
// Hex lists wrap as the registry editor wraps them: a continuation before column 80.
const size_t kHexColumns = 76;
// Longer strings go as hex lists, so that no line comes near the reader's limit.
const size_t kMaxQuotedBytes = 2048;
const size_t kMaxKeyNameBytes = 255;

// Names and notes are written as they are: a control character would make a line the reader refuses.
bool HasControlCharacter(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return true;
  return false;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

// A REG_SZ that reads back the same from a quoted string: one terminating zero and no control
// characters but tabs.
bool IsPlainString(const std::string& data) {
  if (data.empty() || data.back() != '\0' || data.size() > kMaxQuotedBytes) return false;
  for (size_t i = 0; i + 1 < data.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(data[i]);
    if (c < 0x20 && c != '\t') return false;
  }
  return true;
}

void AppendHexList(std::string& text, size_t lineStart, const std::string& data) {
  static const char kDigits[] = "0123456789abcdef";
  for (size_t i = 0; i < data.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(data[i]);
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
    if (i + 1 == data.size()) break;
    text += ',';
    if (text.size() - lineStart > kHexColumns) {
      text += "\\";
      text += kLineEnd;
      lineStart = text.size();
      text += "  ";
    }
  }
}

void AppendValue(std::string& text, const RegistryValue& value) {
  const size_t lineStart = text.size();
  text += value.Name.empty() ? std::string("@") : Quoted(value.Name);
  text += '=';
  if (value.Type == REG_SZ && IsPlainString(value.Data)) {
    text += Quoted(value.Data.substr(0, value.Data.size() - 1));
  } else if (value.Type == REG_DWORD && value.Data.size() == 4) {
    DWORD number = 0;
    memcpy(&number, value.Data.data(), 4);
    char digits[16];
    snprintf(digits, sizeof digits, "dword:%08lx", static_cast<unsigned long>(number));
    text += digits;
  } else {
    char head[24] = "hex:";
    if (value.Type != REG_BINARY) snprintf(head, sizeof head, "hex(%lx):", static_cast<unsigned long>(value.Type));
    text += head;
    AppendHexList(text, lineStart, value.Data);
  }
  text += kLineEnd;
}

// ---- Reading ----

class Reader {
 public:
  Reader(const std::string& text, ProfileTree& tree, ProfileFileError& error)
      : text_(text), tree_(tree), error_(error) {}

  bool Read();

 private:
  bool NextLine();
  bool Fail(ProfileFileProblem problem) {
    error_.Problem = problem;
    error_.Line = lineNumber_;
    return false;
  }
  bool ReadKeyLine();
  bool ReadValueLine();
  bool ReadQuoted(size_t& at, std::string& out);
  bool ReadHexList(size_t at, std::string& data);
  bool ReadDword(size_t at, std::string& data);
  bool OnlyBlanksFrom(size_t at) const { return line_.find_first_not_of(" \t", at) == std::string::npos; }

  const std::string& text_;
  ProfileTree& tree_;
  ProfileFileError& error_;
  size_t next_ = 0;  // where the next line starts
  int lineNumber_ = 0;
  std::string line_;  // without its line end
};

bool Reader::NextLine() {
  if (next_ >= text_.size()) return false;
  ++lineNumber_;
  const size_t end = text_.find('\n', next_);
  if (end == std::string::npos) {
    // Every line of an export ends with a line end: a text that stops inside one was cut off.
    line_ = text_.substr(next_);
    next_ = text_.size();
    if (line_.size() > kMaxProfileFileLine) return Fail(ProfileFileProblem::LineTooLong);
    return Fail(ProfileFileProblem::Truncated);
  }
  if (end - next_ > kMaxProfileFileLine) return Fail(ProfileFileProblem::LineTooLong);
  line_.assign(text_, next_, end - next_);
  next_ = end + 1;
  if (!line_.empty() && line_.back() == '\r') line_.pop_back();
  for (char c : line_) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && byte != '\t') return Fail(ProfileFileProblem::NotText);
  }
  return true;
}

bool Reader::Read() {
  if (text_.size() > kMaxProfileFileBytes) return Fail(ProfileFileProblem::TooLarge);
  if (text_.empty()) {
    lineNumber_ = 1;
    return Fail(ProfileFileProblem::NoHeader);
  }
  if (!NextLine()) return false;
  if (line_ != kHeader) return Fail(ProfileFileProblem::NoHeader);
  while (NextLine()) {
    if (OnlyBlanksFrom(0)) continue;
    if (line_[0] == ';') {
      if (tree_.Keys.empty()) {
        const size_t text = line_.size() > 1 && line_[1] == ' ' ? 2 : 1;
        tree_.Notes.push_back(line_.substr(text));
      }
      continue;
    }
    if (!(line_[0] == '[' ? ReadKeyLine() : ReadValueLine())) return false;
  }
  if (error_.Problem != ProfileFileProblem::None) return false;
  if (tree_.Keys.empty()) {
    ++lineNumber_;  // the end of the text, where the profile key was still missing
    return Fail(ProfileFileProblem::Truncated);
  }
  return true;
}

bool Reader::ReadKeyLine() {
  const size_t close = line_.find_last_not_of(" \t");
  if (line_[close] != ']') return Fail(ProfileFileProblem::Syntax);
  const std::string path = line_.substr(1, close - 1);
  const size_t rootLength = sizeof kProfilesRoot - 1;
  // Compared ignoring case, as the registry compares key names.
  if (path.size() < rootLength || _mbsnbicmp(reinterpret_cast<const unsigned char*>(path.c_str()),
                                             reinterpret_cast<const unsigned char*>(kProfilesRoot),
                                             rootLength) != 0)
    return Fail(path.empty() || path[0] != '-' ? ProfileFileProblem::OutsideProfile : ProfileFileProblem::Syntax);
  std::string relative = path.substr(rootLength);
  const size_t slash = relative.find('\\');
  const std::string name = relative.substr(0, slash);
  relative = slash == std::string::npos ? std::string() : relative.substr(slash + 1);
  if (!IsProfileName(name)) return Fail(ProfileFileProblem::BadKeyName);
  if (tree_.Keys.empty()) {
    tree_.Name = name;
  } else if (!SameProfileName(name, tree_.Name)) {
    return Fail(ProfileFileProblem::OutsideProfile);
  }
  if (slash != std::string::npos) {
    // Every part must be a key name: no empty part, none longer than the registry allows.
    size_t start = 0;
    for (;;) {
      const size_t end = relative.find('\\', start);
      const size_t length = (end == std::string::npos ? relative.size() : end) - start;
      if (length == 0 || length > kMaxKeyNameBytes) return Fail(ProfileFileProblem::BadKeyName);
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
  tree_.Keys.push_back(ProfileTreeKey{relative, {}});
  return true;
}

bool Reader::ReadQuoted(size_t& at, std::string& out) {
  if (at >= line_.size() || line_[at] != '"') return Fail(ProfileFileProblem::Syntax);
  out.clear();
  for (++at; at < line_.size(); ++at) {
    char c = line_[at];
    if (c == '"') {
      ++at;
      return true;
    }
    if (c == '\\') {
      if (++at >= line_.size()) break;
      c = line_[at];
      if (c != '\\' && c != '"') return Fail(ProfileFileProblem::BadEscape);
    }
    out += c;
  }
  return Fail(ProfileFileProblem::Truncated);  // no closing quotation mark
}

bool Reader::ReadValueLine() {
  if (tree_.Keys.empty()) return Fail(ProfileFileProblem::Syntax);
  RegistryValue value;
  size_t at = 0;
  if (line_[0] == '@') {
    at = 1;
  } else if (!ReadQuoted(at, value.Name)) {
    return false;
  } else if (value.Name.empty()) {
    // "" is how the default value would be named; an export writes @ for it.
    return Fail(ProfileFileProblem::Syntax);
  }
  if (at >= line_.size() || line_[at] != '=') return Fail(ProfileFileProblem::Syntax);
  ++at;
  if (at < line_.size() && line_[at] == '"') {
    std::string text;
    if (!ReadQuoted(at, text)) return false;
    if (!OnlyBlanksFrom(at)) return Fail(ProfileFileProblem::Syntax);
    value.Type = REG_SZ;
    value.Data = text + '\0';
  } else if (line_.compare(at, 6, "dword:") == 0) {
    value.Type = REG_DWORD;
    if (!ReadDword(at + 6, value.Data)) return false;
  } else if (line_.compare(at, 4, "hex:") == 0) {
    value.Type = REG_BINARY;
    if (!ReadHexList(at + 4, value.Data)) return false;
  } else if (line_.compare(at, 4, "hex(") == 0) {
    const size_t close = line_.find("):", at + 4);
    const std::string digits = close == std::string::npos ? std::string() : line_.substr(at + 4, close - at - 4);
    if (digits.empty() || digits.size() > 8 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
      return Fail(ProfileFileProblem::Syntax);
    value.Type = static_cast<DWORD>(strtoul(digits.c_str(), nullptr, 16));
    if (!ReadHexList(close + 2, value.Data)) return false;
  } else {
    return Fail(ProfileFileProblem::Syntax);
  }
  tree_.Keys.back().Values.push_back(value);
  return true;
}

bool Reader::ReadDword(size_t at, std::string& data) {
  const std::string digits = line_.substr(at, 8);
  if (digits.size() != 8 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos ||
      !OnlyBlanksFrom(at + 8))
    return Fail(ProfileFileProblem::Syntax);
  const DWORD number = static_cast<DWORD>(strtoul(digits.c_str(), nullptr, 16));
  data.assign(reinterpret_cast<const char*>(&number), 4);
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Bytes "xx" separated by commas; a line that ends with a backslash goes on in the next line.
bool Reader::ReadHexList(size_t at, std::string& data) {
  data.clear();
  for (;;) {
    size_t end = line_.find_last_not_of(" \t");
    const bool continued = end != std::string::npos && end >= at && line_[end] == '\\';
    if (continued) --end;
    const std::string list = end == std::string::npos || end + 1 < at ? std::string() : line_.substr(at, end + 1 - at);
    size_t pos = 0;
    while (pos < list.size()) {
      pos = list.find_first_not_of(" \t", pos);
      if (pos == std::string::npos) break;
      const int high = HexDigit(list[pos]);
      const int low = pos + 1 < list.size() ? HexDigit(list[pos + 1]) : -1;
      if (high < 0 || low < 0) return Fail(ProfileFileProblem::Syntax);
      data += static_cast<char>(high * 16 + low);
      pos = list.find_first_not_of(" \t", pos + 2);
      if (pos == std::string::npos) {
        // The last byte of the value carries no comma; a continued line ends with one.
        if (continued && !list.empty()) return Fail(ProfileFileProblem::Syntax);
        break;
      }
      if (list[pos] != ',') return Fail(ProfileFileProblem::Syntax);
      ++pos;
      if (list.find_first_not_of(" \t", pos) == std::string::npos && !continued)
        return Fail(ProfileFileProblem::Syntax);
    }
    if (!continued) return true;
    if (!NextLine()) return error_.Problem != ProfileFileProblem::None ? false : Fail(ProfileFileProblem::Truncated);
    at = 0;
  }
}

}  // namespace

bool IsProfileName(const std::string& name) {
  return !name.empty() && name.size() <= kMaxKeyNameBytes && name.find('\\') == std::string::npos;
}

bool FormatProfileFile(const ProfileTree& tree, std::string& text) {
  if (HasControlCharacter(tree.Name)) return false;
  std::string out = std::string(kHeader) + kLineEnd + kLineEnd;
  for (const std::string& note : tree.Notes) {
    if (HasControlCharacter(note)) return false;
    out += "; " + note + kLineEnd;
  }
  if (!tree.Notes.empty()) out += kLineEnd;
  for (const ProfileTreeKey& key : tree.Keys) {
    if (HasControlCharacter(key.Path)) return false;
    out += "[" + std::string(kProfilesRoot) + tree.Name;
    if (!key.Path.empty()) out += "\\" + key.Path;
    out += "]";
    out += kLineEnd;
    for (const RegistryValue& value : key.Values) {
      if (HasControlCharacter(value.Name)) return false;
      AppendValue(out, value);
    }
    out += kLineEnd;
  }
  text.swap(out);
  return true;
}

bool ParseProfileFile(const std::string& text, ProfileTree& tree, ProfileFileError& error) {
  ProfileTree read;
  error = ProfileFileError();
  if (!Reader(text, read, error).Read()) return false;
  tree = std::move(read);
  return true;
}
