// A small Lua scanner: names, strings, comments and brackets, enough to read call arguments.
#include "check/script_calls.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

class Scanner {
 public:
  explicit Scanner(const std::string& source) : s_(source) {}

  ScriptReading Read() {
    ScriptReading reading;
    std::vector<ScriptCall>& calls = reading.calls;
    std::vector<Open> open;  // calls whose argument list is being read
    std::string lastName;
    int lastLine = 0;
    bool nameBefore = false;
    while (i_ < s_.size()) {
      char c = s_[i_];
      if (c == '\n' || std::isspace(static_cast<unsigned char>(c))) {
        line_ += c == '\n';
        ++i_;
        continue;  // a name and its bracket may stand apart
      }
      if (s_.compare(i_, 2, "--") == 0) {
        SkipComment();
        continue;
      }
      bool minus = c == '-' && i_ + 1 < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_ + 1]));
      if (std::isdigit(static_cast<unsigned char>(c)) || minus) {
        char* end = nullptr;
        double value = std::strtod(s_.c_str() + i_, &end);
        i_ = static_cast<size_t>(end - s_.c_str());
        while (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) || s_[i_] == '.')) ++i_;
        if (!open.empty() && open.back().depth == 0) open.back().Number(value);
        else if (!open.empty()) open.back().Other();
        nameBefore = false;
        continue;
      }
      if (c == '"' || c == '\'' || LongBracket() >= 0) {
        std::string text = ReadString();
        reading.strings.push_back(text);
        Note(open, Piece::kString, text);
        nameBefore = false;
        continue;
      } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
        size_t start = i_;
        while (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) || s_[i_] == '_')) ++i_;
        lastName = s_.substr(start, i_ - start);
        lastLine = line_;
        bool afterDot = start > 0 && (s_[start - 1] == '.' || s_[start - 1] == ':');
        nameBefore = !afterDot && lastName != "function" && lastName != "end" && lastName != "return";
        // R("name") asks for the file's address: it names the file as the literal does.
        std::optional<std::string> file = nameBefore && lastName == "R" ? NameInBrackets() : std::nullopt;
        if (file) {
          reading.strings.push_back(*file);
          calls.push_back(ScriptCall{"R", lastLine, {file}, {std::nullopt}, {false}});
          Note(open, Piece::kString, *file);
          if (!open.empty() && open.back().depth == 0) open.back().throughR = true;
          nameBefore = false;
          continue;
        }
        Note(open, Piece::kOther, "");
        continue;
      } else if (c == '(') {
        if (!open.empty()) open.back().Other();
        open.push_back(Open{nameBefore ? lastName : "", lastLine, {}, 0, false, std::nullopt, true, std::nullopt});
        ++i_;
      } else if (c == ')') {
        if (!open.empty()) {
          Open done = std::move(open.back());
          open.pop_back();
          if (!done.function.empty()) calls.push_back(done.Finish());
        }
        ++i_;
      } else if (c == ',' && !open.empty() && open.back().depth == 0) {
        open.back().NextArgument();
        ++i_;
      } else {
        if (!open.empty()) {
          if (c == '{' || c == '[') ++open.back().depth;
          if (c == '}' || c == ']') --open.back().depth;
          open.back().Other();
        }
        ++i_;
      }
      nameBefore = false;
    }
    return reading;
  }

 private:
  enum class Piece { kString, kOther };

  // An argument list being read: each argument is literal while it holds exactly one string.
  struct Open {
    std::string function;
    int line;
    ScriptCall call;
    int depth;
    bool pieces;  // the current argument has something in it
    std::optional<std::string> current;
    bool plain = true;
    std::optional<double> number;
    bool throughR = false;

    void Other() {
      pieces = true;
      plain = false;
    }
    void Number(double value) {
      if (pieces) plain = false;
      pieces = true;
      number = value;
    }
    void String(const std::string& text) {
      if (pieces) plain = false;
      pieces = true;
      current = text;
    }
    void NextArgument() {
      call.args.push_back(plain && current ? current : std::nullopt);
      call.numbers.push_back(plain && number ? number : std::nullopt);
      call.throughR.push_back(plain && current && throughR);
      pieces = false;
      plain = true;
      throughR = false;
      current.reset();
      number.reset();
    }
    ScriptCall Finish() {
      if (pieces) NextArgument();
      call.function = function;
      call.line = line;
      return call;
    }
  };

  void Note(std::vector<Open>& open, Piece piece, const std::string& text) {
    if (open.empty()) return;
    if (piece == Piece::kString && open.back().depth == 0) open.back().String(text);
    else open.back().Other();
  }

  // The level of a long bracket ([[ or [==[) starting here, or -1.
  int LongBracket() const {
    if (s_[i_] != '[') return -1;
    size_t j = i_ + 1;
    while (j < s_.size() && s_[j] == '=') ++j;
    return j < s_.size() && s_[j] == '[' ? static_cast<int>(j - i_ - 1) : -1;
  }

  std::string ReadLong(int level) {
    std::string close = "]" + std::string(level, '=') + "]";
    i_ += level + 2;
    size_t end = s_.find(close, i_);
    if (end == std::string::npos) end = s_.size();
    std::string text = s_.substr(i_, end - i_);
    for (char c : text) line_ += c == '\n';
    i_ = std::min(s_.size(), end + close.size());
    return text;
  }

  std::string ReadString() {
    int level = LongBracket();
    if (level >= 0) return ReadLong(level);
    char quote = s_[i_++];
    std::string text;
    while (i_ < s_.size() && s_[i_] != quote && s_[i_] != '\n') {
      if (s_[i_] == '\\' && i_ + 1 < s_.size()) ++i_;  // the escaped character stands for itself here
      text += s_[i_++];
    }
    ++i_;
    return text;
  }

  // ("text") with blanks anywhere, read past; otherwise nothing, and nothing read.
  std::optional<std::string> NameInBrackets() {
    size_t start = i_;
    int startLine = line_;
    auto blanks = [&] {
      for (; i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_])); ++i_) line_ += s_[i_] == '\n';
    };
    blanks();
    if (i_ < s_.size() && s_[i_] == '(') {
      ++i_;
      blanks();
      if (i_ < s_.size() && (s_[i_] == '"' || s_[i_] == '\'')) {
        std::string text = ReadString();
        blanks();
        if (i_ < s_.size() && s_[i_] == ')') {
          ++i_;
          return text;
        }
      }
    }
    i_ = start;
    line_ = startLine;
    return std::nullopt;
  }

  void SkipComment() {
    i_ += 2;
    int level = LongBracket();
    if (level >= 0) {
      ReadLong(level);
      return;
    }
    while (i_ < s_.size() && s_[i_] != '\n') ++i_;
  }

  const std::string& s_;
  size_t i_ = 0;
  int line_ = 1;
};

}  // namespace

ScriptReading ReadScript(const std::string& source) { return Scanner(source).Read(); }
