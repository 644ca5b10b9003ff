// AcArray<T>: the growable array of the geometry layer, kept on std::vector.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

// Indices are int as in the host API; an out-of-range index is the caller's fault
// for operator[], and at() does the same (no checks beyond the vector's own).
template <typename T>
class AcArray {
public:
    typedef T value_type;
    typedef typename std::vector<T>::iterator iterator;
    typedef typename std::vector<T>::const_iterator const_iterator;

    AcArray() = default;
    // Reserves `physicalLength` slots; the logical length stays 0.
    explicit AcArray(int physicalLength, int growLength = 8) : mGrowLength(growLength) {
        if (physicalLength > 0) {
            mData.reserve(static_cast<std::size_t>(physicalLength));
        }
    }

    T& operator[](int i) { return mData[static_cast<std::size_t>(i)]; }
    const T& operator[](int i) const { return mData[static_cast<std::size_t>(i)]; }
    T& at(int i) { return mData[static_cast<std::size_t>(i)]; }
    const T& at(int i) const { return mData[static_cast<std::size_t>(i)]; }
    AcArray& setAt(int i, const T& value) {
        mData[static_cast<std::size_t>(i)] = value;
        return *this;
    }
    T& first() { return mData.front(); }
    const T& first() const { return mData.front(); }
    T& last() { return mData.back(); }
    const T& last() const { return mData.back(); }

    // Appends and returns the index of the new element.
    int append(const T& value) {
        mData.push_back(value);
        return length() - 1;
    }
    AcArray& append(const AcArray& other) {
        mData.insert(mData.end(), other.mData.begin(), other.mData.end());
        return *this;
    }
    // Inserts before index (index == length() appends); an index out of range does nothing.
    AcArray& insertAt(int index, const T& value) {
        if (index >= 0 && index <= length()) {
            mData.insert(mData.begin() + index, value);
        }
        return *this;
    }
    // Removes one element; an index out of range does nothing.
    AcArray& removeAt(int index) {
        if (index >= 0 && index < length()) {
            mData.erase(mData.begin() + index);
        }
        return *this;
    }
    bool remove(const T& value, int start = 0) {
        int i = 0;
        if (!find(value, i, start)) {
            return false;
        }
        removeAt(i);
        return true;
    }
    AcArray& removeFirst() { return removeAt(0); }
    AcArray& removeLast() { return removeAt(length() - 1); }
    AcArray& removeAll() {
        mData.clear();
        return *this;
    }
    AcArray& removeSubArray(int startIndex, int endIndex) {
        if (startIndex < 0 || endIndex >= length() || startIndex > endIndex) {
            return *this;
        }
        mData.erase(mData.begin() + startIndex, mData.begin() + endIndex + 1);
        return *this;
    }

    bool contains(const T& value, int start = 0) const {
        int i = 0;
        return find(value, i, start);
    }
    bool find(const T& value, int& foundAt, int start = 0) const {
        for (int i = std::max(start, 0); i < length(); ++i) {
            if (mData[static_cast<std::size_t>(i)] == value) {
                foundAt = i;
                return true;
            }
        }
        return false;
    }
    int find(const T& value) const {
        int i = -1;
        return find(value, i) ? i : -1;
    }
    int findFrom(const T& value, int start) const {
        int i = -1;
        return find(value, i, start) ? i : -1;
    }

    int length() const { return static_cast<int>(mData.size()); }
    int logicalLength() const { return length(); }
    bool isEmpty() const { return mData.empty(); }
    // Grows with default-constructed elements or truncates; a negative length empties.
    AcArray& setLogicalLength(int n) {
        mData.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return *this;
    }
    int physicalLength() const { return static_cast<int>(mData.capacity()); }
    // Never drops below the logical length.
    AcArray& setPhysicalLength(int n) {
        if (n > length()) {
            mData.reserve(static_cast<std::size_t>(n));
        } else {
            mData.shrink_to_fit();
        }
        return *this;
    }
    int growLength() const { return mGrowLength; }
    AcArray& setGrowLength(int n) {
        if (n > 0) {
            mGrowLength = n;
        }
        return *this;
    }
    AcArray& reverse() {
        std::reverse(mData.begin(), mData.end());
        return *this;
    }
    AcArray& swap(int i, int j) {
        std::swap(mData[static_cast<std::size_t>(i)], mData[static_cast<std::size_t>(j)]);
        return *this;
    }

    T* asArrayPtr() { return mData.data(); }
    const T* asArrayPtr() const { return mData.data(); }

    bool operator==(const AcArray& other) const { return mData == other.mData; }
    bool operator!=(const AcArray& other) const { return !(*this == other); }

    iterator begin() { return mData.begin(); }
    iterator end() { return mData.end(); }
    const_iterator begin() const { return mData.begin(); }
    const_iterator end() const { return mData.end(); }

private:
    std::vector<T> mData;
    int mGrowLength = 8;
};
