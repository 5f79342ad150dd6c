#pragma once
// Arrays with declared bounds. Every index is checked: one outside its bound
// throws std::out_of_range("Subscript out of range") and changes nothing.
//
// BoundedArray holds a fixed-size array whose storage is paged and allocated on
// first write, so a graph's large grids cost memory only where they are used.
// DynArray is a growable array with lower bounds 0 that holds no element until
// it is dimensioned.
#include <array>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <vector>

struct Bound {
    long lo;
    long hi;
    constexpr std::size_t count() const { return static_cast<std::size_t>(hi - lo + 1); }
};

[[noreturn]] inline void throwSubscriptOutOfRange() { throw std::out_of_range("Subscript out of range"); }

template <class T, Bound... B>
class BoundedArray {
public:
    static constexpr std::size_t kRank = sizeof...(B);
    static constexpr std::array<Bound, kRank> kBounds{B...};
    static constexpr std::size_t kSize = (B.count() * ...);

    BoundedArray() = default;
    BoundedArray(BoundedArray&&) noexcept = default;
    BoundedArray& operator=(BoundedArray&&) noexcept = default;

    static constexpr long lower(std::size_t dim = 0) { return kBounds[dim].lo; }
    static constexpr long upper(std::size_t dim = 0) { return kBounds[dim].hi; }

    // Writable element: allocates its page on first use.
    template <class... I>
        requires(sizeof...(I) == kRank)
    T& operator()(I... index) {
        const std::size_t at = offset(static_cast<long>(index)...);
        auto& page = pages_[at / kPage];
        if (!page) page = std::make_unique<T[]>(kPage);
        return page[at % kPage];
    }

    // Read-only element: an untouched element reads as T{} and allocates nothing.
    template <class... I>
        requires(sizeof...(I) == kRank)
    const T& operator()(I... index) const {
        const std::size_t at = offset(static_cast<long>(index)...);
        const auto& page = pages_[at / kPage];
        static const T empty{};
        return page ? page[at % kPage] : empty;
    }

    // Bytes held by the allocated pages (for tests and benchmarks).
    std::size_t allocatedBytes() const {
        std::size_t n = 0;
        for (const auto& p : pages_) n += p ? kPage * sizeof(T) : 0;
        return n;
    }

private:
    static constexpr std::size_t kPage = kSize < 1024 ? kSize : 1024;

    template <class... I>
    static std::size_t offset(I... index) {
        const long idx[] = {index...};
        std::size_t at = 0;
        for (std::size_t d = 0; d < kRank; ++d) {
            if (idx[d] < kBounds[d].lo || idx[d] > kBounds[d].hi) throwSubscriptOutOfRange();
            at = at * kBounds[d].count() + static_cast<std::size_t>(idx[d] - kBounds[d].lo);
        }
        return at;
    }

    std::vector<std::unique_ptr<T[]>> pages_ = std::vector<std::unique_ptr<T[]>>((kSize + kPage - 1) / kPage);
};

template <class T, std::size_t Rank>
class DynArray {
public:
    // Dimensions the array anew to 0..upper on each axis, every element T{};
    // an upper bound below 0 leaves no valid index on that axis.
    template <class... L>
        requires(sizeof...(L) == Rank)
    void ReDim(L... upper) {
        const long up[] = {static_cast<long>(upper)...};
        std::size_t total = 1;
        for (std::size_t d = 0; d < Rank; ++d) {
            const std::size_t n = up[d] < 0 ? 0 : static_cast<std::size_t>(up[d]) + 1;
            if (n != 0 && total > data_.max_size() / n) throw std::length_error("Out of memory");
            total *= n;
        }
        // Allocate first, so that a failure leaves the array as it was.
        std::vector<T> fresh(total, T{});
        for (std::size_t d = 0; d < Rank; ++d) upper_[d] = up[d];
        dimensioned_ = true;
        data_ = std::move(fresh);
    }
    // Back to the undimensioned state: every index fails.
    void Erase() {
        dimensioned_ = false;
        data_.clear();
    }

    bool dimensioned() const { return dimensioned_; }
    long upper(std::size_t dim = 0) const { return dimensioned_ ? upper_[dim] : -1; }

    template <class... I>
        requires(sizeof...(I) == Rank)
    T& operator()(I... index) {
        return data_[offset(static_cast<long>(index)...)];
    }
    template <class... I>
        requires(sizeof...(I) == Rank)
    const T& operator()(I... index) const {
        return data_[offset(static_cast<long>(index)...)];
    }

private:
    template <class... I>
    std::size_t offset(I... index) const {
        if (!dimensioned_) throwSubscriptOutOfRange();
        const long idx[] = {index...};
        std::size_t at = 0;
        for (std::size_t d = 0; d < Rank; ++d) {
            if (idx[d] < 0 || idx[d] > upper_[d]) throwSubscriptOutOfRange();
            at = at * (static_cast<std::size_t>(upper_[d]) + 1) + static_cast<std::size_t>(idx[d]);
        }
        return at;
    }

    std::array<long, Rank> upper_{};
    bool dimensioned_ = false;
    std::vector<T> data_;
};
