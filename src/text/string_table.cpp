// String files: one text per line, one file per language, fetched by line number.
#include "text/string_table.h"

#include "engine/engine.h"
#include "script/script_args.h"
#include "script/script_functions.h"

namespace {

const size_t kMaxStringLength = 255;

// Reads one line into text, consuming its line feed; the carriage return of a
// CR LF end is dropped. A longer line keeps its first 255 characters and still
// counts as one line, so the line numbers after it stay those of the file.
void ReadStringLine(std::istream& in, std::string& text) {
  text.clear();
  bool endedByLineFeed = false;
  std::istream::int_type c;
  while ((c = in.get()) != std::istream::traits_type::eof()) {
    if (c == '\n') {
      endedByLineFeed = true;
      break;
    }
    if (text.size() <= kMaxStringLength) text += static_cast<char>(c);  // one extra for a CR to drop
  }
  if (endedByLineFeed && !text.empty() && text.back() == '\r') text.pop_back();
  if (text.size() > kMaxStringLength) text.resize(kMaxStringLength);
}

}  // namespace

std::string LookUpString(TextState& text, double lineNumber) {
  int k = TruncateToInt(lineNumber - 1);
  std::ifstream* file = text.stringFile.get();
  if (!file || !file->is_open()) return std::string();
  file->clear();
  file->seekg(0);
  std::string line;
  for (long long read = 0; read <= k && !file->eof(); ++read) ReadStringLine(*file, line);
  return line;
}

void OpenStringFile(TextState& text, const std::string& baseName) {
  std::string path = baseName + "." + text.language;
  text.stringFile.reset();
  text.stringFile = std::make_unique<std::ifstream>(path);  // a missing file leaves it closed
  text.stringFileName = baseName;
}

int lua_SetLanguage(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] { engine.text.language = ArgString(L, 1); });
  return 0;
}

int lua_GetLanguage(lua_State* L) {
  const std::string& language = EngineOf(L).text.language;
  lua_pushlstring(L, language.data(), language.size());
  return 1;
}

int lua_SetStringFile(lua_State* L) {
  Engine& engine = EngineOf(L);
  GuardedCall(L, [&] { OpenStringFile(engine.text, ArgString(L, 1)); });
  return 0;
}

int lua_GetString(lua_State* L) {
  Engine& engine = EngineOf(L);
  std::string result;  // a failed lookup gives the empty string
  GuardedCall(L, [&] { result = LookUpString(engine.text, ArgNumber(L, 1)); });
  lua_pushlstring(L, result.data(), result.size());
  return 1;
}
