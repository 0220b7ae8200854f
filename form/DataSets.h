#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace form {

// The kinds of ready-made data a learner may run instead of typing numbers: the program's own
// numbers, the same count already in order, in reverse order, all equal, and with repeats.
enum class DataSetKind { Program, Sorted, Reversed, AllEqual, Repeats };

inline constexpr std::u16string_view kDataSetNames[] = {
    u"プログラムのデータ", u"整列済み", u"逆順", u"すべて同じ", u"重複あり",
};

// Every data set holds as many numbers as the programs' own data, so that runs on them compare.
inline constexpr std::size_t kDataSetSize = 9;

// One ready-made data set of a program's table, named by its kind. A program lists its sets in the
// order of DataSetKind, one of each.
struct DataSet {
    DataSetKind kind;
    std::array<std::int32_t, kDataSetSize> numbers;

    constexpr std::u16string_view name() const { return kDataSetNames[static_cast<std::size_t>(kind)]; }
};

} // namespace form
