#include "translate/wld_text.h"

#include <string.h>

#include "base/mbcs.h"

namespace wldtext {
namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

char* CopyBytes(char* out, const char* p, size_t bytes) {
  memcpy(out, p, bytes);
  return out + bytes;
}

// The character that an escape letter stands for, or null.
const char* EscapedCharacter(char letter) {
  switch (letter) {
    case 'n':
      return "\n";
    case 'r':
      return "\r";
    case 't':
      return "\t";
    default:
      return nullptr;
  }
}

}  // namespace

char* TrimLine(char* line) {
  while (IsBlank(*line)) ++line;
  char* end = line;  // one past the last character that is not blank
  for (char* p = line; *p; p += mbcs::CharBytes(p))
    if (!IsBlank(*p)) end = p + mbcs::CharBytes(p);
  *end = 0;
  return line;
}

const char* AcceptLine(char* line) {
  if (*line == ';') return nullptr;
  line = TrimLine(line);
  if (*line != '"') return nullptr;  // also an empty line, and a comment after the cut
  char* last = line;
  int characters = 0;
  for (char* p = line; *p; p += mbcs::CharBytes(p)) {
    last = p;
    ++characters;
  }
  if (characters < 2) return nullptr;
  *last = 0;
  return line + 1;
}

CXString DecodeEscapes(const char* text) {
  CXString decoded;
  if (!text || !*text) return decoded;
  // Decoding never lengthens the text.
  char* out = decoded.GetBuffer(static_cast<int>(strlen(text)));
  bool escape = false;
  for (const char* p = text; *p;) {
    const size_t bytes = mbcs::CharBytes(p);
    if (!escape) {
      if (*p == '\\')
        escape = true;
      else
        out = CopyBytes(out, p, bytes);
    } else if (*p != '\\') {  // a second backslash drops the first and keeps the escape open
      const char* replacement = EscapedCharacter(*p);
      if (bytes == 1 && replacement) {
        *out++ = *replacement;
      } else {
        *out++ = '\\';
        out = CopyBytes(out, p, bytes);
      }
      escape = false;
    }
    p += bytes;
  }
  *out = 0;
  decoded.ReleaseBuffer();
  return decoded;
}

}  // namespace wldtext
