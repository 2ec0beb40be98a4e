// What the SQLite and PostgreSQL drivers share: the adapter's own refusal messages, the scan over
// SQL text that skips quoted parts and comments, and the bounded cache of prepared statements.
#pragma once

#include <cstddef>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>

#include "quillstone/platform/Error.h"

namespace quillstone::driver {

inline constexpr const char* kNestedTransaction = "事务已经开始，不支持嵌套事务";
inline constexpr const char* kNoTransactionToCommit = "没有已开始的事务，无法提交";
inline constexpr const char* kNoTransactionToRollback = "没有已开始的事务，无法回滚";
inline constexpr const char* kConnectionClosed = "数据库连接已关闭";
inline constexpr const char* kEmptyStatement = "SQL 语句为空";

// Statements prepared per connection; callers that build SQL text (filters) would otherwise grow
// the cache without bound, so the least recently used idle statements are dropped past this.
inline constexpr std::size_t kStatementCacheCapacity = 100;

Error ParameterCountError(std::size_t expected, std::size_t given);

// Marks the transaction as over before COMMIT or ROLLBACK is sent: whatever the server answers,
// the caller's transaction has ended. Refuses with `refusal` when none was begun.
inline void EndTransaction(bool& in_transaction, const char* refusal) {
  if (!in_transaction) throw Error::Database(refusal);
  in_transaction = false;
}

// Calls `on_code(position)` for every byte of `sql` that is SQL code proper, i.e. not inside a
// '...' literal (E'...' with backslash escapes too), a "..." identifier, a $tag$...$tag$ body,
// a -- comment or a /* */ comment (nested as PostgreSQL nests them).
void ForEachCodeChar(const std::string& sql, const std::function<void(std::size_t)>& on_code);

// True when `sql` from `pos` on holds nothing but blanks, semicolons and comments.
bool OnlyBlanksFrom(const std::string& sql, std::size_t pos);

// Prepared statements keyed by SQL text, most recently used first. `Entry::busy()` tells that a
// statement is in use by an open result set; such an entry is never evicted.
template <class Entry>
class StatementCache {
 public:
  Entry* Find(const std::string& key) {
    auto it = index_.find(key);
    if (it == index_.end()) return nullptr;
    order_.splice(order_.begin(), order_, it->second);
    return &it->second->second;
  }

  Entry& Insert(const std::string& key, Entry entry) {
    order_.emplace_front(key, std::move(entry));
    index_[key] = order_.begin();
    return order_.front().second;
  }

  void Erase(const std::string& key) {
    auto it = index_.find(key);
    if (it == index_.end()) return;
    order_.erase(it->second);
    index_.erase(it);
  }

  // Drops idle entries from the least recently used end until at most `capacity` remain.
  template <class Release>
  void Trim(std::size_t capacity, Release release) {
    for (auto it = order_.end(); order_.size() > capacity && it != order_.begin();) {
      --it;
      if (it->second.busy()) continue;
      release(it->second);
      index_.erase(it->first);
      it = order_.erase(it);
    }
  }

  template <class Visit>
  void ForEach(Visit visit) {
    for (auto& [key, entry] : order_) visit(entry);
  }

  void Clear() {
    order_.clear();
    index_.clear();
  }

  std::size_t size() const { return order_.size(); }

 private:
  std::list<std::pair<std::string, Entry>> order_;
  std::unordered_map<std::string, typename std::list<std::pair<std::string, Entry>>::iterator> index_;
};

}  // namespace quillstone::driver
