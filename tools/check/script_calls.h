// The calls a Lua script makes by name, with their literal string arguments,
// read from the source without running it.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct ScriptCall {
  std::string function;                           // the called name, e.g. "LoadAnim"
  int line = 0;                                   // line of the name, from 1
  std::vector<std::optional<std::string>> args;   // a literal string argument, or nothing for any other
  std::vector<std::optional<double>> numbers;     // a literal number argument (a leading minus too), or nothing
  std::vector<bool> throughR;                     // the literal argument was written R("name")
};

struct ScriptReading {
  std::vector<ScriptCall> calls;     // in the order their lists close
  std::vector<std::string> strings;  // every string literal, wherever it stands
};

// Every call NAME(...) of a plain name in source, nested calls too, and every
// string literal; comments are skipped. A string argument is literal only
// when it is the whole argument ("a.bmp", not "a" .. x); R("a.bmp"), which
// asks for the file's address, counts as the literal name it gives R.
ScriptReading ReadScript(const std::string& source);
