// Enumerators over the parts of one string.
#pragma once

#include "base/api.h"
#include "base/enum.h"

// The fields of a string split at any of a set of separator characters, as C strtok yields
// them: runs of separators count as one, so empty fields are skipped. Separators are matched
// only at character boundaries. The enumerator works on its own copy of the string.
class TW_BASE_API CCharSeparatedStringsEnum : public CTArrayEnum<const char*> {
 public:
  CCharSeparatedStringsEnum(const char* text, const char* separators, IQVUnknown* owner = nullptr);
  ~CCharSeparatedStringsEnum() override;

 private:
  char* m_copy;
};

// The strings of a list of zero-terminated strings ended by an empty string.
class TW_BASE_API CZeroDelimitedStringsEnum : public CTArrayEnum<const char*> {
 public:
  explicit CZeroDelimitedStringsEnum(const char* list, IQVUnknown* owner = nullptr);
  ~CZeroDelimitedStringsEnum() override;

 private:
  char* m_copy;
};
