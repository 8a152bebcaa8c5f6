// Byte-exact building blocks of the saved-game layout: little-endian integers at any offset,
// length-prefixed names of fixed capacity and 1-based arrays whose bad indexes can never reach a neighbour.
// Everything here has alignment 1, so a struct built from them has no padding and matches the file image.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

static_assert(std::endian::native == std::endian::little,
              "saved games are raw little-endian images; a big-endian host would need byte swapping");

namespace kvt {

// Counts index faults of the checked accessors (an index past the end, or below 0).
// Index 0 is "none" and is not a fault. Tests assert that a whole turn leaves it at 0.
std::uint64_t CheckedAccessFaults();
void ResetCheckedAccessFaults();
void NoteCheckedAccessFault();

// A little-endian integer stored byte by byte, so it may sit at an odd offset.
template <typename T>
struct LeInt {
    static_assert(std::is_integral_v<T>);
    std::uint8_t bytes[sizeof(T)];

    constexpr T get() const {
        T v;
        std::memcpy(&v, bytes, sizeof(T));
        return v;
    }
    constexpr void set(T v) { std::memcpy(bytes, &v, sizeof(T)); }

    constexpr operator T() const { return get(); }
    constexpr LeInt& operator=(T v) {
        set(v);
        return *this;
    }
    // Arithmetic wraps exactly as the stored width does, like the record words of the original rules.
    template <typename U>
    constexpr LeInt& operator+=(U d) {
        set(static_cast<T>(get() + d));
        return *this;
    }
    template <typename U>
    constexpr LeInt& operator-=(U d) {
        set(static_cast<T>(get() - d));
        return *this;
    }
    constexpr LeInt& operator++() { return *this += 1; }
    constexpr LeInt& operator--() { return *this -= 1; }
    constexpr T operator++(int) {
        T old = get();
        *this += 1;
        return old;
    }
    constexpr T operator--(int) {
        T old = get();
        *this -= 1;
        return old;
    }
};

using U16 = LeInt<std::uint16_t>;
using I16 = LeInt<std::int16_t>;
using U32 = LeInt<std::uint32_t>;
using U8 = std::uint8_t;
using I8 = std::int8_t;

static_assert(sizeof(U16) == 2 && alignof(U16) == 1);
static_assert(sizeof(U32) == 4 && alignof(U32) == 1);

// A name of at most N characters: one length byte and N character bytes. Bytes past the
// length are carried through load and save as they are held.
template <std::size_t N>
struct PString {
    std::uint8_t Len;
    char Chars[N];

    static constexpr std::size_t Capacity = N;

    std::string str() const {
        std::size_t n = Len > N ? N : Len;
        return std::string(Chars, n);
    }
    operator std::string() const { return str(); }
    // Longer text is cut to the capacity rather than spilling into the next field.
    PString& operator=(std::string_view s) {
        std::size_t n = s.size() > N ? N : s.size();
        // An empty view may carry no data pointer at all, which memcpy must never see.
        if (n != 0) std::memcpy(Chars, s.data(), n);
        Len = static_cast<std::uint8_t>(n);
        return *this;
    }
    bool empty() const { return Len == 0; }
};

// A fixed array indexed from 1 as the records are. Element 0 and indexes past the end read
// as an all-zero element, and writes to them go to a scratch copy that is wiped on the next
// bad access, so "no leader" or a corrupt index can never change a neighbouring record.
template <typename T, std::size_t N>
struct Arr1 {
    T items[N];

    static constexpr std::size_t Count = N;

    T& operator[](std::ptrdiff_t i) {
        if (i >= 1 && static_cast<std::size_t>(i) <= N) return items[i - 1];
        return Scratch(i);
    }
    const T& operator[](std::ptrdiff_t i) const {
        if (i >= 1 && static_cast<std::size_t>(i) <= N) return items[i - 1];
        return Scratch(i);
    }
    static constexpr bool InRange(std::ptrdiff_t i) { return i >= 1 && static_cast<std::size_t>(i) <= N; }

    T* begin() { return items; }
    T* end() { return items + N; }
    const T* begin() const { return items; }
    const T* end() const { return items + N; }

private:
    static T& Scratch(std::ptrdiff_t i) {
        if (i != 0) NoteCheckedAccessFault();
        static T scratch;
        std::memset(static_cast<void*>(&scratch), 0, sizeof(T));
        return scratch;
    }
};

}  // namespace kvt
