#pragma once
// An ordered collection of shared objects, each under a unique text key, as
// the scenes keep their graphs. Positions count from 1.
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

template <class T>
class KeyedCollection {
public:
    using Entry = std::pair<std::string, std::shared_ptr<T>>;

    long Count() const { return static_cast<long>(items_.size()); }

    // Appends item under key; a key already present throws and adds nothing.
    void Add(std::shared_ptr<T> item, const std::string& key) {
        if (find(key) != items_.end())
            throw std::invalid_argument("This key is already associated with an element of this collection");
        items_.emplace_back(key, std::move(item));
    }

    const std::shared_ptr<T>& Item(long position) const { return items_.at(checked(position)).second; }
    const std::shared_ptr<T>& Item(const std::string& key) const {
        const auto it = find(key);
        if (it == items_.end()) throw std::invalid_argument("Invalid procedure call or argument");
        return it->second;
    }
    bool Contains(const std::string& key) const { return find(key) != items_.end(); }

    void Remove(long position) { items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(checked(position))); }
    void Remove(const std::string& key) {
        const auto it = find(key);
        if (it == items_.end()) throw std::invalid_argument("Invalid procedure call or argument");
        items_.erase(it);
    }
    void Clear() { items_.clear(); }

    // Iteration over (key, item) pairs in insertion order.
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::size_t checked(long position) const {
        if (position < 1 || position > Count()) throw std::out_of_range("Subscript out of range");
        return static_cast<std::size_t>(position - 1);
    }
    typename std::vector<Entry>::const_iterator find(const std::string& key) const {
        return std::find_if(items_.begin(), items_.end(), [&](const Entry& e) { return e.first == key; });
    }

    std::vector<Entry> items_;
};
