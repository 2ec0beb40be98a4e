// Ordered, 1-based collection with optional text keys, as every list of the library is.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "quillstone/platform/Error.h"

namespace quillstone {

template <typename T>
class Collection {
 public:
  int Count() const { return static_cast<int>(items_.size()); }

  // 1-based; an index out of range is the out-of-range failure.
  T& Item(int index) {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index - 1)].second;
  }
  const T& Item(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index - 1)].second;
  }
  T& Item(const std::string& key) { return items_[FindKey(key)].second; }
  const T& Item(const std::string& key) const { return items_[FindKey(key)].second; }

  bool Contains(const std::string& key) const { return Lookup(key) != npos; }

  // A non-empty key must be unique.
  void Add(T value, const std::string& key = "") {
    if (!key.empty() && Lookup(key) != npos) throw Error(457, "Collection", "此键已经与该集合中的一个元素相关联");
    items_.emplace_back(key, std::move(value));
  }

  void Remove(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + (index - 1));
  }
  void Remove(const std::string& key) { items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(FindKey(key))); }
  void Clear() { items_.clear(); }

  class iterator {
   public:
    using Inner = typename std::vector<std::pair<std::string, T>>::iterator;
    explicit iterator(Inner it) : it_(it) {}
    T& operator*() const { return it_->second; }
    iterator& operator++() {
      ++it_;
      return *this;
    }
    bool operator!=(const iterator& other) const { return it_ != other.it_; }
    bool operator==(const iterator& other) const { return it_ == other.it_; }

   private:
    Inner it_;
  };
  class const_iterator {
   public:
    using Inner = typename std::vector<std::pair<std::string, T>>::const_iterator;
    explicit const_iterator(Inner it) : it_(it) {}
    const T& operator*() const { return it_->second; }
    const_iterator& operator++() {
      ++it_;
      return *this;
    }
    bool operator!=(const const_iterator& other) const { return it_ != other.it_; }
    bool operator==(const const_iterator& other) const { return it_ == other.it_; }

   private:
    Inner it_;
  };

  iterator begin() { return iterator(items_.begin()); }
  iterator end() { return iterator(items_.end()); }
  const_iterator begin() const { return const_iterator(items_.begin()); }
  const_iterator end() const { return const_iterator(items_.end()); }

 private:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  static Error OutOfRange() { return Error(9, "Collection", "下标越界"); }

  void CheckIndex(int index) const {
    if (index < 1 || index > Count()) throw OutOfRange();
  }
  std::size_t Lookup(const std::string& key) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
      if (!key.empty() && items_[i].first == key) return i;
    return npos;
  }
  std::size_t FindKey(const std::string& key) const {
    std::size_t i = Lookup(key);
    if (i == npos) throw OutOfRange();
    return i;
  }

  std::vector<std::pair<std::string, T>> items_;
};

}  // namespace quillstone
