// Replay files: one step a line, read into steps the player runs from the frame hook.
#include "play/replay_file.h"

#include <cctype>
#include <sstream>

#include "util/key_names.h"
#include "save/save_slots.h"

namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

// Splits a line into words and "quoted texts" (with \" and \\ inside); a #
// where a word would begin starts a comment.
bool Tokenize(const std::string& line, std::vector<Token>* tokens, std::string* error) {
  size_t i = 0;
  while (i < line.size()) {
    if (std::isspace(static_cast<unsigned char>(line[i]))) {
      ++i;
    } else if (line[i] == '#') {
      break;
    } else if (line[i] == '"') {
      Token token{"", true};
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        token.text += line[i];
      }
      if (i >= line.size()) {
        *error = "a text lacks its closing quote";
        return false;
      }
      ++i;
      tokens->push_back(token);
    } else {
      Token token;
      while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) token.text += line[i++];
      tokens->push_back(token);
    }
  }
  return true;
}

bool Number(const Token& token, int* value) {
  if (token.quoted || token.text.empty() || token.text.size() > 9) return false;
  for (char c : token.text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  *value = std::stoi(token.text);
  return true;
}

// The usual names of a gamepad's buttons, as SDL numbers them on the common pads.
bool PadButtonFromWord(const std::string& word, int* button) {
  const char* names[] = {"A", "B", "X", "Y", "LB", "RB"};
  for (int i = 0; i < 6; ++i)
    if (word == names[i]) return *button = i, true;
  Token token{word, false};
  return Number(token, button) && *button < 32;
}

// A stick position: a whole number from -32768 to 32767.
bool StickValue(const Token& token, int* value) {
  bool negative = !token.quoted && token.text.size() > 1 && token.text[0] == '-';
  Token digits{negative ? token.text.substr(1) : token.text, token.quoted};
  if (!Number(digits, value)) return false;
  if (negative) *value = -*value;
  return *value >= -32768 && *value <= 32767;
}

bool IsWord(const std::vector<Token>& t, size_t i, const char* word) {
  return i < t.size() && !t[i].quoted && t[i].text == word;
}

// "within N frames" from position i on; a missing clause leaves limit at 0.
bool FrameLimit(const std::vector<Token>& t, size_t i, int* limit) {
  if (i == t.size()) return true;
  return i + 3 == t.size() && IsWord(t, i, "within") && Number(t[i + 1], limit) && *limit > 0 &&
         (IsWord(t, i + 2, "frames") || IsWord(t, i + 2, "frame"));
}

bool ParseStep(const std::vector<Token>& t, Step* step, std::string* error) {
  const std::string& verb = t[0].text;
  size_t n = t.size();
  *error = "cannot read this step";
  if (verb == "move") {
    step->kind = StepKind::kMove;
    return n == 3 && Number(t[1], &step->x) && Number(t[2], &step->y);
  }
  if (verb == "click") {
    step->kind = StepKind::kClick;
    size_t i = 1;
    if (n >= 3 && Number(t[1], &step->x) && Number(t[2], &step->y)) {
      step->at = true;
      i = 3;
    }
    if (i < n && !ButtonFromWord(t[i++].text, &step->button)) return false;
    return i == n;
  }
  if (verb == "mouse") {
    if (n < 2 || n > 3 || (!IsWord(t, 1, "down") && !IsWord(t, 1, "up"))) return false;
    step->kind = t[1].text == "down" ? StepKind::kMouseDown : StepKind::kMouseUp;
    return n == 2 || ButtonFromWord(t[2].text, &step->button);
  }
  if (verb == "key" || verb == "hold" || verb == "release") {
    step->kind = verb == "release" ? StepKind::kKeyUp : StepKind::kKey;
    *error = "no such key (use F5, ESCAPE, A, 7, LSHIFT, SHIFT+TAB ... or a key code)";
    if (n != 2) return false;
    std::string name = t[1].text;
    if (name.size() > 6 && (name.rfind("SHIFT+", 0) == 0 || name.rfind("shift+", 0) == 0)) {
      step->shift = true;
      name = name.substr(6);
    }
    return KeyFromName(name, &step->key);
  }
  if (verb == "pad") {
    *error = "a pad step is: pad press BUTTON, pad release BUTTON (A, B, X, Y, LB, RB or 0 to 31), pad stick X Y";
    if (n == 3 && (IsWord(t, 1, "press") || IsWord(t, 1, "release"))) {
      step->kind = t[1].text == "press" ? StepKind::kPadDown : StepKind::kPadUp;
      return PadButtonFromWord(t[2].text, &step->x);
    }
    step->kind = StepKind::kPadStick;
    return n == 4 && IsWord(t, 1, "stick") && StickValue(t[2], &step->x) && StickValue(t[3], &step->y);
  }
  if (verb == "save" || verb == "load") {
    step->kind = verb == "save" ? StepKind::kSave : StepKind::kLoad;
    *error = "a save slot is 1 to 32 letters, digits, - or _";
    if (n != 2) return false;
    step->text = t[1].text;
    return IsSlotName(step->text);
  }
  if (verb == "close") {
    step->kind = StepKind::kClose;
    return n == 1;
  }
  if (verb == "wait" && IsWord(t, 1, "for")) {
    // "speech" as a word, not a quoted text, waits for what someone says.
    size_t at = IsWord(t, 2, "speech") ? 3 : 2;
    step->kind = at == 3 ? StepKind::kWaitForSpeech : StepKind::kWaitFor;
    if (n <= at || !t[at].quoted || t[at].text.empty()) return false;
    step->text = t[at].text;
    return FrameLimit(t, at + 1, &step->count);
  }
  if (verb == "wait") {
    if (n != 3 || !Number(t[1], &step->count)) return false;
    if (IsWord(t, 2, "frames") || IsWord(t, 2, "frame")) step->kind = StepKind::kWaitFrames;
    else if (IsWord(t, 2, "ms")) step->kind = StepKind::kWaitMs;
    else return false;
    return true;
  }
  if (verb == "screenshot") {
    step->kind = StepKind::kScreenshot;
    *error = "a screenshot name is a plain file name";
    if (n != 2) return false;
    step->text = t[1].text;
    return !step->text.empty() && step->text[0] != '.' && step->text.find_first_of("/\\") == std::string::npos;
  }
  if (verb == "expect" && IsWord(t, 1, "exit")) {
    step->kind = StepKind::kExpectExit;
    return FrameLimit(t, 2, &step->count);
  }
  if (verb == "expect" && IsWord(t, 1, "no")) {
    step->kind = StepKind::kExpectNo;
    step->text = n == 3 && t[2].quoted ? t[2].text : "";
    return !step->text.empty();
  }
  if (verb == "expect") {
    step->kind = StepKind::kExpect;
    if (n < 2 || !t[1].quoted || t[1].text.empty()) return false;
    step->text = t[1].text;
    step->sinceStart = n == 4 && IsWord(t, 2, "since") && IsWord(t, 3, "start");
    return n == 2 || step->sinceStart;
  }
  *error = "unknown step \"" + verb + "\"";
  return false;
}

std::string Trimmed(const std::string& line) {
  size_t begin = line.find_first_not_of(" \t\r");
  size_t end = line.find_last_not_of(" \t\r");
  return begin == std::string::npos ? "" : line.substr(begin, end - begin + 1);
}

}  // namespace

