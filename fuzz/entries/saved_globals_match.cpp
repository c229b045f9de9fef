// Saved globals compared by what they mean to a script: the runtime keeps one
// entry a key and one global a name, and numbers its tables as it meets them.
#include "fuzz/entries/saved_globals_match.h"

#include <cmath>
#include <map>
#include <vector>

#include "save/save_globals.h"

namespace {

bool SameNumber(double a, double b) {
  return std::isnan(a) ? std::isnan(b) : a == b && std::signbit(a) == std::signbit(b);
}

// A key other than a table, ordered as the runtime tells keys apart: 0 and -0 are one key.
struct PlainKey {
  uint8_t kind;
  double number;
  std::string text;
  bool operator<(const PlainKey& other) const {
    if (kind != other.kind) return kind < other.kind;
    return kind == SavedValue::kNumber ? number < other.number : text < other.text;
  }
};

// A table as the runtime holds it, a later entry of a key replacing the earlier.
struct Entries {
  std::map<PlainKey, SavedValue> plain;
  std::map<uint32_t, SavedValue> byTable;  // keyed by tables, by their index
};

Entries EntriesOf(const std::vector<std::pair<SavedValue, SavedValue>>& table) {
  Entries entries;
  for (const auto& [key, value] : table) {
    if (key.kind == SavedValue::kTable) entries.byTable[key.table] = value;
    else entries.plain[PlainKey{key.kind, key.number, key.text}] = value;
  }
  return entries;
}

class Matcher {
 public:
  Matcher(const SavedGlobals& saved, const SavedGlobals& loaded, std::string* difference)
      : saved_(saved), loaded_(loaded), difference_(difference) {}

  bool Globals() {
    std::map<std::string, SavedValue> saved, loaded;
    for (const auto& [name, value] : saved_.globals)
      if (!IsReservedGlobal(name)) saved[name] = value;
    for (const auto& [name, value] : loaded_.globals) loaded[name] = value;
    if (loaded.size() != loaded_.globals.size()) return Fail("a global was captured twice");
    for (const auto& global : loaded)
      if (!saved.count(global.first)) return Fail("global " + global.first + " was not saved");
    for (const auto& [name, value] : saved) {
      auto other = loaded.find(name);
      if (other == loaded.end()) return Fail("global " + name + " was not set");
      if (!Same(value, other->second, "global " + name)) return false;
    }
    return Tables();
  }

 private:
  // An entry keyed by a table, compared once its key is known on both sides.
  struct Waiting {
    uint32_t key;
    SavedValue value;
    uint32_t loadedTable;
    std::string where;
  };

  bool Fail(const std::string& what) {
    *difference_ = what;
    return false;
  }

  bool Same(const SavedValue& a, const SavedValue& b, const std::string& where) {
    if (a.kind != b.kind) return Fail(where + ": a value of another kind");
    if (a.kind == SavedValue::kNumber && !SameNumber(a.number, b.number)) return Fail(where + ": another number");
    if (a.kind == SavedValue::kString && a.text != b.text) return Fail(where + ": another string");
    if (a.kind != SavedValue::kTable) return true;
    auto known = savedToLoaded_.find(a.table);
    if (known == savedToLoaded_.end() && !loadedToSaved_.count(b.table)) {
      savedToLoaded_[a.table] = b.table;
      loadedToSaved_[b.table] = a.table;
      unmatched_.push_back({a.table, b.table});
      return true;
    }
    if (known != savedToLoaded_.end() && known->second == b.table) return true;
    return Fail(where + ": a table shared otherwise than saved");
  }

  bool Table(uint32_t saved, uint32_t loaded) {
    Entries a = EntriesOf(saved_.tables[saved]), b = EntriesOf(loaded_.tables[loaded]);
    std::string where = "table " + std::to_string(saved);
    if (a.plain.size() != b.plain.size() || a.byTable.size() != b.byTable.size())
      return Fail(where + ": another number of entries");
    for (const auto& [key, value] : a.plain) {
      auto other = b.plain.find(key);
      if (other == b.plain.end()) return Fail(where + ": a key is missing");
      if (!Same(value, other->second, where)) return false;
    }
    for (const auto& [key, value] : a.byTable) waiting_.push_back({key, value, loaded, where});
    return true;
  }

  // Every pair of tables met, then the entries keyed by tables that are met
  // by then; a key table met nowhere else is only counted.
  bool Tables() {
    for (bool progress = true; progress;) {
      while (!unmatched_.empty()) {
        auto [saved, loaded] = unmatched_.back();
        unmatched_.pop_back();
        if (!Table(saved, loaded)) return false;
      }
      progress = false;
      std::vector<Waiting> still;
      for (const Waiting& entry : waiting_) {
        auto key = savedToLoaded_.find(entry.key);
        if (key == savedToLoaded_.end()) {
          still.push_back(entry);
          continue;
        }
        Entries b = EntriesOf(loaded_.tables[entry.loadedTable]);
        auto other = b.byTable.find(key->second);
        if (other == b.byTable.end()) return Fail(entry.where + ": a key is missing");
        if (!Same(entry.value, other->second, entry.where)) return false;
        progress = true;
      }
      waiting_ = std::move(still);
    }
    return true;
  }

  const SavedGlobals& saved_;
  const SavedGlobals& loaded_;
  std::string* difference_;
  std::map<uint32_t, uint32_t> savedToLoaded_, loadedToSaved_;
  std::vector<std::pair<uint32_t, uint32_t>> unmatched_;
  std::vector<Waiting> waiting_;
};

}  // namespace

bool LoadsAsSaved(const SavedGlobals& saved, const SavedGlobals& loaded, std::string* difference) {
  return Matcher(saved, loaded, difference).Globals();
}
