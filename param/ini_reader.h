// CIniReader: reads INI text with its included files into a parameter tree.
#pragma once

#include "base/xstring.h"
#include "param/ini_lines.h"
#include "param/param.h"
#include "param/param_ref.h"

class CIniReader {
 public:
  // At most this many inputs are open at once: the top file and its nested includes.
  enum { MAX_OPEN_INPUTS = 16 };

  explicit CIniReader(IParam* root);
  ~CIniReader();
  CIniReader(const CIniReader&) = delete;
  CIniReader& operator=(const CIniReader&) = delete;

  // Reads the file and everything it includes. Opening failures throw CXFileException.
  void Read(const char* fileName);

 private:
  struct Input;

  void Push(const CXString& name);
  void Pop();
  void HandleLine(char* line);
  void HandleDirective(char* line);
  void HandleSection(char* line);
  void HandleEntry(char* line);
  void Include(const char* argument);
  // The name an include argument opens (see the README for the rules).
  CXString ResolveInclude(const char* argument) const;
  // True when the input of that name is already open on the stack.
  bool IsOpen(const CXString& identity) const;

  IParam* m_root;
  QVRef<IParam> m_current;
  CXString m_baseDirectory;
  Input* m_inputs[MAX_OPEN_INPUTS];
  int m_depth = 0;
};
