// Checked arrays with fixed bounds: every access tests its index and raises error 6 at the
// caller's line (Quellort), so a bad index never touches memory.
#pragma once

#include "platform/errors.hpp"

#include <algorithm>
#include <type_traits>
#include <vector>

namespace qz {

// One dimension, indices lo..hi inclusive (the game's arrays are 1-based, some 0-based).
template <class T>
class Feld {
public:
    Feld() = default;
    Feld(int lo, int hi, const T& value = T{}) { redim(lo, hi, value); }

    void redim(int lo, int hi, const T& value = T{})
    {
        lo_ = lo;
        hi_ = hi;
        data_.clear();
        data_.resize(hi >= lo ? static_cast<std::size_t>(hi - lo + 1) : 0);
        fill(value);
    }
    void fill(const T& value)
    {
        if constexpr (std::is_copy_assignable_v<T>) std::fill(data_.begin(), data_.end(), value);
    }

    T& operator()(int i, Quellort where = Quellort::current())
    {
        checkIndex(i, lo_, hi_, where);
        return data_[static_cast<std::size_t>(i - lo_)];
    }
    const T& operator()(int i, Quellort where = Quellort::current()) const
    {
        checkIndex(i, lo_, hi_, where);
        return data_[static_cast<std::size_t>(i - lo_)];
    }

    int lo() const { return lo_; }
    int hi() const { return hi_; }

    // Direct access for bulk fillers (the list splitter); call rebound() after resizing.
    std::vector<T>& values() { return data_; }
    const std::vector<T>& values() const { return data_; }
    void rebound(int lo)
    {
        lo_ = lo;
        hi_ = lo + static_cast<int>(data_.size()) - 1;
    }

private:
    int lo_ = 0;
    int hi_ = -1;
    std::vector<T> data_;
};

// Two dimensions, both ranges inclusive.
template <class T>
class Feld2 {
public:
    Feld2() = default;
    Feld2(int lo1, int hi1, int lo2, int hi2, const T& value = T{}) { redim(lo1, hi1, lo2, hi2, value); }

    void redim(int lo1, int hi1, int lo2, int hi2, const T& value = T{})
    {
        lo1_ = lo1;
        hi1_ = hi1;
        lo2_ = lo2;
        hi2_ = hi2;
        data_.clear();
        data_.resize(static_cast<std::size_t>(hi1 - lo1 + 1) * static_cast<std::size_t>(hi2 - lo2 + 1));
        fill(value);
    }
    void fill(const T& value)
    {
        if constexpr (std::is_copy_assignable_v<T>) std::fill(data_.begin(), data_.end(), value);
    }

    T& operator()(int i, int j, Quellort where = Quellort::current())
    {
        return data_[offset(i, j, where)];
    }
    const T& operator()(int i, int j, Quellort where = Quellort::current()) const
    {
        return data_[offset(i, j, where)];
    }

    int lo1() const { return lo1_; }
    int hi1() const { return hi1_; }
    int lo2() const { return lo2_; }
    int hi2() const { return hi2_; }

private:
    std::size_t offset(int i, int j, const Quellort& where) const
    {
        checkIndex(i, lo1_, hi1_, where);
        checkIndex(j, lo2_, hi2_, where);
        return static_cast<std::size_t>(i - lo1_) * static_cast<std::size_t>(hi2_ - lo2_ + 1) +
               static_cast<std::size_t>(j - lo2_);
    }

    int lo1_ = 0, hi1_ = -1, lo2_ = 0, hi2_ = -1;
    std::vector<T> data_;
};

}  // namespace qz