bool ParseReplay(const std::string& text, const std::string& fileName, Replay* replay, std::string* error) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::string where = fileName + ":" + std::to_string(number);
    std::vector<Token> tokens;
    std::string problem;
    bool read = Tokenize(line, &tokens, &problem);
    if (read && tokens.empty()) continue;
    if (read && IsWord(tokens, 0, "game")) {
      read = tokens.size() == 2 && replay->gameFolder.empty() && replay->steps.empty();
      problem = "a game line names one folder, once, before the steps";
      if (read) replay->gameFolder = tokens[1].text;
    } else if (read && IsWord(tokens, 0, "ms-per-frame")) {
      read = tokens.size() == 2 && Number(tokens[1], &replay->msPerFrame) && replay->msPerFrame > 0 &&
             replay->steps.empty();
      problem = "ms-per-frame takes a number above 0, before the steps";
    } else if (read) {
      Step step{};
      step.where = where;
      step.line = Trimmed(line);
      read = ParseStep(tokens, &step, &problem);
      if (read) replay->steps.push_back(step);
    }
    if (!read) {
      *error = where + ": " + problem + ": " + Trimmed(line);
      return false;
    }
  }
  return true;
}

std::string QuotedText(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

bool ButtonFromWord(const std::string& word, Uint8* button) {
  if (word == "left") *button = SDL_BUTTON_LEFT;
  else if (word == "middle") *button = SDL_BUTTON_MIDDLE;
  else if (word == "right") *button = SDL_BUTTON_RIGHT;
  else if (word.size() == 1 && word[0] >= '1' && word[0] <= '9') *button = static_cast<Uint8>(word[0] - '0');
  else return false;
  return true;
}

std::string WordOfButton(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return "left";
    case SDL_BUTTON_MIDDLE: return "middle";
    case SDL_BUTTON_RIGHT: return "right";
    default: return std::to_string(button);
  }
}
